#include "ui/dialogs/CommandInputDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "app/VirtualKeys.h"
#include "base/AppSettings.h"
#include "base/Host.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "platform/PathStyle.h"
#include "run/CommandInputCheck.h"
#include "run/PresetPreview.h"
#include "ui/dialogs/PresetPreviewPane.h"
#include "ui/widgets/ArgumentField.h"
#include "ui/KeyMapping.h"
#include "ui/QtText.h"
#include "ui/AccessLetters.h"
#include "ui/ScreenRect.h"

namespace quirnel {
namespace {

// The dialog's first size, 241 × 163 dialog units of its font.
constexpr int kWidthUnits = 241, kHeightUnits = 163;

// Ctrl+1..9 of the main keys or the keypad: the 0-based entry, or -1.
int EntryOfKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers();
    if (!(mods & Qt::ControlModifier) || (mods & Qt::AltModifier)) return -1;
    const int32_t key = VirtualKeyOf(event);
    if (key >= vk::Digit0 + 1 && key <= vk::Digit0 + 9) return key - vk::Digit0 - 1;
    if (key >= vk::Numpad0 + 1 && key <= vk::Numpad0 + 9) return key - vk::Numpad0 - 1;
    return -1;
}

// A label too long for its row ends in "…" and shows itself whole on hover;
// it keeps an access letter to its field, with room for a "(X)" after it.
void ShowLabel(QLabel& label, const std::u16string& text) {
    const QString full = Q(text);
    const QFontMetrics metrics = label.fontMetrics();
    auto drawn = [&](const QString& t) { return metrics.size(Qt::TextShowMnemonic, t).width(); };
    QString shown = metrics.elidedText(full, Qt::ElideRight, label.width());
    QString marked = shown.isEmpty() ? shown : WithFreeAccessLetter(shown, &label);
    if (const int over = drawn(marked) - label.width(); over > 0) {  // a "(X)" after the words
        shown = metrics.elidedText(full, Qt::ElideRight, label.width() - over);
        marked = WithFreeAccessLetter(shown, &label);
    }
    label.setText(marked);
    label.setToolTip(shown == full ? QString() : full);
}

}  // namespace

CommandInputDialog::CommandInputDialog(int command, AppSettings& settings, Host& host, QWidget* parent)
    : QDialog(parent), command_(command), settings_(settings), host_(host), items_(BuildInputItems(command)) {
    setWindowTitle(Q(items_.caption));
    buildControls();
    firstSize_ = firstSize();
    resize(firstSize_);
    setMinimumSize(firstSize_);
    applyItem(selector_->currentIndex());
    restoreRect();
}

CommandInputDialog::~CommandInputDialog() = default;

void CommandInputDialog::buildControls() {
    prompt_ = new QLabel(T(text::CommandPrompt), this);
    prompt_->setAlignment(Qt::AlignCenter);
    prompt_->setCursor(Qt::PointingHandCursor);
    selector_ = new QComboBox(this);
    for (size_t i = 0; i < items_.items.size(); ++i)
        selector_->addItem(Q(FormatText(u"%d) %s", {static_cast<long long>(i + 1), items_.items[i].caption})));
    connect(selector_, &QComboBox::currentIndexChanged, this, &CommandInputDialog::applyItem);
    label1_ = new QLabel(this);
    folder_ = new QPushButton(T(text::SelectFolderButton), this);
    folder_->setAutoDefault(false);
    connect(folder_, &QPushButton::clicked, this, &CommandInputDialog::pickFolder);
    field1_ = new ArgumentField(this);
    label2_ = new QLabel(this);
    field2_ = new ArgumentField(this);
    label1_->setBuddy(field1_);
    label2_->setBuddy(field2_);
    ok_ = new QPushButton(T(text::OkButton), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    cancel_ = new QPushButton(T(text::CancelButton), this);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    previewBox_ = new QCheckBox(T(text::InputPreviewBox), this);
    previewBox_->hide();  // until there are rows to preview
    previewBox_->setFocusPolicy(Qt::TabFocus);  // its click or access letter leaves the typing where it was
    connect(previewBox_, &QCheckBox::toggled, this, &CommandInputDialog::setPreviewOpen);
    pane_ = new PresetPreviewPane(this, kPreviewRows);
    pane_->hide();
    // Keystrokes that arrive together (a paste, a field reset) cost one update.
    previewDelay_ = new QTimer(this);
    previewDelay_->setSingleShot(true);
    previewDelay_->setInterval(0);
    connect(previewDelay_, &QTimer::timeout, this, &CommandInputDialog::updatePreview);
    auto schedule = [this] {
        if (previewOpen_) previewDelay_->start();
    };
    connect(field1_, &QPlainTextEdit::textChanged, this, schedule);
    connect(field2_, &QPlainTextEdit::textChanged, this, schedule);
    connect(selector_, &QComboBox::currentIndexChanged, this, schedule);
    // Ctrl+number must reach the dialog whichever control has the focus.
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

QSize CommandInputDialog::firstSize() const {
    const QFontMetrics fm(font());
    const double unitX = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0;
    // The longest label, the date format's hint, shows whole in either language.
    int hint = 0;
    for (UiLanguage language : {UiLanguage::English, UiLanguage::Korean})
        hint = std::max(hint, fm.horizontalAdvance(Q(LoadText(text::DateFormatHint, language))));
    const int width = std::max(static_cast<int>(std::lround(kWidthUnits * unitX / 4)), hint + 2 * layoutMargin() + 8);
    return QSize(width, kHeightUnits * fm.height() / 8);
}

void CommandInputDialog::restoreRect() {
    if (ShowsOnScreens(settings_.RectInput)) setGeometry(ToQRect(settings_.RectInput));
}

std::u16string CommandInputDialog::shownText(const ArgumentField& field) const {
    return field.isHidden() ? std::u16string() : U(field.toPlainText());
}

const InputItem* CommandInputDialog::currentItem() const {
    const int index = selector_->currentIndex();
    if (index < 0 || index >= static_cast<int>(items_.items.size())) return nullptr;
    return &items_.items[index];
}

void CommandInputDialog::setInitialInput(int subCommand, const std::u16string& arg1, const std::u16string& arg2) {
    if (subCommand != 0) {
        const auto& list = items_.items;
        auto it = std::find_if(list.begin(), list.end(), [&](const InputItem& i) { return i.subCommand == subCommand; });
        if (it != list.end()) selector_->setCurrentIndex(static_cast<int>(it - list.begin()));
    }
    if (!arg1.empty()) field1_->setPlainText(Q(arg1));
    if (!arg2.empty()) field2_->setPlainText(Q(arg2));
    focusFirstShown();
}

void CommandInputDialog::applyItem(int index) {
    const InputItem* item = index >= 0 && index < static_cast<int>(items_.items.size()) ? &items_.items[index] : nullptr;
    const bool show1 = item && !item->arg1Label.empty();
    const bool show2 = item && !item->arg2Label.empty();
    label1_->setVisible(show1);
    field1_->setVisible(show1);
    label2_->setVisible(show2);
    field2_->setVisible(show2);
    field1_->setDigitsOnly(item && item->arg1Numeric);
    field2_->setDigitsOnly(item && item->arg2Numeric);

    const int32_t sub = item ? item->subCommand : 0;
    QString first;
    if (HasDateFormatDefault(sub)) first = Q(kDefaultDateFormat);
    // Where the folder picker would start: the rows' folder, else the working folder.
    if (HasFolderPicker(sub))
        first = QDir::toNativeSeparators(startFolder_.isEmpty() ? QDir::currentPath() : startFolder_);
    field1_->setPlainText(first);
    field2_->clear();
    folder_->setVisible(HasFolderPicker(sub));
    layoutControls();
    focusFirstShown();
}

void CommandInputDialog::focusFirstShown() {
    ArgumentField* field = !field1_->isHidden() ? field1_ : !field2_->isHidden() ? field2_ : nullptr;
    if (!field) {
        ok_->setFocus();
        return;
    }
    field->setFocus();
    field->selectAll();  // typing replaces the default, an arrow key keeps it
}

bool CommandInputDialog::chooseByKey(const QKeyEvent& event) {
    const int entry = EntryOfKey(event);
    if (entry < 0 || entry >= selector_->count()) return false;
    if (entry == selector_->currentIndex())
        applyItem(entry);  // choosing the same entry again still resets its fields
    else
        selector_->setCurrentIndex(entry);
    return true;
}

bool CommandInputDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        const int entry = EntryOfKey(key);
        if (entry >= 0 && entry < selector_->count()) {
            // Claimed from any shortcut, then acted on when the press arrives.
            if (event->type() == QEvent::KeyPress) chooseByKey(key);
            event->accept();
            return true;
        }
    }
    if (watched == prompt_ && event->type() == QEvent::MouseButtonPress) {
        selector_->setFocus();
        selector_->showPopup();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CommandInputDialog::keyPressEvent(QKeyEvent* event) {
    if (!chooseByKey(*event)) QDialog::keyPressEvent(event);
}

void CommandInputDialog::pickFolder() {
    // A folder typed already is where the picker opens.
    const QString typed = field1_->toPlainText().trimmed();
    const QString start = !typed.isEmpty() && QDir(typed).exists() ? typed : startFolder_;
    const QString folder = QFileDialog::getExistingDirectory(this, Q(LoadText(sub::MoveToFolder)), start);
    if (!folder.isEmpty()) field1_->setPlainText(QDir::toNativeSeparators(folder));
}

void CommandInputDialog::accept() {
    const InputItem* item = currentItem();
    const int32_t sub = item ? item->subCommand : 0;
    DialogInput input = CleanDialogInput(command_, sub, shownText(*field1_), shownText(*field2_),
                                         IsOn(settings_.NameAutoFix), PathStyle::forHost());
    if (input.messageId == text::ForbiddenCharacters) {
        host_.ShowMessageDialog(LoadText(input.messageId), LoadText(text::ErrorTitle));
        return;
    }
    if (!input.accepted()) {
        QMessageBox::warning(this, QApplication::applicationName(), Q(input.message));
        return;
    }
    subCommand_ = sub;
    arg1_ = std::move(input.arg1);
    arg2_ = std::move(input.arg2);
    settings_.RectInput = ToRect(closedGeometry());
    QDialog::accept();
}

void CommandInputDialog::reject() {
    settings_.RectInput = ToRect(closedGeometry());
    QDialog::reject();
}

void CommandInputDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutControls();
}

int CommandInputDialog::layoutMargin() const {
    const int pixels = QFontInfo(font()).pixelSize();
    if (pixels <= 0 || logicalDpiY() <= 0) return 12;
    return static_cast<int>(std::lround(pixels * 72.0 / logicalDpiY()));
}

void CommandInputDialog::layoutControls() {
    const int m = layoutMargin();
    const QRect work = rect().adjusted(m, m, -m, -m);
    const int promptH = prompt_->sizeHint().height();
    const int selectorH = selector_->sizeHint().height();
    const int labelH = label1_->fontMetrics().height();
    const QSize button = ok_->sizeHint().expandedTo(cancel_->sizeHint());
    const int paneH = previewOpen_ ? previewBlock() - m : 0;
    const int paneBlock = previewOpen_ ? paneH + m : 0;
    const int fieldH =
        std::max(0, (work.height() - paneBlock - promptH - selectorH - 2 * labelH - 3 * m - button.height() - 6) / 2);

    int y = work.top();
    prompt_->setGeometry(work.left(), y, work.width(), promptH);
    y += promptH + 2;
    selector_->setGeometry(work.left(), y, work.width(), selectorH);
    y += selectorH + m + 2;
    int labelW = work.width();
    if (!folder_->isHidden()) {
        // As tall as the toolkit draws its text whole, growing up into the gap
        // above the label row rather than onto the field below it.
        const QSize folder = folder_->sizeHint();
        const int folderH = std::clamp(folder.height(), labelH + 2, labelH + m);
        folder_->setGeometry(work.right() + 1 - folder.width(), y + labelH + 2 - folderH, folder.width(), folderH);
        labelW -= folder.width() + 5;
    }
    label1_->setGeometry(work.left(), y, labelW, labelH);
    ShowLabel(*label1_, currentItem() ? currentItem()->arg1Label : std::u16string());
    y += labelH + 2;
    field1_->setGeometry(work.left(), y, work.width(), fieldH);
    y += fieldH + m;
    label2_->setGeometry(work.left(), y, work.width(), labelH);
    ShowLabel(*label2_, currentItem() ? currentItem()->arg2Label : std::u16string());
    y += labelH + 2;
    field2_->setGeometry(work.left(), y, work.width(), fieldH);
    if (previewOpen_) layoutPane(QRect(work.left(), y + fieldH + m, work.width(), paneH));

    const int buttonY = work.bottom() + 1 - button.height();
    cancel_->setGeometry(work.right() + 1 - button.width(), buttonY, button.width(), button.height());
    ok_->setGeometry(cancel_->x() - m - button.width(), buttonY, button.width(), button.height());
    if (!previewBox_->isHidden()) {
        const QSize box = previewBox_->sizeHint();
        const int boxW = std::min(box.width(), std::max(0, ok_->x() - m - work.left()));
        previewBox_->setGeometry(work.left(), buttonY + (button.height() - box.height()) / 2, boxW, box.height());
    }
}

// The message with its details (a pattern's error position) where it has them.
QString CheckMessage(const InputCheck& check) {
    if (!check.message.empty()) return Q(check.message);
    return check.messageId != 0 ? Q(LoadText(check.messageId)) : QString();
}

std::optional<CommandInput> AskCommandInput(int command, AppSettings& settings, Host& host, QWidget* parent,
                                            const CommandInput& initial, const NameList* previewRows) {
    CommandInputDialog dialog(command, settings, host, parent);
    if (previewRows) dialog.setPreviewList(*previewRows);
    dialog.setInitialInput(initial.subCommand, initial.arg1, initial.arg2);
    // A command without items (a preset task read from a file) has nothing to choose: as Cancel.
    if (dialog.exec() != QDialog::Accepted || dialog.subCommand() == 0) return std::nullopt;
    CommandInput input{dialog.subCommand(), dialog.arg1(), dialog.arg2()};
    const InputCheck check = CheckCommandInput(command, input.subCommand, input.arg1, input.arg2);
    if (check.accepted) return input;
    if (const QString message = CheckMessage(check); !message.isEmpty())
        QMessageBox::warning(parent, QApplication::applicationName(), message);
    return std::nullopt;
}

}  // namespace quirnel
