#pragma once
#include <string>

namespace quirnel {

// What differs between Windows and POSIX paths. The application uses
// forHost(); tests run the Windows examples with forWindows().
struct PathStyle {
    char16_t separator;
    std::u16string forbidden;  // characters a file name cannot hold
    bool windows;

    static const PathStyle& forWindows();
    static const PathStyle& forPosix();
    static const PathStyle& forHost();

    bool isForbidden(char16_t c) const { return forbidden.find(c) != std::u16string::npos; }
};

}  // namespace quirnel
