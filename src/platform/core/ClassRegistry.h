#pragma once

#include "core/RuntimeOwned.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace fw {

class ClassInfo;

// The classes that RuntimeNewObject can make, by name: the framework's, then the program's.
class ClassRegistry : public RuntimeOwned<ClassRegistry> {
public:
    // Two classes under one name are an error; the same class twice is not.
    void add(const ClassInfo& info);
    const ClassInfo* find(std::string_view name) const;
    void clear() { m_classes.clear(); }

private:
    std::map<std::string, const ClassInfo*, std::less<>> m_classes;
};

}
