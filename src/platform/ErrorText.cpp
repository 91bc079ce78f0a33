#include "platform/ErrorText.h"

#include <cstring>

#include "platform/NativeText.h"

namespace quirnel {

std::u16string ErrorText(int error) {
    if (error == kLeftUnderTemporaryName)
        return u"Could not be renamed back from a temporary name (.quirnel-...) in its folder";
    if (error == kLeftAtTarget) return u"What was made at the target could not be removed again";
    if (error == kFolderNotAsPlanned) return u"Its folder is no longer the folder of the list (replaced by a link?)";
    if (error == kEntryNotAsPlanned) return u"No longer the entry of the list";
    char buffer[256];
    const char* text = strerror_r(error, buffer, sizeof buffer);
    return FromUtf8(text ? text : "");
}

}  // namespace quirnel
