#pragma once

#include <fw/Color.h>
#include <fw/Ref.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace fw {

class Object;

enum class PropertyType {
    Int32,
    Boolean,
    Color,
    String
};

using PropertyValue = std::variant<std::int32_t, bool, Color, std::string>;

// A property that a class declares: its name, its type, and how a value reaches the object.
struct PropertyInfo {
    std::string name;
    PropertyType type;
    // Empty for a property without an effect of its own: the value is only kept on the object.
    std::function<void(Object&, const PropertyValue&)> set;
};

// What the runtime knows of a class: its name, its base, how to make one, its declared properties.
class ClassInfo {
public:
    using Factory = std::function<Ref<Object>()>;

    ClassInfo(std::string name, const ClassInfo* base, Factory factory, std::vector<PropertyInfo> properties = {});

    const std::string& name() const { return m_name; }
    const ClassInfo* base() const { return m_base; }
    const std::vector<PropertyInfo>& ownProperties() const { return m_properties; }

    // Looks the name up without regard to case, in this class and then in its bases.
    const PropertyInfo* findProperty(std::string_view name) const;
    Ref<Object> newObject() const;

private:
    std::string m_name;
    const ClassInfo* m_base;
    Factory m_factory;
    std::vector<PropertyInfo> m_properties;
};

class Object : public RefCounted {
public:
    static const ClassInfo& StaticClass();
    virtual const ClassInfo& classInfo() const { return StaticClass(); }

    void setProperty(const PropertyInfo& property, const PropertyValue& value);
    // The value last given to a declared property that has no effect of its own.
    std::optional<PropertyValue> keptProperty(std::string_view name) const;

private:
    std::map<std::string, PropertyValue, std::less<>> m_keptProperties;
};

// Declares a property whose value goes to a setter of the class.
template<typename C>
PropertyInfo DeclareProperty(std::string name, void (C::*setter)(std::int32_t))
{
    return { std::move(name), PropertyType::Int32, [setter](Object& o, const PropertyValue& v) { (static_cast<C&>(o).*setter)(std::get<std::int32_t>(v)); } };
}
template<typename C>
PropertyInfo DeclareProperty(std::string name, void (C::*setter)(bool))
{
    return { std::move(name), PropertyType::Boolean, [setter](Object& o, const PropertyValue& v) { (static_cast<C&>(o).*setter)(std::get<bool>(v)); } };
}
template<typename C>
PropertyInfo DeclareProperty(std::string name, void (C::*setter)(Color))
{
    return { std::move(name), PropertyType::Color, [setter](Object& o, const PropertyValue& v) { (static_cast<C&>(o).*setter)(std::get<Color>(v)); } };
}
template<typename C>
PropertyInfo DeclareProperty(std::string name, void (C::*setter)(const std::string&))
{
    return { std::move(name), PropertyType::String, [setter](Object& o, const PropertyValue& v) { (static_cast<C&>(o).*setter)(std::get<std::string>(v)); } };
}
// Declares a property that is only kept on the object.
inline PropertyInfo DeclareKeptProperty(std::string name, PropertyType type)
{
    return { std::move(name), type, {} };
}

template<typename C>
ClassInfo::Factory FactoryOf()
{
    return [] { return Ref<Object>(new C); };
}

// The runtime's registry of classes by name.
void RegisterClass(const ClassInfo& info);
const ClassInfo* FindClass(std::string_view name);
bool IsClassRegistered(const ClassInfo& info);
Ref<Object> RuntimeNewObject(const ClassInfo& info);

// The same object typed as T, or nil when it is not one.
template<typename T>
Ref<T> RuntimeCheckCast(const Ref<Object>& object)
{
    return Ref<T>(dynamic_cast<T*>(object.get()));
}

}
