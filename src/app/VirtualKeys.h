#pragma once
#include <cstdint>

namespace quirnel {

// The key codes the configuration file stores for hotkeys (the classic
// virtual-key numbering), so files stay exchangeable between platforms. The
// window maps its toolkit's keys onto these.
namespace vk {
constexpr int32_t Backspace = 8, Tab = 9, Clear = 12, Enter = 13, Shift = 16, Control = 17, Alt = 18,
                  Pause = 19, CapsLock = 20, Escape = 27, Space = 32;
constexpr int32_t PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40,
                  PrintScreen = 44, Insert = 45, Delete = 46;
constexpr int32_t Digit0 = 48;  // '0'..'9' are 48..57
constexpr int32_t LetterA = 65; // 'A'..'Z' are 65..90
constexpr int32_t Numpad0 = 96; // numpad digits are 96..105
constexpr int32_t Multiply = 106, Add = 107, Subtract = 109, Decimal = 110, Divide = 111;
constexpr int32_t F1 = 112;     // F1..F12 are 112..123
constexpr int32_t NumLock = 144, ScrollLock = 145;
constexpr int32_t LeftShift = 160, RightShift = 161, LeftControl = 162, RightControl = 163;
// Punctuation keys, named by their unshifted character on a US layout.
constexpr int32_t Semicolon = 186, Equals = 187, Comma = 188, Minus = 189, Period = 190, Slash = 191,
                  Grave = 192, LeftBracket = 219, Backslash = 220, RightBracket = 221, Quote = 222;
}  // namespace vk

// The key that types a character on a US layout, shifted forms included
// ('!' is the 1 key, '<' the comma key); letters either case. 0 for others.
int32_t VirtualKeyOfCharacter(char16_t c);

// A numpad key for '0'..'9', '*', '+', '-', '.', '/' typed on the keypad; 0 for others.
int32_t NumpadVirtualKey(char16_t c);

}  // namespace quirnel
