#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "optics/LensDesign.h"

namespace lab {

// One scripted user input, run through the same event procedures as a real one.
struct Action {
  // Source, Entry: a whole drag of a marker; MouseDown, MouseMove, MouseUp:
  // one raw event of the canvas at a world point. DragHeight, DragRays,
  // DragTime: a drag of the bar's thumb to a value; Key: one key press (value
  // is the key combination, see Keys.h); Play: the time sweep run to its end;
  // Reset: everything back as at start-up (File > Reset); Lens: another lens;
  // Active: the marker the arrow keys move (value 0: the source, 1: the entry point).
  enum class Kind { Source, Entry, Height, Rays, Time, Press, MouseDown, MouseMove, MouseUp,
                    DragHeight, DragRays, DragTime, Key, Play, Reset, Lens, Active };
  Kind kind = Kind::Press;
  float x = 0, y = 0;  // the world point of a drag's end or of a mouse event
  int value = 0;       // Height, Rays, Time: the bar's value; Press: the button 1..5
  optics::LensDesign lens;  // Lens: the lens, one that can exist
  bool operator==(const Action&) const = default;
};

// Reads one command-line word "key=value" (or just "key") and appends the
// action to `into`. Returns a one-line error naming the argument ("unknown
// action 'zoom=2'", "expected a whole number in 'rays=x'"), empty when good.
[[nodiscard]] std::string ParseAction(std::string_view arg, std::vector<Action>& into);

// Each action's syntax and help line, in the order --help lists them.
struct ActionHelp {
  const char* syntax;
  const char* help;
};
[[nodiscard]] std::vector<ActionHelp> ActionHelpRows();

// The action as the command line spells it, e.g. "entry=-15,0.5"; each
// coordinate with the fewest significant digits that read back as the same
// float, in the 'g' form of that many digits (-200 is "-2e+02").
[[nodiscard]] std::string ActionText(const Action& a);

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

// A whole number written as digits with an optional minus, nothing around it.
[[nodiscard]] std::optional<int> ParseInt(std::string_view s);

// A finite number that a Single can hold (|v| <= 3e38), read in the C
// locale's spelling whatever the user's locale: an optional sign (the minus
// sign U+2212 too), digits with an optional point (".5" and "5." included),
// an optional exponent. No blanks, hexadecimal, "inf" or "nan". A number that
// underflows to zero is refused. Unicode spaces other than ASCII blanks around
// it, and a byte-order mark at the start, are skipped, as QString::toDouble
// skips them.
[[nodiscard]] std::optional<float> ParseCoordinate(std::string_view s);

// The shortest decimal text that reads back (through ParseCoordinate) as v.
[[nodiscard]] std::string CoordinateText(float v);

// A client area "WxH" in pixels, from 200x150 to 16384x16384.
inline constexpr int kMinClientWidth = 200, kMinClientHeight = 150, kMaxClientSide = 16384;
[[nodiscard]] std::optional<std::pair<int, int>> ParseSize(std::string_view text);
// Why `text`, given to `option`, is not a size; empty when ParseSize takes it.
[[nodiscard]] std::string SizeError(std::string_view option, std::string_view text);

// The argument in single quotes, as the command lines' errors name it.
[[nodiscard]] std::string Quoted(std::string_view s);

}  // namespace lab
