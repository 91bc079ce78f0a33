#pragma once
#include <string>

namespace quirnel {

// What differs between Windows and POSIX paths. The application uses Host();
// tests run the Windows examples with Windows().
struct PathStyle {
    char16_t separator;
    std::u16string forbidden;  // characters a file name cannot hold
    bool windows;

    static const PathStyle& Windows();
    static const PathStyle& Posix();
    static const PathStyle& Host();

    bool IsForbidden(char16_t c) const { return forbidden.find(c) != std::u16string::npos; }
};

}  // namespace quirnel
