#pragma once
#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;
class QWidget;

namespace quirnel {

// Underlined access letters (mnemonics). A letter is chosen from the English
// text, first letters of words first, and is unique among its neighbours.
// English texts get '&' before it; other languages keep their text and add
// "(&X)" after it, before a trailing "..." and a hotkey after a tab. A text
// that already has an access letter keeps it.
QStringList WithAccessLetters(const QStringList& texts);

// The items of a menu and its submenus, and the controls of a dialog that
// show a text (buttons, check boxes, labels with a buddy).
void AddAccessLetters(QMenu* menu);
void AddAccessLetters(QWidget* dialog);

// The text with a letter that no other control of the label's window has,
// for a label whose text changes while its dialog shows.
QString WithFreeAccessLetter(const QString& text, const QWidget* label);

// Gives every dialog of the application its letters when it shows.
class AccessLetterFilter : public QObject {
public:
    explicit AccessLetterFilter(QObject* parent = nullptr);
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace quirnel
