#pragma once

#include <optional>

class QKeyEvent;

namespace minizol {

// The key-down code of a key event: Ctrl 17, Page Up 33, Page Down 34, arrows 37 to 40,
// F1 112 and so on; letters and digits their capital ASCII codes. Nothing for keys that have
// no code.
std::optional<int> KeyDownCode(const QKeyEvent& event);

// The character a key event types: Backspace 8, Enter (both) 13, Esc 27, Space 32, and every
// printable character its own code, keypad included. Nothing for keys that type nothing.
std::optional<int> CharacterCode(const QKeyEvent& event);

}  // namespace minizol
