#include "ui/dialogs/ViewOptionsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "base/StringTable.h"
#include "base/TextIds.h"
#include "ui/widgets/ColorButton.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/QtText.h"

namespace quirnel {
namespace {

QString Describe(const QFont& font) { return Q(FontDescription(U(font.family()), font.weight(), font.italic())); }

}  // namespace

int FontPoints(const QFont& font, int dpi) {
    if (font.pointSize() > 0) return font.pointSize();
    return static_cast<int>(std::lround(font.pixelSize() * 72.0 / dpi));
}

ViewOptionsDialog::ViewOptionsDialog(const AppSettings& settings, const QFont& customFont, QWidget* parent)
    : QDialog(parent), font_(customFont) {
    setWindowTitle(T(text::ViewOptionsTitle));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(colorGroup(settings));
    layout->addWidget(fontGroup(settings));
    layout->addWidget(iconGroup(settings));
    layout->addWidget(OkCancelButtons(this));
    connect(systemColors_, &QCheckBox::toggled, this, &ViewOptionsDialog::enableControls);
    connect(systemFont_, &QCheckBox::toggled, this, &ViewOptionsDialog::enableControls);
    connect(select_, &QPushButton::clicked, this, &ViewOptionsDialog::selectFont);
    enableControls();
}

QWidget* ViewOptionsDialog::colorGroup(const AppSettings& settings) {
    auto* group = new QGroupBox(T(text::ColorGroup), this);
    auto* grid = new QGridLayout(group);
    textLabel_ = new QLabel(T(text::TextColorLabel), group);
    text_ = new ColorButton(ColorFromStored(settings.ColorText), group);
    backgroundLabel_ = new QLabel(T(text::BackgroundColorLabel), group);
    background_ = new ColorButton(ColorFromStored(settings.ColorBk), group);
    systemColors_ = new QCheckBox(T(text::SystemColorsBox), group);
    systemColors_->setChecked(IsOn(settings.UseDefaultColor));
    grid->addWidget(textLabel_, 0, 0);
    grid->addWidget(text_, 0, 1);
    grid->addWidget(backgroundLabel_, 0, 2);
    grid->addWidget(background_, 0, 3);
    grid->setColumnStretch(4, 1);
    grid->addWidget(systemColors_, 1, 0, 1, 5);
    return group;
}

QWidget* ViewOptionsDialog::fontGroup(const AppSettings& settings) {
    auto* group = new QGroupBox(T(text::FontGroup), this);
    auto* grid = new QGridLayout(group);
    nameLabel_ = new QLabel(T(text::FontNameLabel), group);
    description_ = new QLineEdit(group);
    description_->setReadOnly(true);
    showDescription();
    select_ = new QPushButton(T(text::SelectFontButton), group);
    sizeLabel_ = new QLabel(T(text::FontSizeLabel), group);
    size_ = new QLineEdit(QString::number(settings.FontSize), group);
    size_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), size_));
    size_->setAlignment(Qt::AlignRight);
    size_->setMaximumWidth(6 * fontMetrics().averageCharWidth() + 12);
    systemFont_ = new QCheckBox(T(text::SystemFontBox), group);
    systemFont_->setChecked(IsOn(settings.UseDefaultFont));
    grid->addWidget(nameLabel_, 0, 0);
    grid->addWidget(description_, 0, 1);
    grid->addWidget(select_, 0, 2);
    grid->addWidget(sizeLabel_, 1, 0);
    grid->addWidget(size_, 1, 1, Qt::AlignLeft);
    grid->addWidget(systemFont_, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* ViewOptionsDialog::iconGroup(const AppSettings& settings) {
    auto* group = new QGroupBox(T(text::IconGroup), this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(new QLabel(T(text::IconSizeLabel), group));
    icons_ = new QComboBox(group);
    for (const IconSizeItem& item : IconSizeItems()) icons_->addItem(Q(LoadText(item.textId)));
    icons_->setCurrentIndex(IconSizeIndex(settings.IconType));
    row->addWidget(icons_, 1);
    return group;
}

// The whole description from its start: the dialog grows with a long face name.
void ViewOptionsDialog::showDescription() {
    const QString text = Describe(font_);
    description_->setText(text);
    description_->setCursorPosition(0);
    const int ch = fontMetrics().averageCharWidth();
    const int width = description_->fontMetrics().horizontalAdvance(text) + 4 * ch;
    description_->setMinimumWidth(std::clamp(width, 20 * ch, 60 * ch));
}

void ViewOptionsDialog::enableControls() {
    const bool colors = !systemColors_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{textLabel_, text_, backgroundLabel_, background_})
        w->setEnabled(colors);
    const bool font = !systemFont_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{nameLabel_, description_, select_, sizeLabel_, size_})
        w->setEnabled(font);
}

void ViewOptionsDialog::selectFont() {
    QFontDialog picker(font_, this);
    if (picker.exec() != QDialog::Accepted) return;
    QFont chosen = picker.selectedFont();
    if (chosen.family().isEmpty()) chosen.setFamily(font_.family());
    font_ = chosen;
    showDescription();
    size_->setText(QString::number(FontPoints(font_, logicalDpiY())));
    result_.fontChosen = true;
}

void ViewOptionsDialog::accept() {
    std::optional<int32_t> size = CheckFontSize(U(size_->text()));
    if (!size) {
        QMessageBox::warning(this, QApplication::applicationName(), Q(LoadText(text::InvalidFontSize)));
        return;
    }
    result_.useDefaultColor = systemColors_->isChecked() ? 1 : 0;
    result_.colorText = StoredFromColor(text_->color());
    result_.colorBk = StoredFromColor(background_->color());
    result_.useDefaultFont = systemFont_->isChecked() ? 1 : 0;
    result_.fontSize = *size;
    const int icon = icons_->currentIndex();
    result_.iconType = icon >= 0 ? IconSizeItems()[icon].iconType : -1;
    if (result_.fontChosen) {
        result_.chosenFace = U(font_.family());
        result_.chosenWeight = font_.weight();
        result_.chosenItalic = font_.italic();
    }
    QDialog::accept();
}

}  // namespace quirnel
