#pragma once
#include <string>
#include <vector>

// Numbers and times as the rankings, the stage-clear panel, the option scene and
// the save-slot list show them.

// Decimal digits of v, 1 to 10 (0 has one; the sign is not counted).
int DigitCount(int v);
// The last n decimal digits of |v| (n 0 or fewer than v's digits: all of them),
// leading zeros kept with zeroPad, else shown as spaces (the last digit always
// stays); "-" in front of a negative value, "+" in front of any other with plus.
std::string& FormatNumber(std::string& out, int v, int n, bool zeroPad, bool plus);
// Hundredths of a second as "MM:SS.CC" (minutes and seconds at least two digits,
// each with its own "-" when negative; 12345 gives 02:03.45).
std::string& FormatTime(std::string& out, int hundredths);
// How many elements equal v.
int CountValue(const std::vector<int>& values, int v);
