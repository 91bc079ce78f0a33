#pragma once
#include <QString>

#include "base/StringTable.h"

namespace quirnel {

// Menu and dialog texts that are not in the string table: English and
// Korean side by side, picked by the language chosen at start-up.
inline QString Tr(const char* english, const char* korean) {
    return QString::fromUtf8(CurrentUiLanguage() == UiLanguage::Korean ? korean : english);
}

}  // namespace quirnel
