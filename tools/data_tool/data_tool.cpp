#include "tools/data_tool/data_tool.h"

#include <strings.h>

#include "app/base/path_util.h"
#include "app/base/record_dump.h"
#include "platform/sjis.h"

namespace {

bool EqualNoCase(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

std::string BaseName(const std::string& path) {
  std::string name = path;
  StripDirectory(name);
  return name;
}

// The game's message for the kind, in the terminal's UTF-8, then what went wrong.
void ReportFailure(const cDataKind& kind, const std::string& path, const std::string& detail, std::FILE* err) {
  if (!kind.loadError.empty()) {
    std::string msg = plat::SjisToUtf8(kind.loadError);
    size_t at = msg.find("%s");
    if (at != std::string::npos) msg.replace(at, 2, path);
    std::fprintf(err, "%s\n", msg.c_str());
  }
  if (!detail.empty()) std::fprintf(err, "%s\n", plat::SjisToUtf8(detail).c_str());
}

// Reads a whole file into a fresh record of the kind.
std::unique_ptr<cRecord> ReadRecordFile(const cDataKind& kind, const std::string& path, std::FILE* err,
                                        uint32_t* version) {
  DataFilePtr file = OpenDataFile(path.c_str());
  if (!file) {
    ReportFailure(kind, path, path + " : cannot be opened or is shorter than its version word", err);
    return nullptr;
  }
  std::unique_ptr<cRecord> rec = kind.make();
  if (!rec->Read(*file)) {
    ReportFailure(kind, path, file->Error(), err);
    return nullptr;
  }
  if (version) *version = file->Version();
  return rec;
}

}  // namespace

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
  w.Line("file = \"%s\"", plat::SjisToUtf8(path).c_str());
  w.Line("kind = %s", kind.name.c_str());
  w.Line("version = %u", version);
  w.Line("%s", rec->ClassName());
  w.Indent(1);
  rec->Dump(w);
  return 0;
}

int UpgradeDataFile(const cDataKind& kind, const std::string& in, const std::string& out, std::FILE* err) {
  if (kind.upgrade) return kind.upgrade(in, out, err);
  std::unique_ptr<cRecord> rec = ReadRecordFile(kind, in, err, nullptr);
  if (!rec) return 1;
  if (!rec->Save(out.c_str())) {
    std::fprintf(err, "%s : cannot be written\n", plat::SjisToUtf8(out).c_str());
    return 1;
  }
  return 0;
}

int RunDataTool(const std::vector<std::string>& args, const std::vector<cDataKind>& kinds, std::FILE* out,
                std::FILE* err) {
  std::vector<std::string> positional;
  std::string kindName;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--kind" && i + 1 < args.size()) {
      kindName = args[++i];
    } else if (args[i].rfind("--kind=", 0) == 0) {
      kindName = args[i].substr(7);
    } else {
      positional.push_back(args[i]);
    }
  }
  auto usage = [&] {
    std::fprintf(err,
                 "usage: korvane-data dump FILE [--kind KIND]\n"
                 "       korvane-data upgrade IN OUT [--kind KIND]\n"
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
  // The game's paths are Shift-JIS; the terminal's are UTF-8.
  std::string in = plat::Utf8ToSjis(positional[1]);
  const cDataKind* kind = FindDataKind(kinds, in, kindName);
  if (!kind) {
    std::fprintf(err, "%s: unknown kind of data file%s%s (see korvane-data kinds)\n", positional[1].c_str(),
                 kindName.empty() ? "" : ": ", kindName.c_str());
    return 1;
  }
  if (verb == "dump") return DumpDataFile(*kind, in, out, err);
  return UpgradeDataFile(*kind, in, plat::Utf8ToSjis(positional[2]), err);
}
