#include "core/ClassRegistry.h"

#include <fw/Exceptions.h>
#include <fw/Object.h>

#include <cstdio>
#include <cstdlib>

namespace fw {

void AbortOutsideRuntime()
{
    std::fputs("quendal: the framework was used outside RuntimeInit and RuntimeExit\n", stderr);
    std::abort();
}

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
