#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

// The play trace (KORVANE_TRACE=FILE): the one observable record of play, one JSON
// object a line, written by the shell (mode changes), the sound requests and stage
// play (the phase line of every frame, events). Every line starts with the frame
// counter of the run, "f". Nothing is written while the control is unset, and
// nothing else goes to the file. Any thread may write; lines never interleave.

// Whether the trace is written in this run (the control is read once).
bool PlayTraceOn();
// KORVANE_TRACE_DETAIL=1: the per-frame character and shot lists too.
bool PlayTraceDetailOn();

// The frame the next lines belong to (the frame step numbers each frame).
void PlayTraceSetFrame(uint32_t frame);
uint32_t PlayTraceFrame();

// One line: {"f":F,<fields>} where fields is the rest of the object, without its
// leading comma ("\"ev\":\"se\",\"n\":3").
void PlayTraceLine(const std::string& fields);
// One event line: {"f":F,"ev":"<name>","<key>":<value>,...} with integer values.
void PlayTraceEvent(const char* name, std::initializer_list<std::pair<const char*, long long>> fields);

// The event of a user file written: {"f":F,"ev":"file","path":"<path>"}.
void PlayTraceFile(const std::string& path);

// A double as the trace prints it: exactly (%.17g).
std::string TraceNumber(double value);
// A JSON string literal of a Shift-JIS text (bytes above 0x7F kept as they are).
std::string TraceString(const std::string& text);

// Tests: writes the trace to path from now on (empty: stops writing), replacing
// what the environment said; the file is created anew.
void PlayTraceRedirect(const std::string& path);
