#pragma once
#include <string>

// Path helpers over the game's Shift-JIS, backslash-separated paths. A result that
// would not fit the game's 259-character path buffers makes the helper fail and
// leaves its output unchanged.

constexpr size_t kMaxPathChars = 259;

// An absolute path becomes relative to the current folder; a relative one stays.
bool ToRelativePath(std::string& path);
// A relative path becomes absolute against the current folder.
bool ToFullPath(std::string& path);
// Keeps only the text after the last separator (a 0x5C trail byte is not one).
void StripDirectory(std::string& path);
// out := path with the text after its last dot replaced by ext (null ext: cut at
// the dot). False, with out = path, when there is no dot.
bool ChangeExt(std::string& out, const std::string& path, const char* ext);
bool RemoveExt(std::string& path);
bool GetExt(std::string& out, const std::string& path);
// "a.b" -> "a_12.b" for digits 1 and 2.
bool AddNumberSuffix(std::string& out, const std::string& path, int a, int b);
// The newest existing "<path with ext>_NNN" (NNN from 999 down to 000). False,
// output unchanged, when none exists.
bool FindLatestVersion(std::string& out, const std::string& path, const char* ext);
