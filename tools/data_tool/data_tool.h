#pragma once
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/base/record.h"

// One kind of data file the tool knows.
struct cDataKind {
  std::string name;  // the file name as the game names it, or a description ("stage file")
  // Whether a file name (without folders) is of this kind.
  std::function<bool(const std::string& fileName)> matches;
  // A fresh record of the file's top-level class; null for kinds with their own operations.
  std::function<std::unique_ptr<cRecord>()> make;
  // The game's own message (Shift-JIS) for a file of this kind that cannot be read;
  // "%s" takes the path.
  std::string loadError;
  // Kinds whose files are not one record provide their own operations
  // (exit code 0 or 1; messages to err).
  std::function<int(const std::string& path, std::FILE* out, std::FILE* err)> dump;
  std::function<int(const std::string& in, const std::string& out, std::FILE* err)> upgrade;
};

// Every kind of the game's files.
const std::vector<cDataKind>& DataKinds();

// The kind of a file: the one named by kindName when it is not empty (matched
// without regard to case), else the first whose pattern matches the file name.
const cDataKind* FindDataKind(const std::vector<cDataKind>& kinds, const std::string& path,
                              const std::string& kindName);

// The tool's verbs; each returns the exit code.
int DumpDataFile(const cDataKind& kind, const std::string& path, std::FILE* out, std::FILE* err);
int UpgradeDataFile(const cDataKind& kind, const std::string& in, const std::string& out, std::FILE* err);

// After an upgrade: a note when a file of the current version did not come back
// byte for byte (before: the file as it was read).
void NoteRewriteDifference(const std::string& in, const std::vector<uint8_t>& before, uint32_t version,
                           const std::string& out, std::FILE* err);

// The whole command line (argv[0] excluded) against a kind table.
int RunDataTool(const std::vector<std::string>& args, const std::vector<cDataKind>& kinds, std::FILE* out,
                std::FILE* err);

// Helpers for the kind table.
std::function<bool(const std::string&)> NameIs(const char* fileName);
std::function<bool(const std::string&)> ExtensionStartsWith(const char* prefix);
// The folder a path lies in, with its separator ("" for the current folder).
std::string FolderOf(const std::string& path);

// A game path (Shift-JIS) for a message on the terminal: UTF-8, with every byte
// that does not decode shown as \xNN.
std::string ShownName(const std::string& sjisPath);
// A file that cannot be read: the game's message for its kind (loadError, "%s"
// taking the path), then what went wrong, without naming the file a second time.
void PrintLoadFailure(const std::string& loadError, const std::string& path, const std::string& detail,
                      std::FILE* err);
// Why a data file could not be opened (missing, a folder, too short, ...).
std::string OpenFailureText(const std::string& path);
// The common palette file named by --palette (Shift-JIS), or empty.
const std::string& PaletteOption();
