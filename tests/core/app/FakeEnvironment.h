#pragma once
#include <map>
#include <string>

#include "app/Language.h"

namespace quirnel::test {

// An environment of the given variables only.
inline EnvironmentLookup Env(std::map<std::string, std::string> vars) {
    return [vars = std::move(vars)](const char* name) -> const char* {
        auto found = vars.find(name);
        return found == vars.end() ? nullptr : found->second.c_str();
    };
}

}  // namespace quirnel::test
