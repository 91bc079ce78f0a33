#include "ui/AccessLetters.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <algorithm>

#include "base/StringTable.h"
#include "ui/QtText.h"

namespace quirnel {
namespace {

constexpr int kLastTextId = 999;

// The English text of a text shown in another language, found by its row.
QString EnglishOf(const QString& shown) {
    if (CurrentUiLanguage() == UiLanguage::English) return shown;
    const QString words = shown.section(u'\t', 0, 0);
    static QHash<QString, QString> english = [] {
        QHash<QString, QString> map;
        for (int id = 1; id <= kLastTextId; ++id)
            if (IsStringId(id))  // menu texts carry their default hotkey after a tab
                map.insert(Q(LoadText(id, UiLanguage::Korean)).section(u'\t', 0, 0),
                           Q(LoadText(id, UiLanguage::English)).section(u'\t', 0, 0));
        return map;
    }();
    const QString found = english.value(words);
    // An all-ASCII text ("English") is its own English.
    if (found.isEmpty() && std::all_of(words.begin(), words.end(), [](QChar c) { return c.unicode() < 128; }))
        return shown;
    return found == words ? shown : found;
}

// The access letter a text has already: the character after a lone '&'.
QChar MarkedLetter(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] != u'&') return text[i + 1].toUpper();
        ++i;
    }
    return {};
}

bool Usable(QChar c) { return c.isLetterOrNumber() && c.unicode() < 128; }

// Where in the English text the letter is: a word's first letter if one is free, else any.
qsizetype PickLetter(const QString& english, const QSet<QChar>& taken) {
    const QString shown = english.left(english.indexOf(u'\t'));
    for (int pass = 0; pass < 2; ++pass)
        for (qsizetype i = 0; i < shown.size(); ++i) {
            // Not the letter of a "%Y" placeholder, which reads as the placeholder.
            const bool wordStart = i == 0 || (!shown[i - 1].isLetterOrNumber() && shown[i - 1] != u'%');
            if (Usable(shown[i]) && (pass == 1 || wordStart) && !taken.contains(shown[i].toUpper())) return i;
        }
    return -1;
}

QString Marked(const QString& text, const QString& english, qsizetype at) {
    if (text.section(u'\t', 0, 0) == english.section(u'\t', 0, 0)) return QString(text).insert(at, u'&');
    // "(&X)" goes after the words, before an ellipsis and a hotkey.
    qsizetype end = text.indexOf(u'\t');
    if (end < 0) end = text.size();
    while (end > 0 && (text[end - 1] == u'.' || text[end - 1] == u' ')) --end;
    return QString(text).insert(end, QStringLiteral("(&%1)").arg(english[at].toUpper()));
}

}  // namespace

QStringList WithAccessLetters(const QStringList& texts) {
    QSet<QChar> taken;
    for (const QString& t : texts)
        if (QChar c = MarkedLetter(t); !c.isNull()) taken.insert(c);
    QStringList out;
    for (const QString& t : texts) {
        // A text of no row (a name filled in) takes the first free letter.
        QString english = EnglishOf(t);
        if (english.isEmpty()) english = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        const qsizetype at = t.isEmpty() || !MarkedLetter(t).isNull() ? -1 : PickLetter(english, taken);
        if (at < 0) {
            out << t;
            continue;
        }
        taken.insert(english[at].toUpper());
        out << Marked(t, english, at);
    }
    return out;
}

void AddAccessLetters(QMenu* menu) {
    QList<QAction*> items;
    QStringList texts;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        items << a;
        texts << a->text();
        if (a->menu()) AddAccessLetters(a->menu());
    }
    const QStringList marked = WithAccessLetters(texts);
    for (qsizetype i = 0; i < items.size(); ++i) items[i]->setText(marked[i]);
}

namespace {

// The controls of a dialog that show a text with a letter, and their texts.
QList<QWidget*> LetteredControls(const QWidget* dialog, QStringList& texts) {
    QList<QWidget*> controls;
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        auto* button = qobject_cast<QAbstractButton*>(w);
        auto* label = qobject_cast<QLabel*>(w);
        if (button && !button->text().isEmpty()) texts << button->text();
        else if (label && label->buddy() && !label->text().isEmpty() && label->textFormat() != Qt::RichText) texts << label->text();
        else continue;
        controls << w;
    }
    return controls;
}

}  // namespace

QString WithFreeAccessLetter(const QString& text, const QWidget* label) {
    QStringList texts;
    const QList<QWidget*> controls = LetteredControls(label->window(), texts);
    // Its old text holds no letter.
    if (const qsizetype self = controls.indexOf(const_cast<QWidget*>(label)); self >= 0) texts.removeAt(self);
    texts << text;
    return WithAccessLetters(texts).back();
}

void AddAccessLetters(QWidget* dialog) {
    QStringList texts;
    const QList<QWidget*> controls = LetteredControls(dialog, texts);
    const QStringList marked = WithAccessLetters(texts);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        if (auto* button = qobject_cast<QAbstractButton*>(controls[i])) button->setText(marked[i]);
        else static_cast<QLabel*>(controls[i])->setText(marked[i]);
    }
}

AccessLetterFilter::AccessLetterFilter(QObject* parent) : QObject(parent) {}

bool AccessLetterFilter::eventFilter(QObject* watched, QEvent* event) {
    // Only the program's own dialogs: the toolkit's have their letters.
    if (event->type() == QEvent::Show)
        if (auto* dialog = qobject_cast<QDialog*>(watched);
            dialog && QLatin1String(dialog->metaObject()->className()).startsWith(QLatin1String("quirnel::")))
            AddAccessLetters(dialog);
    return QObject::eventFilter(watched, event);
}

}  // namespace quirnel
