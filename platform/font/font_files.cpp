#include "platform/font/font_files.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/sjis.h"

namespace plat {
namespace {

constexpr const char* kGothic = "ipag.ttf";
constexpr const char* kPGothic = "ipagp.ttf";
constexpr const char* kMincho = "ipam.ttf";
constexpr const char* kPMincho = "ipamp.ttf";

struct FaceEntry {
  const char* face;  // UTF-8
  const char* file;
};

// Faces named outright; the rest go by the rules in FontFileForFace.
constexpr FaceEntry kFaces[] = {
    {"ＭＳ ゴシック", kGothic},  {"MS Gothic", kGothic},    {"ＭＳ Ｐゴシック", kPGothic},
    {"MS PGothic", kPGothic},   {"MS UI Gothic", kPGothic}, {"ＭＳ 明朝", kMincho},
    {"MS Mincho", kMincho},     {"ＭＳ Ｐ明朝", kPMincho},   {"MS PMincho", kPMincho},
    {"IPAGothic", kGothic},     {"IPAPGothic", kPGothic},   {"IPAMincho", kMincho},
    {"IPAPMincho", kPMincho},
};

bool SameAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

// Shift-JIS forms of the table's names, made once.
const std::vector<std::string>& SjisFaces() {
  static const std::vector<std::string> faces = [] {
    std::vector<std::string> v;
    for (const FaceEntry& e : kFaces) v.push_back(Utf8ToSjis(e.face));
    return v;
  }();
  return faces;
}

}  // namespace

const char* FontFileForFace(std::string_view sjisFace) {
  const std::vector<std::string>& faces = SjisFaces();
  for (size_t i = 0; i < faces.size(); ++i)
    if (SameAsciiCase(sjisFace, faces[i])) return kFaces[i].file;
  // Mincho-style faces (the HG Mincho, textbook and brush faces among them) keep a
  // Mincho look; proportional variants ("P" faces) stay proportional.
  const std::string utf8 = SjisToUtf8(sjisFace);
  const bool proportional =
      utf8.rfind("HGP", 0) == 0 || utf8.rfind("HGS", 0) == 0 || utf8.find("Ｐ") != std::string::npos;
  for (const char* serif : {"明朝", "Mincho", "教科書", "行書", "楷書", "ﾌﾟﾚｾﾞﾝｽ"})
    if (utf8.find(serif) != std::string::npos) return proportional ? kPMincho : kMincho;
  if (utf8.find("ｺﾞｼｯｸ") != std::string::npos && !proportional) return kGothic;
  // A Shift-JIS request for a face the machine lacks gets a proportional Japanese face.
  return kPGothic;
}

std::string FontFilePath(const char* fileName) {
  const char* dir = std::getenv("KORVANE_FONT_DIR");
  if (dir && *dir) return std::string(dir) + "/" + fileName;
  const bool mincho = std::strncmp(fileName, "ipam", 4) == 0;
  return std::string(mincho ? "/usr/share/fonts/opentype/ipafont-mincho/" : "/usr/share/fonts/opentype/ipafont-gothic/") +
         fileName;
}

}  // namespace plat
