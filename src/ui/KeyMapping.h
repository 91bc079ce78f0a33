#pragma once
#include <QKeyCombination>
#include <cstdint>

class QKeyEvent;

namespace quirnel {

// The stored key code of a key press (the numbering the configuration keeps),
// 0 for keys that have none. Keypad keys map to the numpad codes. The digit
// row counts by its place where the platform names keys by their XKB key
// codes, so Ctrl+1 stays Ctrl+1 on layouts whose digit row types other
// characters; other keys count by the character they type.
int32_t VirtualKeyOf(const QKeyEvent& event);
int32_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers, char16_t text, uint32_t xkbKeyCode = 0);

// The toolkit key of a stored code (for menu shortcuts); Qt::Key_unknown when none.
int QtKeyOf(int32_t virtualKey);

}  // namespace quirnel
