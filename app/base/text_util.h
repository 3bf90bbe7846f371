#pragma once
#include <cstddef>
#include <string>

// Shift-JIS text helpers.

// True when p[0] is a Shift-JIS lead byte and p[1] a trail byte.
bool IsSjisDoubleByte(const char* p);
// Characters of a text: a double-byte character counts once, line feeds do not count.
int CountChars(const char* text);
int CountChars(const std::string& text);

// The longest start of the text (length bytes) of at most maxBytes bytes that does
// not end inside a double-byte character.
size_t SjisPrefixLength(const char* text, size_t length, size_t maxBytes);

// Cuts the string at its first zero byte; returns the new length.
int TrimToCString(std::string& s);

// A part of a string with forgiving bounds: a negative start shortens the count
// and becomes 0; a start beyond the end or a count of 0 gives the empty string; a
// negative count or one reaching past the end takes the rest.
std::string SafeSubstr(const std::string& s, int start, int count);

// A random integer from a to b inclusive (bounds swapped when b < a).
int RandRange(int a, int b);
