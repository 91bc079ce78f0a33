#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ModalHelpers.h"
#include "base/AppSettings.h"
#include "base/StringTable.h"
#include "ui/widgets/ColorButton.h"
#include "ui/dialogs/LoadOptionsDialog.h"
#include "ui/dialogs/OtherOptionsDialog.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/ViewOptionsDialog.h"

using namespace quirnel;
using quirnel::test::MessageBoxCatcher;
using quirnel::test::WhenModalOpens;

class OptionsDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void loadOptionsShowAndStoreTheSettings();
    void loadOptionsLeaveAnUnknownLoadTypeAlone();
    void otherOptionsOneBoxPerSetting();
    void cancelChangesNothing();
    void fontSizesOutsideOneToHundredAreRefused();
    void storedColoursShowAndPickedColoursAreStored();
    void pickedFontIsDescribedAndSized();
    void systemChecksDisableTheirControls();
    void iconTypeWithoutItemGivesMinusOne();
    void koreanCaptions();
};

namespace {

QPushButton* OkOf(QDialog* dialog) {
    return dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}
QPushButton* CancelOf(QDialog* dialog) {
    return dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
}

}  // namespace

void OptionsDialogsTest::loadOptionsShowAndStoreTheSettings() {
    AppSettings settings;
    settings.LoadType = 1, settings.AutoSort = 0, settings.ShowCFGLoad = 1;
    WhenModalOpens<LoadOptionsDialog>([](LoadOptionsDialog* d) {
        QVERIFY(!d->loadTypeButton(0)->isChecked());
        QVERIFY(d->loadTypeButton(1)->isChecked());
        QVERIFY(d->autoSortButton(0)->isChecked());
        QVERIFY(d->showBeforeLoading()->isChecked());
        QTest::mouseClick(d->loadTypeButton(0), Qt::LeftButton);
        QTest::mouseClick(d->autoSortButton(1), Qt::LeftButton);
        QTest::mouseClick(d->showBeforeLoading(), Qt::LeftButton);
        QVERIFY(!d->loadTypeButton(1)->isChecked());
        OkOf(d)->click();
    });
    QVERIFY(EditSettings<LoadOptionsDialog>(settings, nullptr));
    QCOMPARE(settings.LoadType, 0);
    QCOMPARE(settings.AutoSort, 1);
    QCOMPARE(settings.ShowCFGLoad, 0);
}

void OptionsDialogsTest::loadOptionsLeaveAnUnknownLoadTypeAlone() {
    AppSettings settings;
    settings.LoadType = 7;
    LoadOptionsDialog dlg(settings);
    for (int i = 0; i < 3; ++i) QVERIFY(!dlg.loadTypeButton(i)->isChecked());
    dlg.store(settings);
    QCOMPARE(settings.LoadType, 7);
}

void OptionsDialogsTest::otherOptionsOneBoxPerSetting() {
    // The boxes in their order on screen.
    const std::vector<int32_t AppSettings::*> fields = {
        &AppSettings::UseThread,   &AppSettings::ShowDoneDialog, &AppSettings::ClearAfterApply,
        &AppSettings::NameAutoFix, &AppSettings::IncludeExt,     &AppSettings::AutoNumber,
        &AppSettings::SortLikeWindows, &AppSettings::TakenFallback,
    };
    for (size_t i = 0; i < fields.size(); ++i) {
        AppSettings settings;
        for (auto field : fields) settings.*field = 0;
        settings.*fields[i] = 5;  // any value but 0 checks its box
        OtherOptionsDialog dlg(settings);
        QCOMPARE(dlg.boxes().size(), fields.size());
        for (size_t b = 0; b < fields.size(); ++b) QCOMPARE(dlg.boxes()[b]->isChecked(), b == i);
        for (QCheckBox* box : dlg.boxes()) box->toggle();
        dlg.store(settings);
        for (size_t f = 0; f < fields.size(); ++f) QCOMPARE(settings.*fields[f], f == i ? 0 : 1);
    }
}

void OptionsDialogsTest::cancelChangesNothing() {
    AppSettings settings;
    const AppSettings before = settings;
    WhenModalOpens<OtherOptionsDialog>([](OtherOptionsDialog* d) {
        for (QCheckBox* box : d->boxes()) box->toggle();
        QTest::keyClick(d, Qt::Key_Escape);
    });
    QVERIFY(!EditSettings<OtherOptionsDialog>(settings, nullptr));
    WhenModalOpens<LoadOptionsDialog>([](LoadOptionsDialog* d) {
        d->loadTypeButton(0)->click();
        d->showBeforeLoading()->toggle();
        CancelOf(d)->click();
    });
    QVERIFY(!EditSettings<LoadOptionsDialog>(settings, nullptr));
    QCOMPARE(settings, before);
}

void OptionsDialogsTest::fontSizesOutsideOneToHundredAreRefused() {
    AppSettings settings;
    settings.UseDefaultFont = 0;
    for (QString refused : {"0", "101", ""}) {
        ViewOptionsDialog dlg(settings, QFont());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.fontSizeField()->setText(refused);
        MessageBoxCatcher messages;
        OkOf(&dlg)->click();
        QCOMPARE(messages.texts, QStringList({"Invalid font size"}));
        QVERIFY2(dlg.isVisible(), qPrintable(refused));
        QCOMPARE(dlg.options().fontSize, 12);  // nothing taken
    }
    for (int accepted : {1, 100}) {
        ViewOptionsDialog dlg(settings, QFont());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.fontSizeField()->clear();
        QTest::keyClicks(dlg.fontSizeField(), QString("x%1.").arg(accepted));  // digits only
        QCOMPARE(dlg.fontSizeField()->text(), QString::number(accepted));
        OkOf(&dlg)->click();
        QCOMPARE(dlg.result(), QDialog::Accepted);
        QCOMPARE(dlg.options().fontSize, accepted);
    }
}

void OptionsDialogsTest::storedColoursShowAndPickedColoursAreStored() {
    AppSettings settings;
    settings.UseDefaultColor = 0;
    settings.ColorText = 0x0000FF;
    settings.ColorBk = 0xFF0000;
    ViewOptionsDialog dlg(settings, QFont());
    QCOMPARE(dlg.textColorButton()->color(), QColor(Qt::red));
    QCOMPARE(dlg.backgroundButton()->color(), QColor(Qt::blue));

    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    WhenModalOpens<QColorDialog>([](QColorDialog* picker) {
        picker->setCurrentColor(QColor(0x12, 0x34, 0x56));
        picker->accept();
    });
    QTest::mouseClick(dlg.textColorButton(), Qt::LeftButton);
    WhenModalOpens<QColorDialog>([](QColorDialog* picker) {
        picker->setCurrentColor(Qt::green);
        picker->reject();  // the picker's Cancel keeps the colour
    });
    QTest::mouseClick(dlg.backgroundButton(), Qt::LeftButton);
    OkOf(&dlg)->click();
    QCOMPARE(dlg.options().colorText, 0x563412);
    QCOMPARE(dlg.options().colorBk, 0xFF0000);
    QCOMPARE(dlg.options().useDefaultColor, 0);
}

void OptionsDialogsTest::pickedFontIsDescribedAndSized() {
    AppSettings settings;
    settings.UseDefaultFont = 0;
    QFont held("DejaVu Sans", 11);
    ViewOptionsDialog dlg(settings, held);
    QCOMPARE(dlg.fontDescription()->text(), QString("DejaVu Sans"));
    QCOMPARE(dlg.fontSizeField()->text(), QString("12"));  // the stored size, not the held font's
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));

    WhenModalOpens<QFontDialog>([](QFontDialog* picker) {
        QCOMPARE(picker->currentFont().family(), QString("DejaVu Sans"));
        QFont font("DejaVu Serif", 15, QFont::Bold, true);
        picker->setCurrentFont(font);
        picker->accept();
    });
    QTest::mouseClick(dlg.selectFontButton(), Qt::LeftButton);
    QCOMPARE(dlg.fontDescription()->text(), QString("DejaVu Serif / Bold / Italic"));
    QCOMPARE(dlg.fontSizeField()->text(), QString("15"));
    OkOf(&dlg)->click();
    const ViewOptionsResult& r = dlg.options();
    QVERIFY(r.fontChosen);
    QCOMPARE(QString::fromStdU16String(r.chosenFace), QString("DejaVu Serif"));
    QCOMPARE(r.chosenWeight, 700);
    QVERIFY(r.chosenItalic);
    QCOMPARE(r.fontSize, 15);
    QCOMPARE(dlg.chosenFont().family(), QString("DejaVu Serif"));

    // A font given in pixels has its size in points worked out.
    QFont pixels("DejaVu Sans");
    pixels.setPixelSize(20);
    QCOMPARE(FontPoints(pixels, 96), 15);
    QCOMPARE(FontPoints(QFont("DejaVu Sans", 9), 96), 9);
}

void OptionsDialogsTest::systemChecksDisableTheirControls() {
    AppSettings settings;  // system colours and font
    ViewOptionsDialog dlg(settings, QFont());
    QList<QWidget*> colorControls = {dlg.textColorButton(), dlg.backgroundButton()};
    QList<QWidget*> fontControls = {dlg.fontDescription(), dlg.selectFontButton(), dlg.fontSizeField()};
    for (QWidget* w : colorControls + fontControls) QVERIFY(!w->isEnabled());
    dlg.systemColors()->click();
    for (QWidget* w : colorControls) QVERIFY(w->isEnabled());
    for (QWidget* w : fontControls) QVERIFY(!w->isEnabled());
    dlg.systemFont()->click();
    for (QWidget* w : colorControls + fontControls) QVERIFY(w->isEnabled());
    dlg.systemColors()->click();
    for (QWidget* w : colorControls) QVERIFY(!w->isEnabled());
}

void OptionsDialogsTest::iconTypeWithoutItemGivesMinusOne() {
    AppSettings settings;
    settings.IconType = 0;
    ViewOptionsDialog large(settings, QFont());
    QCOMPARE(large.iconSizes()->currentText(), QString("Large Icon (32x32)"));
    QCOMPARE(large.iconSizes()->count(), 4);
    QCOMPARE(large.iconSizes()->itemText(0), QString("Small Icon (16x16)"));
    QCOMPARE(large.iconSizes()->itemText(3), QString("Jumbo Icon (256x256)"));

    settings.IconType = 3;
    ViewOptionsDialog dlg(settings, QFont());
    QCOMPARE(dlg.iconSizes()->currentIndex(), -1);
    dlg.accept();
    QCOMPARE(dlg.options().iconType, -1);
}

void OptionsDialogsTest::koreanCaptions() {
    SetUiLanguage(UiLanguage::Korean);
    AppSettings settings;
    LoadOptionsDialog load(settings);
    ViewOptionsDialog view(settings, QFont());
    OtherOptionsDialog other(settings);
    SetUiLanguage(UiLanguage::English);
    for (QDialog* d : std::initializer_list<QDialog*>{&load, &view, &other}) {
        QVERIFY(d->windowTitle().front().unicode() >= 0xAC00);
        for (QAbstractButton* b : d->findChildren<QAbstractButton*>()) {
            if (qobject_cast<ColorButton*>(b)) continue;  // a swatch, no text
            QVERIFY2(b->text().contains(QRegularExpression("[가-힣]")), qPrintable(b->text()));
        }
    }
    QCOMPARE(view.iconSizes()->itemText(3), QString("초대형 아이콘 (256x256)"));
}

QTEST_MAIN(OptionsDialogsTest)
#include "options_dialogs_test.moc"
