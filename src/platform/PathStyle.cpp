#include "platform/PathStyle.h"

namespace quirnel {

const PathStyle& PathStyle::forWindows() {
    static const PathStyle s{u'\\', u"\\/|<>:\"?*", true};
    return s;
}

const PathStyle& PathStyle::forPosix() {
    static const PathStyle s{u'/', u"/", false};
    return s;
}

const PathStyle& PathStyle::forHost() {
#ifdef _WIN32
    return forWindows();
#else
    return forPosix();
#endif
}

}  // namespace quirnel
