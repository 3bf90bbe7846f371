#include "tools/data_tool/data_tool.h"

#include <strings.h>

#include "app/base/path_util.h"
#include "app/base/record_dump.h"
#include "app/base/data_file.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace {

bool EqualNoCase(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

std::string BaseName(const std::string& path) {
  std::string name = path;
  StripDirectory(name);
  return name;
}

std::string gPaletteOption;

// Reads a whole file into a fresh record of the kind.
std::unique_ptr<cRecord> ReadRecordFile(const cDataKind& kind, const std::string& path, std::FILE* err,
                                        uint32_t* version) {
  DataFilePtr file = OpenDataFile(path.c_str());
  if (!file) {
    PrintLoadFailure(kind.loadError, path, OpenFailureText(path), err);
    return nullptr;
  }
  std::unique_ptr<cRecord> rec = kind.make();
  if (!rec->Read(*file)) {
    PrintLoadFailure(kind.loadError, path, file->Error(), err);
    return nullptr;
  }
  if (version) *version = file->Version();
  return rec;
}

}  // namespace

std::string ShownName(const std::string& sjisPath) { return plat::SjisToUtf8Escaped(sjisPath); }

std::string OpenFailureText(const std::string& path) {
  std::vector<uint8_t> probe;
  plat::ReadStatus status = plat::ReadWholeFile(path, probe, cDataFile::kMaxFileSize);
  if (status == plat::ReadStatus::kOk) return "shorter than its version word (4 bytes)";
  return plat::ReadStatusText(status);
}

void PrintLoadFailure(const std::string& loadError, const std::string& path, const std::string& detail,
                      std::FILE* err) {
  std::string shown = ShownName(path);
  std::string msg;
  if (!loadError.empty()) {
    msg = plat::SjisToUtf8Escaped(loadError);
    size_t at = msg.find("%s");
    if (at != std::string::npos) msg.replace(at, 2, shown);
  } else {
    msg = shown;
  }
  // The record layer's detail starts with the path: the message has named it already.
  std::string rest = detail;
  if (rest.compare(0, path.size() + 3, path + " : ") == 0) rest = rest.substr(path.size() + 3);
  if (rest.empty())
    std::fprintf(err, "%s\n", msg.c_str());
  else
    std::fprintf(err, "%s : %s\n", msg.c_str(), plat::SjisToUtf8Escaped(rest).c_str());
}

const std::string& PaletteOption() { return gPaletteOption; }

std::function<bool(const std::string&)> NameIs(const char* fileName) {
  std::string want = fileName;
  return [want](const std::string& name) { return EqualNoCase(name, want); };
}

std::function<bool(const std::string&)> ExtensionStartsWith(const char* prefix) {
  std::string want = prefix;
  return [want](const std::string& name) {
    std::string ext;
    return GetExt(ext, name) && ext.size() >= want.size() && EqualNoCase(ext.substr(0, want.size()), want);
  };
}

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.size() - BaseName(path).size());
}

const cDataKind* FindDataKind(const std::vector<cDataKind>& kinds, const std::string& path,
                              const std::string& kindName) {
  if (!kindName.empty()) {
    for (const cDataKind& k : kinds)
      if (EqualNoCase(k.name, kindName)) return &k;
    return nullptr;
  }
  std::string name = BaseName(path);
  for (const cDataKind& k : kinds)
    if (k.matches && k.matches(name)) return &k;
  return nullptr;
}

int DumpDataFile(const cDataKind& kind, const std::string& path, std::FILE* out, std::FILE* err) {
  if (kind.dump) return kind.dump(path, out, err);
  uint32_t version = 0;
  std::unique_ptr<cRecord> rec = ReadRecordFile(kind, path, err, &version);
  if (!rec) return 1;
  cDumpWriter w(out);
  w.Line("file = \"%s\"", ShownName(path).c_str());
  w.Line("kind = %s", kind.name.c_str());
  w.Line("version = %u", version);
  w.Line("%s", rec->ClassName());
  w.Indent(1);
  rec->Dump(w);
  return 0;
}

int UpgradeDataFile(const cDataKind& kind, const std::string& in, const std::string& out, std::FILE* err) {
  if (kind.upgrade) return kind.upgrade(in, out, err);
  std::vector<uint8_t> before;
  plat::ReadWholeFile(in, before, cDataFile::kMaxFileSize);
  uint32_t version = 0;
  std::unique_ptr<cRecord> rec = ReadRecordFile(kind, in, err, &version);
  if (!rec) return 1;
  if (!rec->Save(out.c_str())) {
    std::fprintf(err, "%s : cannot be written\n", ShownName(out).c_str());
    return 1;
  }
  NoteRewriteDifference(in, before, version, out, err);
  return 0;
}

void NoteRewriteDifference(const std::string& in, const std::vector<uint8_t>& before, uint32_t version,
                           const std::string& out, std::FILE* err) {
  // A file of the current version comes back byte for byte unless it was not what
  // our writer writes: say so, and where.
  if (version != static_cast<uint32_t>(kDataVersion)) return;
  std::vector<uint8_t> after;
  if (plat::ReadWholeFile(out, after, cDataFile::kMaxFileSize) != plat::ReadStatus::kOk || after == before) return;
  size_t at = 0;
  while (at < before.size() && at < after.size() && before[at] == after[at]) ++at;
  std::fprintf(err,
               "note: %s is of the current version but was not written as this writer writes it: %zu bytes became "
               "%zu, the first difference at offset %zu (values the reading settles, such as the groups a definition "
               "inherits from a palette, are written as settled)\n",
               ShownName(in).c_str(), before.size(), after.size(), at);
}

int RunDataTool(const std::vector<std::string>& args, const std::vector<cDataKind>& kinds, std::FILE* out,
                std::FILE* err) {
  std::vector<std::string> positional;
  std::string kindName;
  gPaletteOption.clear();
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--kind" && i + 1 < args.size()) {
      kindName = args[++i];
    } else if (args[i].rfind("--kind=", 0) == 0) {
      kindName = args[i].substr(7);
    } else if (args[i] == "--palette" && i + 1 < args.size()) {
      gPaletteOption = plat::ArgumentToSjis(args[++i]);
    } else if (args[i].rfind("--palette=", 0) == 0) {
      gPaletteOption = plat::ArgumentToSjis(args[i].substr(10));
    } else {
      positional.push_back(args[i]);
    }
  }
  auto usage = [&] {
    std::fprintf(err,
                 "usage: korvane-data dump FILE [--kind KIND] [--palette CommonPalette.cplt4]\n"
                 "       korvane-data upgrade IN OUT [--kind KIND] [--palette CommonPalette.cplt4]\n"
                 "       korvane-data kinds\n");
    return 2;
  };
  if (positional.empty()) return usage();
  const std::string& verb = positional[0];
  if (verb == "kinds") {
    for (const cDataKind& k : kinds) std::fprintf(out, "%s\n", k.name.c_str());
    return 0;
  }
  if (!((verb == "dump" && positional.size() == 2) || (verb == "upgrade" && positional.size() == 3))) return usage();
  // The game's paths are Shift-JIS; the terminal's are UTF-8. A name is bytes: one
  // that is not UTF-8 is taken as it stands.
  std::string in = plat::ArgumentToSjis(positional[1]);
  const cDataKind* kind = FindDataKind(kinds, in, kindName);
  if (!kind) {
    std::fprintf(err, "%s : unknown kind of data file%s%s (see korvane-data kinds)\n", ShownName(in).c_str(),
                 kindName.empty() ? "" : " : ", kindName.c_str());
    return 1;
  }
  if (verb == "dump") return DumpDataFile(*kind, in, out, err);
  return UpgradeDataFile(*kind, in, plat::ArgumentToSjis(positional[2]), err);
}
