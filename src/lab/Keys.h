#pragma once

namespace lab::keys {

// Key combinations as one integer: a key code with modifier bits, the codes
// and bits Qt uses (so the desktop hands its own over unchanged, and scripts
// spell keys as Qt does).
inline constexpr int Shift = 0x02000000;
inline constexpr int Control = 0x04000000;
inline constexpr int Alt = 0x08000000;
inline constexpr int Meta = 0x10000000;
inline constexpr int Keypad = 0x20000000;
inline constexpr int ModifierMask = Shift | Control | Alt | Meta | Keypad;

inline constexpr int Space = 0x20;
inline constexpr int Digit1 = 0x31;
inline constexpr int Digit5 = 0x35;
inline constexpr int L = 0x4c;
inline constexpr int M = 0x4d;
// "[" and "]"; "{" and "}" are where Shift puts them on many layouts.
inline constexpr int BracketLeft = 0x5b;
inline constexpr int BracketRight = 0x5d;
inline constexpr int BraceLeft = 0x7b;
inline constexpr int BraceRight = 0x7d;
inline constexpr int Left = 0x01000012;
inline constexpr int Up = 0x01000013;
inline constexpr int Right = 0x01000014;
inline constexpr int Down = 0x01000015;
inline constexpr int Home = 0x01000010;
inline constexpr int End = 0x01000011;
inline constexpr int PageUp = 0x01000016;
inline constexpr int PageDown = 0x01000017;

}  // namespace lab::keys
