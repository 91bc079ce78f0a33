#include "platform/PathStyle.h"

namespace quirnel {

const PathStyle& PathStyle::Windows() {
    static const PathStyle s{u'\\', u"\\/|<>:\"?*", true};
    return s;
}

const PathStyle& PathStyle::Posix() {
    static const PathStyle s{u'/', u"/", false};
    return s;
}

const PathStyle& PathStyle::Host() {
#ifdef _WIN32
    return Windows();
#else
    return Posix();
#endif
}

}  // namespace quirnel
