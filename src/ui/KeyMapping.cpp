#include "ui/KeyMapping.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include "app/VirtualKeys.h"

namespace quirnel {
namespace {

struct Pair {
    int qt;
    int32_t vk;
};

// Keys that are not letters, digits or function keys.
constexpr Pair kNamed[] = {
    {Qt::Key_Backspace, vk::Backspace}, {Qt::Key_Tab, vk::Tab},           {Qt::Key_Backtab, vk::Tab},
    {Qt::Key_Clear, vk::Clear},
    {Qt::Key_Return, vk::Enter},        {Qt::Key_Enter, vk::Enter},       {Qt::Key_Shift, vk::Shift},
    {Qt::Key_Control, vk::Control},     {Qt::Key_Alt, vk::Alt},           {Qt::Key_Pause, vk::Pause},
    {Qt::Key_CapsLock, vk::CapsLock},   {Qt::Key_Escape, vk::Escape},     {Qt::Key_Space, vk::Space},
    {Qt::Key_PageUp, vk::PageUp},       {Qt::Key_PageDown, vk::PageDown}, {Qt::Key_End, vk::End},
    {Qt::Key_Home, vk::Home},           {Qt::Key_Left, vk::Left},         {Qt::Key_Up, vk::Up},
    {Qt::Key_Right, vk::Right},         {Qt::Key_Down, vk::Down},         {Qt::Key_Print, vk::PrintScreen},
    {Qt::Key_Insert, vk::Insert},       {Qt::Key_Delete, vk::Delete},     {Qt::Key_NumLock, vk::NumLock},
    {Qt::Key_ScrollLock, vk::ScrollLock},
    {Qt::Key_Semicolon, vk::Semicolon}, {Qt::Key_Equal, vk::Equals},      {Qt::Key_Comma, vk::Comma},
    {Qt::Key_Minus, vk::Minus},         {Qt::Key_Period, vk::Period},     {Qt::Key_Slash, vk::Slash},
    {Qt::Key_QuoteLeft, vk::Grave},     {Qt::Key_BracketLeft, vk::LeftBracket},
    {Qt::Key_Backslash, vk::Backslash}, {Qt::Key_BracketRight, vk::RightBracket},
    {Qt::Key_Apostrophe, vk::Quote},
};

// The XKB key codes of the digit row: 10..18 are the keys 1..9, 19 is 0.
constexpr uint32_t kXkbDigit1 = 10, kXkbDigit0 = 19;

bool PlatformGivesXkbKeyCodes() {
    static const bool xkb = [] {
        QString name = QGuiApplication::platformName();
        return name == QLatin1String("xcb") || name.startsWith(QLatin1String("wayland"));
    }();
    return xkb;
}

}  // namespace

int32_t VirtualKeyOf(int key, Qt::KeyboardModifiers modifiers, char16_t text, uint32_t xkbKeyCode) {
    if (modifiers & Qt::KeypadModifier) {
        if (int32_t pad = NumpadVirtualKey(text)) return pad;
        if (key >= Qt::Key_0 && key <= Qt::Key_9) return vk::Numpad0 + (key - Qt::Key_0);
    } else if (xkbKeyCode >= kXkbDigit1 && xkbKeyCode <= kXkbDigit0) {
        return xkbKeyCode == kXkbDigit0 ? vk::Digit0 : vk::Digit0 + static_cast<int32_t>(xkbKeyCode - kXkbDigit1 + 1);
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return vk::LetterA + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return vk::Digit0 + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return vk::F1 + (key - Qt::Key_F1);
    for (const Pair& p : kNamed)
        if (p.qt == key) return p.vk;
    // Shifted punctuation arrives as its own key ('!' for Shift+1): the key
    // that types it is the one stored.
    if (key > 0 && key < 0x80) return VirtualKeyOfCharacter(static_cast<char16_t>(key));
    return 0;
}

int32_t VirtualKeyOf(const QKeyEvent& event) {
    QString text = event.text();
    uint32_t xkb = PlatformGivesXkbKeyCodes() ? event.nativeScanCode() : 0;
    return VirtualKeyOf(event.key(), event.modifiers(), text.isEmpty() ? u'\0' : text.at(0).unicode(), xkb);
}

int QtKeyOf(int32_t v) {
    if (v >= vk::LetterA && v < vk::LetterA + 26) return Qt::Key_A + (v - vk::LetterA);
    if (v >= vk::Digit0 && v < vk::Digit0 + 10) return Qt::Key_0 + (v - vk::Digit0);
    if (v >= vk::Numpad0 && v < vk::Numpad0 + 10) return Qt::Key_0 + (v - vk::Numpad0);
    if (v >= vk::F1 && v < vk::F1 + 12) return Qt::Key_F1 + (v - vk::F1);
    switch (v) {
        case vk::Multiply: return Qt::Key_Asterisk;
        case vk::Add: return Qt::Key_Plus;
        case vk::Subtract: return Qt::Key_Minus;
        case vk::Decimal: return Qt::Key_Period;
        case vk::Divide: return Qt::Key_Slash;
        default: break;
    }
    for (const Pair& p : kNamed)
        if (p.vk == v) return p.qt;
    return Qt::Key_unknown;
}

}  // namespace quirnel
