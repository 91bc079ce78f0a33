#include "ui/CQuirnelApp.h"

#include <QLocale>

#include "app/StringTable.h"
#include "ui/CQuirnelDlg.h"

namespace quirnel {

CQuirnelApp::CQuirnelApp(int& argc, char** argv) : qt_(argc, argv) {
    QApplication::setApplicationName(QStringLiteral("Quirnel"));
}

UiLanguage CQuirnelApp::ChooseLanguage(const std::u16string& setting) {
    std::u16string low;
    for (char16_t c : setting) low.push_back(c >= u'A' && c <= u'Z' ? c + 32 : c);
    if (low == u"english") return UiLanguage::English;
    if (low == u"korean") return UiLanguage::Korean;
    return QLocale::system().language() == QLocale::Korean ? UiLanguage::Korean : UiLanguage::English;
}

int CQuirnelApp::Run() {
    SetUiLanguage(ChooseLanguage(state_.settings.UILanguage));
    state_.StopFlag = 1;
    state_.UnappliedFlag = 0;
    CQuirnelDlg dlg(state_);
    dlg.show();
    return qt_.exec();
}

}  // namespace quirnel
