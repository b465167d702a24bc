#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

namespace fw {

// Framework objects are reference-counted: an object lives while anything holds a Ref to it.
class RefCounted {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;
    virtual ~RefCounted() = default;

    void retain() const { ++m_refCount; }
    void release() const
    {
        if (--m_refCount == 0)
            delete this;
    }
    int refCount() const { return m_refCount; }

private:
    mutable int m_refCount { 0 };
};

// A nullable counted reference; nil is an empty Ref.
template<typename T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) { }
    // Explicit: a temporary Ref made on the quiet from an object that nothing holds would free it.
    explicit Ref(T* object)
        : m_ptr(object)
    {
        if (m_ptr)
            m_ptr->retain();
    }
    Ref(const Ref& other)
        : Ref(other.m_ptr)
    {
    }
    Ref(Ref&& other) noexcept
        : m_ptr(std::exchange(other.m_ptr, nullptr))
    {
    }
    template<typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(const Ref<U>& other)
        : Ref(other.get())
    {
    }
    ~Ref()
    {
        if (m_ptr)
            m_ptr->release();
    }

    Ref& operator=(Ref other) noexcept
    {
        std::swap(m_ptr, other.m_ptr);
        return *this;
    }

    T* get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    T& operator*() const { return *m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }
    bool operator==(const Ref& other) const { return m_ptr == other.m_ptr; }
    bool operator==(std::nullptr_t) const { return m_ptr == nullptr; }

private:
    T* m_ptr { nullptr };
};

template<typename T, typename... Args>
Ref<T> MakeRef(Args&&... args)
{
    return Ref<T>(new T(std::forward<Args>(args)...));
}

}
