#pragma once
#include <cstdint>
#include <string>

#include "app/base/vector.h"

class Font;

// The text rules of a message window: the expansion of variable references and
// the size the text takes. Plain values in, plain values out; the window, the
// message command and the probe call the same functions.

// "#" references in a Shift-JIS text replaced by the values of common or stage
// variables: "#C3" or "#S12", with an optional format part after "_" (a single
// digit of minimum width, "P" for a plus sign, "Z" for leading zeros); a "." that
// ends a reference is taken with it. A reference to a variable that does not exist
// stays as written.
void ExpandMessageVariables(std::string& text, const cVector<int32_t>& common, const cVector<int>& stage);
// The same with the play's own variables: the save data's common variables and the
// live stage's stage variables (none outside stage play).
void ExpandMessageVariables(std::string& text);

// One value as a reference formats it: width digits at least, leading zeros kept
// (zeros) or shown as spaces, a sign in front ("-", or "+" with plus).
std::string FormatMessageNumber(int64_t value, int width, bool plus, bool zeros);

// The size of a window's text in font: at the font's fixed pitch the widest line's
// characters x pitch x by lines x pitch y, otherwise the font's own measure of the
// widest line by lines x line pitch; both with a dot of border on each side.
void MeasureMessageText(Font& font, const std::string& text, int* width, int* height);
// The same in the message font (font 1).
void MeasureMessageText(const std::string& text, int* width, int* height);
