#pragma once

// Keys by name, as Qt's portable text spells them, for the key= action and
// the set-up files.

#include <optional>
#include <string>
#include <string_view>

namespace lab {

// A single key press as Qt's portable text spells it ("Right", "Shift+Left",
// "Ctrl+3", "Space", any case) as a key combination (Keys.h), and back. Only
// the spelling that reads back the same is taken: the modifiers once each in
// the order Meta, Ctrl, Alt, Shift, Num, then one key: an ASCII character
// other than the blank (a letter stands for its capital) or the name of a key of a PC
// keyboard (Esc, Tab, Backtab, Backspace, Return, Enter, Ins, Del, Pause,
// Print, SysReq, Clear, Home, End, Left, Up, Right, Down, PgUp, PgDown, Shift,
// Control, Meta, Alt, CapsLock, NumLock, ScrollLock, F1..F35, Menu, Help).
[[nodiscard]] std::optional<int> ParseKey(std::string_view text);
[[nodiscard]] std::string KeyText(int key);

}  // namespace lab
