#pragma once
#include <string>

class cChara;

// The one-line expression language of the "run code" command: variables,
// statuses and system values read and assigned with integer arithmetic,
// parentheses and rand(a, b). Lines are Shift-JIS text; a line holds at most
// kRunCodeLineMax characters (the rest is cut).
constexpr int kRunCodeLineMax = 5119;

// Runs a line for `self`: 1 when it ran without error, 0 after an error (each
// error may have shown its message box; what ran before it stays done).
int RunCode(const std::string& text, cChara& self);
// Evaluates a line (groups and function calls first, each replaced by its value)
// and returns its value.
int ParseCode(const std::string& text, cChara& self);
// Tokenises and evaluates a line without parentheses.
int EvalCodeStatement(const std::string& text, cChara& self);

// Told the number (1 to 6) of every message a line gives, before its box: the
// probe and the tests listen. Null: nobody listens.
using RunCodeMessageHook = void (*)(int number);
void SetRunCodeMessageHook(RunCodeMessageHook hook);
