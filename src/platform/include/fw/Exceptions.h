#pragma once

#include <fw/Ref.h>

#include <stdexcept>
#include <string>

namespace fw {

// The framework's exception family. Each carries a message that says what went wrong.
class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message);
    virtual const char* className() const { return "RuntimeException"; }
};

// A window, control, drawing context or resource that was needed and is missing.
class NilObjectException : public RuntimeException {
public:
    explicit NilObjectException(const std::string& whatIsMissing);
    const char* className() const override { return "NilObjectException"; }
};

// A thread nested deeper than its stack allows.
class StackOverflowException : public RuntimeException {
public:
    explicit StackOverflowException(const std::string& message);
    const char* className() const override { return "StackOverflowException"; }
};

// Returns the reference, or raises NilObjectException naming what is missing.
template<typename T>
const Ref<T>& NotNil(const Ref<T>& ref, const char* what)
{
    if (!ref)
        throw NilObjectException(what);
    return ref;
}

template<typename T>
T* NotNil(T* pointer, const char* what)
{
    if (!pointer)
        throw NilObjectException(what);
    return pointer;
}

}
