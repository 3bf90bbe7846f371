#include "app/base/record_dump.h"

#include <cstdarg>
#include <cstring>

#include "platform/sjis.h"

namespace {
std::string FormatElement(const FIELDREF& f, int i) {
  const char* p = static_cast<const char*>(f.member) + static_cast<size_t>(i) * f.size;
  char buf[64];
  if (f.kind == eFieldKind::kReal) {
    double d;
    std::memcpy(&d, p, 8);
    std::snprintf(buf, sizeof buf, "%.17g", d);
    return buf;
  }
  long long v = 0;
  bool sign = f.kind == eFieldKind::kSigned;
  switch (f.size) {
    case 1: v = sign ? static_cast<long long>(*reinterpret_cast<const int8_t*>(p)) : *reinterpret_cast<const uint8_t*>(p); break;
    case 2: { int16_t s; uint16_t u; std::memcpy(&s, p, 2); std::memcpy(&u, p, 2); v = sign ? s : u; break; }
    case 4: { int32_t s; uint32_t u; std::memcpy(&s, p, 4); std::memcpy(&u, p, 4); v = sign ? static_cast<long long>(s) : static_cast<long long>(u); break; }
    default: { int64_t s; std::memcpy(&s, p, 8); v = s; break; }
  }
  std::snprintf(buf, sizeof buf, "%lld", v);
  return buf;
}
}  // namespace

void cDumpWriter::Field(const FIELDREF& f) {
  if (f.count == 1) {
    Line("%s = %s", f.name, FormatElement(f, 0).c_str());
    return;
  }
  std::string s;
  for (int i = 0; i < f.count; ++i) s += (i ? ", " : "") + FormatElement(f, i);
  Line("%s = [%s]", f.name, s.c_str());
}

void cDumpWriter::String(const char* name, const std::string& sjis) {
  std::string u = plat::SjisToUtf8(sjis);
  std::string escaped;
  for (char c : u) {
    if (c == '\n') escaped += "\\n";
    else if (c == '\r') escaped += "\\r";
    else if (c == '"' || c == '\\') { escaped += '\\'; escaped += c; }
    else escaped += c;
  }
  Line("%s = \"%s\"", name, escaped.c_str());
}

void cDumpWriter::Value(const char* name, long long v) { Line("%s = %lld", name, v); }

void cDumpWriter::Line(const char* format, ...) {
  for (int i = 0; i < m_depth; ++i) std::fputs("  ", m_out);
  va_list args;
  va_start(args, format);
  std::vfprintf(m_out, format, args);
  va_end(args);
  std::fputc('\n', m_out);
}
