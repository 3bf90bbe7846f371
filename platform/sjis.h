#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

// Code page 932 byte classes.
inline bool IsSjisLeadByte(uint8_t c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool IsSjisTrailByte(uint8_t c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// CP932 text to UTF-8. A byte sequence with no Unicode form becomes '?'.
std::string SjisToUtf8(std::string_view sjis);

// As SjisToUtf8, but each byte that does not decode is shown as \xNN, so that a
// name in a message keeps every byte (messages on a terminal).
std::string SjisToUtf8Escaped(std::string_view sjis);

// True when text is well-formed UTF-8.
bool IsUtf8(std::string_view text);

// A command-line argument (bytes) as the game's Shift-JIS text: UTF-8 converted
// when every character survives the conversion, else the bytes as given.
std::string ArgumentToSjis(std::string_view arg);

// UTF-8 to CP932. Characters with no CP932 form are dropped; the JIS-style
// variants that CP932 spells with other code points (wave dash and the like)
// are mapped to their CP932 twins first.
std::string Utf8ToSjis(std::string_view utf8);

}  // namespace plat

// A Japanese literal of our source (UTF-8) as the Shift-JIS bytes that the game
// uses at run time, converted once per use site.
#define SJ(utf8_literal)                                                          \
  ([]() -> const char* {                                                          \
    static const std::string korvane_sjis_text = ::plat::Utf8ToSjis(utf8_literal); \
    return korvane_sjis_text.c_str();                                             \
  }())
