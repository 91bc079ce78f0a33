#include "ui/BuildVersion.h"

#include "base/StringTable.h"
#include "ui/QtText.h"
#include "ui/UiText.h"

#ifndef QUIRNEL_VERSION
#define QUIRNEL_VERSION "0"
#endif
#ifndef QUIRNEL_RELEASE_DATE
#define QUIRNEL_RELEASE_DATE "unknown"
#endif

namespace quirnel {

std::u16string VersionText() {
    std::u16string text = FormatText(LoadText(text::VersionLine), {U(QStringLiteral(QUIRNEL_VERSION)),
                                                                      U(QStringLiteral(QUIRNEL_RELEASE_DATE))});
    return text + u"\r\n\r\n" + LoadText(text::ContactLine);
}

}  // namespace quirnel
