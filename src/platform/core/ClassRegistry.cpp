#include "core/ClassRegistry.h"

#include <fw/Exceptions.h>
#include <fw/Object.h>

namespace fw {

void ClassRegistry::add(const ClassInfo& info)
{
    auto [it, inserted] = m_classes.emplace(info.name(), &info);
    if (!inserted && it->second != &info)
        throw RuntimeException("two classes are registered as " + info.name());
}

const ClassInfo* ClassRegistry::find(std::string_view name) const
{
    auto it = m_classes.find(name);
    return it == m_classes.end() ? nullptr : it->second;
}

}
