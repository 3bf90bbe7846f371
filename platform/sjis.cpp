#include "platform/sjis.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace plat {
namespace {

// iconv descriptors are not thread-safe: one per direction, used under a lock.
struct Converter {
  iconv_t cd;
  std::mutex mutex;
  Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
};

Converter& ToUtf8() {
  static Converter c("UTF-8", "CP932");
  return c;
}
Converter& FromUtf8() {
  static Converter c("CP932", "UTF-8");
  return c;
}

// Converts one chunk; returns false when the input holds an unconvertible sequence
// at *in (left there) or is incomplete.
bool ConvertChunk(iconv_t cd, const char*& in, size_t& inLeft, std::string& out) {
  char buf[1024];
  while (inLeft > 0) {
    char* inp = const_cast<char*>(in);
    char* outp = buf;
    size_t outLeft = sizeof buf;
    size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    out.append(buf, sizeof buf - outLeft);
    in = inp;
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      return false;
    }
  }
  return true;
}

// Length of the UTF-8 sequence starting with c (1 for a stray byte).
size_t Utf8Length(uint8_t c) {
  if (c >= 0xF0 && c <= 0xF7) return 4;
  if (c >= 0xE0) return 3;
  if (c >= 0xC0) return 2;
  return 1;
}

uint32_t DecodeUtf8(const char* p, size_t n) {
  const auto* u = reinterpret_cast<const uint8_t*>(p);
  if (n == 1) return u[0];
  uint32_t cp = u[0] & (0xFF >> (n + 1));
  for (size_t i = 1; i < n; ++i) cp = (cp << 6) | (u[i] & 0x3F);
  return cp;
}

// Code points that JIS-based tables use where CP932 has a twin.
uint32_t Cp932Twin(uint32_t cp) {
  switch (cp) {
    case 0x301C: return 0xFF5E;  // wave dash -> fullwidth tilde
    case 0x2016: return 0x2225;  // double vertical line -> parallel to
    case 0x2212: return 0xFF0D;  // minus sign -> fullwidth hyphen-minus
    case 0x00A2: return 0xFFE0;
    case 0x00A3: return 0xFFE1;
    case 0x00AC: return 0xFFE2;
    case 0x2014: return 0x2015;
    default: return 0;
  }
}

std::string EncodeUtf8(uint32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

}  // namespace

namespace {

std::string SjisToUtf8Marking(std::string_view sjis, bool escape) {
  Converter& c = ToUtf8();
  std::lock_guard<std::mutex> lock(c.mutex);
  std::string out;
  out.reserve(sjis.size() * 3 / 2);
  const char* in = sjis.data();
  size_t left = sjis.size();
  while (left > 0) {
    if (ConvertChunk(c.cd, in, left, out)) break;
    // Skip the bad character: a lead byte takes its trail byte with it when there is one.
    size_t skip = 1;
    if (plat::IsSjisLeadByte(static_cast<uint8_t>(*in)) && left >= 2 &&
        plat::IsSjisTrailByte(static_cast<uint8_t>(in[1])))
      skip = 2;
    if (escape) {
      static const char kHex[] = "0123456789ABCDEF";
      for (size_t i = 0; i < skip; ++i) {
        uint8_t b = static_cast<uint8_t>(in[i]);
        out += "\\x";
        out += kHex[b >> 4];
        out += kHex[b & 15];
      }
    } else {
      out += '?';
    }
    in += skip;
    left -= skip;
  }
  return out;
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis) { return SjisToUtf8Marking(sjis, false); }

std::string SjisToUtf8Escaped(std::string_view sjis) { return SjisToUtf8Marking(sjis, true); }

bool IsUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    uint8_t b = static_cast<uint8_t>(text[i]);
    size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > text.size()) return false;
    if (n == 2 && b < 0xC2) return false;  // overlong
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<uint8_t>(text[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

std::string ArgumentToSjis(std::string_view arg) {
  // Names are bytes: a UTF-8 name that Shift-JIS can spell is taken in the game's
  // text; anything else (a Shift-JIS name, bytes of no encoding) is kept as given,
  // and the file resolver finds it by its bytes.
  if (!IsUtf8(arg)) return std::string(arg);
  std::string sjis = Utf8ToSjis(arg);
  return SjisToUtf8(sjis) == arg ? sjis : std::string(arg);
}

std::string Utf8ToSjis(std::string_view utf8) {
  Converter& c = FromUtf8();
  std::lock_guard<std::mutex> lock(c.mutex);
  std::string out;
  out.reserve(utf8.size());
  const char* in = utf8.data();
  size_t left = utf8.size();
  while (left > 0) {
    if (ConvertChunk(c.cd, in, left, out)) break;
    size_t n = Utf8Length(static_cast<uint8_t>(*in));
    if (n > left) n = left;
    if (uint32_t twin = Cp932Twin(DecodeUtf8(in, n))) {
      std::string alt = EncodeUtf8(twin);
      const char* ap = alt.data();
      size_t al = alt.size();
      ConvertChunk(c.cd, ap, al, out);
    }
    in += n;
    left -= n;
  }
  return out;
}

}  // namespace plat
