#include <fw/Object.h>

#include "core/ClassRegistry.h"
#include <fw/Exceptions.h>

#include <algorithm>
#include <cctype>

namespace fw {

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}

ClassInfo::ClassInfo(std::string name, const ClassInfo* base, Factory factory, std::vector<PropertyInfo> properties)
    : m_name(std::move(name))
    , m_base(base)
    , m_factory(std::move(factory))
    , m_properties(std::move(properties))
{
}

const PropertyInfo* ClassInfo::findProperty(std::string_view name) const
{
    for (const ClassInfo* info = this; info; info = info->m_base) {
        for (const PropertyInfo& property : info->m_properties) {
            if (EqualIgnoringCase(property.name, name))
                return &property;
        }
    }
    return nullptr;
}

Ref<Object> ClassInfo::newObject() const
{
    if (!m_factory)
        throw RuntimeException("class " + m_name + " cannot be instantiated");
    return m_factory();
}

const ClassInfo& Object::StaticClass()
{
    static const ClassInfo info("Object", nullptr, FactoryOf<Object>());
    return info;
}

void Object::setProperty(const PropertyInfo& property, const PropertyValue& value)
{
    if (property.set)
        property.set(*this, value);
    else
        m_keptProperties.insert_or_assign(property.name, value);
}

std::optional<PropertyValue> Object::keptProperty(std::string_view name) const
{
    for (const auto& [key, value] : m_keptProperties) {
        if (EqualIgnoringCase(key, name))
            return value;
    }
    return std::nullopt;
}

void RegisterClass(const ClassInfo& info)
{
    ClassRegistry::instance().add(info);
}

const ClassInfo* FindClass(std::string_view name)
{
    return ClassRegistry::instance().find(name);
}

bool IsClassRegistered(const ClassInfo& info)
{
    return FindClass(info.name()) == &info;
}

Ref<Object> RuntimeNewObject(const ClassInfo& info)
{
    if (!IsClassRegistered(info))
        throw RuntimeException("class " + info.name() + " is not registered");
    return info.newObject();
}

}
