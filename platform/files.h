#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// Files named the game's way: Shift-JIS text, backslashes (or slashes), any letter
// case, relative to the current folder (the game project's folder).
namespace plat {

// The game's path buffers hold 259 characters and a terminator.
constexpr size_t kMaxPath = 260;

// The native (UTF-8, slash-separated) path for a game path. Each component that
// exists is matched exactly first and then without regard to ASCII letter case;
// components that do not exist are converted as they stand (for creation).
std::string NativePath(std::string_view gamePath);

// The components of a game path: separators are '\' and '/', but a 0x5C that is
// the second byte of a Shift-JIS character is part of its component.
std::vector<std::string> SplitGamePath(std::string_view gamePath);

bool IsAbsoluteGamePath(std::string_view gamePath);

// fopen through the resolver; only a regular file (or, for writing, a new one) is
// opened, and a FIFO or a device in its place is refused without waiting.
FILE* OpenFile(std::string_view gamePath, const char* mode);

bool FileExists(std::string_view gamePath);       // a file or a folder
bool DirectoryExists(std::string_view gamePath);
// Size in bytes, or -1 when the file cannot be examined.
int64_t FileSize(std::string_view gamePath);

enum class ReadStatus { kOk, kMissing, kTooLarge, kNotAFile, kNoAccess, kError };
// Reads a whole file; refuses files larger than cap bytes before allocating, and
// anything but a regular file (a folder, a FIFO, a device) without waiting on it.
ReadStatus ReadWholeFile(std::string_view gamePath, std::vector<uint8_t>& out, size_t cap);
// The same for a native path (a name from the environment).
ReadStatus ReadNativeFile(const std::string& nativePath, std::vector<uint8_t>& out, size_t cap);
// What a status means, for messages ("file not found", ...).
const char* ReadStatusText(ReadStatus status);

// Writes through a temporary file in the same folder, checking every write and the
// close, then renames it over the target. On any failure the old file is untouched.
bool WriteFileAtomic(std::string_view gamePath, const void* data, size_t size);

bool MakeDirectory(std::string_view gamePath);  // true when it exists afterwards
bool RemoveFile(std::string_view gamePath);
bool RenamePath(std::string_view from, std::string_view to);
bool RemoveTree(std::string_view gamePath);
// Copies the folder tree `from` to the new folder `to` (which must not exist yet),
// every file and subfolder; true when all of it was copied. On failure `to` holds
// part of the copy: the caller removes it.
bool CopyTree(std::string_view from, std::string_view to);

// Names (Shift-JIS) of the entries of a folder, sorted, without "." and "..";
// a name that is no UTF-8 text comes as its bytes.
std::vector<std::string> ListDirectory(std::string_view gamePath);

// The current folder as an absolute game path (Shift-JIS, slashes); empty on failure.
std::string CurrentDirectory();

// The system's text for the last failed file call (errno), for messages.
std::string LastErrorText();

// Test hook: the next n atomic writes fail as a full disk would.
void InjectWriteFailures(int n);
// Test hook: CopyTree fails at the file after `files` copied files (a full disk in
// the middle of a copy); -1 turns it off.
void InjectCopyFailureAfter(int files);

}  // namespace plat
