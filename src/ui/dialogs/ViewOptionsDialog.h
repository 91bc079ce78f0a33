#pragma once
#include <QDialog>
#include <QFont>

#include "app/ViewOptions.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quirnel {

class ColorButton;

// A font's size in points; fonts set in pixels are converted at the given dots per inch.
int FontPoints(const QFont& font, int dpi);

// The list's colours, font and icon size. It changes no setting itself: after
// OK, options() and chosenFont() say what the user picked (ApplyViewOptions).
class ViewOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // customFont: the list's current custom font, which "Select..." starts from.
    ViewOptionsDialog(const AppSettings& settings, const QFont& customFont, QWidget* parent = nullptr);

    const ViewOptionsResult& options() const { return result_; }
    // The font the picker gave; meaningful when options().fontChosen.
    const QFont& chosenFont() const { return font_; }

    ColorButton* textColorButton() const { return text_; }
    ColorButton* backgroundButton() const { return background_; }
    QCheckBox* systemColors() const { return systemColors_; }
    QLineEdit* fontDescription() const { return description_; }
    QPushButton* selectFontButton() const { return select_; }
    QLineEdit* fontSizeField() const { return size_; }
    QCheckBox* systemFont() const { return systemFont_; }
    QComboBox* iconSizes() const { return icons_; }

public slots:
    void accept() override;

private:
    QWidget* colorGroup(const AppSettings& settings);
    QWidget* fontGroup(const AppSettings& settings);
    QWidget* iconGroup(const AppSettings& settings);
    void showDescription();
    void enableControls();
    void selectFont();

    ViewOptionsResult result_;
    QFont font_;
    ColorButton* text_ = nullptr;
    ColorButton* background_ = nullptr;
    QLabel* textLabel_ = nullptr;
    QLabel* backgroundLabel_ = nullptr;
    QCheckBox* systemColors_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLineEdit* description_ = nullptr;
    QPushButton* select_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QLineEdit* size_ = nullptr;
    QCheckBox* systemFont_ = nullptr;
    QComboBox* icons_ = nullptr;
};

}  // namespace quirnel
