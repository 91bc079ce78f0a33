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
    std::u16string text = FormatText(u"Quirnel v%s (%s Release)", {U(QStringLiteral(QUIRNEL_VERSION)),
                                                                    U(QStringLiteral(QUIRNEL_RELEASE_DATE))});
    return text + u"\r\n\r\n" +
           U(Tr("Questions and problem reports: the README that comes with Quirnel says where to send them.",
                "문의와 문제 보고: Quirnel과 함께 제공되는 README에 보낼 곳이 있습니다."));
}

}  // namespace quirnel
