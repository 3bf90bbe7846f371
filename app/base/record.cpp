#include "app/base/record.h"

#include <cstring>

#include "app/base/record_dump.h"
#include "app/base/text_util.h"
#include "app/base/report_log.h"

uint32_t nDataVersion = kDataVersion;
thread_local uint32_t nReadVersion = 0;
int bStripCR = 1;
thread_local int32_t nDiscardField = 0;

void cRecord::RegisterNoFields() {
  m_Fields.clear();
  m_Strings.clear();
}

void cRecord::AddField(void* member, int count, size_t size, eFieldKind kind, const char* name) {
  FIELDREF f;
  f.owner = this;
  f.member = member;
  f.count = count;
  f.size = static_cast<uint8_t>(size);
  f.kind = kind;
  f.name = name;
  m_Fields.push_back(f);
}

void cRecord::RegisterInt(int32_t* m, int count, const char* name) { AddField(m, count, 4, eFieldKind::kSigned, name); }
void cRecord::RegisterInt(uint32_t* m, int count, const char* name) { AddField(m, count, 4, eFieldKind::kUnsigned, name); }
void cRecord::RegisterShort(int16_t* m, int count, const char* name) { AddField(m, count, 2, eFieldKind::kSigned, name); }
void cRecord::RegisterShort(uint16_t* m, int count, const char* name) { AddField(m, count, 2, eFieldKind::kUnsigned, name); }
void cRecord::RegisterByte(int8_t* m, int count, const char* name) { AddField(m, count, 1, eFieldKind::kSigned, name); }
void cRecord::RegisterByte(uint8_t* m, int count, const char* name) { AddField(m, count, 1, eFieldKind::kUnsigned, name); }
void cRecord::RegisterByte(char* m, int count, const char* name) { AddField(m, count, 1, eFieldKind::kSigned, name); }
void cRecord::RegisterDouble(double* m, int count, const char* name) { AddField(m, count, 8, eFieldKind::kReal, name); }

void cRecord::RegisterString(std::string* member, const char* name) {
  STRINGREF s;
  s.owner = this;
  s.member = member;
  s.name = name;
  m_Strings.push_back(s);
}

bool cRecord::Read(cDataFile& file) {
  const uint32_t version = file.Version();
  RegisterFields(version);
  uint32_t n = 0;
  const size_t at = file.Offset();
  if (!file.ReadU32(n, "field count")) return false;
  // A file with more fields than its version defines is refused rather than read
  // into the wrong members.
  if (n > static_cast<uint32_t>(m_Fields.Count()))
    return file.FailAt(at, "%s: field count %u, version %u defines %d", ClassName(), n, version, m_Fields.Count());
  for (uint32_t i = 0; i < n; ++i) {
    FIELDREF& f = m_Fields.At(static_cast<int>(i));
    size_t bytes = static_cast<size_t>(f.size) * static_cast<size_t>(f.count);
    if (!file.ReadBytes(f.member, bytes, f.name)) return false;
  }
  if (!ReadStrings(file)) return false;
  if (bStripCR) StripCR();
  if (nDataVersion != version) RegisterFields(nDataVersion);
  return true;
}

bool cRecord::ReadStrings(cDataFile& file) {
  uint32_t s = 0;
  const size_t at = file.Offset();
  if (!file.ReadU32(s, "string count")) return false;
  if (s > static_cast<uint32_t>(m_Strings.Count()))
    return file.FailAt(at, "%s: string count %u, version %u defines %d", ClassName(), s, file.Version(),
                     m_Strings.Count());
  for (uint32_t i = 0; i < s; ++i) {
    STRINGREF& ref = m_Strings.At(static_cast<int>(i));
    uint32_t len = 0;
    const size_t lenAt = file.Offset();
    if (!file.ReadU32(len, ref.name)) return false;
    // Length 1 is the empty string; 0 is never written and is read as empty too.
    if (len <= 1) {
      ref.member->clear();
      continue;
    }
    if (len > file.Remaining()) return file.FailAt(lenAt, "%s: string of %u bytes, %zu remain", ref.name, len, file.Remaining());
    std::string text(len, '\0');
    file.ReadBytes(text.data(), len, ref.name);
    text.resize(std::strlen(text.c_str()));  // the text ends at its first zero byte
    *ref.member = std::move(text);
  }
  return true;
}

bool cRecord::Write(cDataFile& file) {
  RegisterFields(nDataVersion);
  file.WriteU32(static_cast<uint32_t>(m_Fields.Count()));
  for (int i = 0; i < m_Fields.Count(); ++i) {
    FIELDREF& f = m_Fields.At(i);
    file.WriteBytes(f.member, static_cast<size_t>(f.size) * static_cast<size_t>(f.count));
  }
  WriteStrings(file);
  return true;
}

void cRecord::WriteStrings(cDataFile& file) {
  file.WriteU32(static_cast<uint32_t>(m_Strings.Count()));
  for (int i = 0; i < m_Strings.Count(); ++i) {
    std::string& s = *m_Strings.At(i).member;
    s.resize(std::strlen(s.c_str()));  // cut at the first zero byte
    const size_t n = SjisPrefixLength(s.c_str(), s.size(), StringCap());
    file.WriteU32(static_cast<uint32_t>(n + 1));
    if (n) {
      file.WriteBytes(s.c_str(), n);
      file.WriteBytes("", 1);
    }
  }
}

int cRecord::Load(const char* path) {
  DataFilePtr file = OpenDataFile(path);
  if (!file) return 0;
  std::unique_ptr<cRecord> copy = Clone();
  if (!copy->Read(*file)) {
    ReportLog("%s", file->Error().c_str());
    return 0;
  }
  Assign(*copy);
  return 1;
}

int cRecord::Save(const char* path) {
  DataFilePtr file = CreateDataFile(path);
  if (!file) return 0;
  if (!Write(*file)) return 0;
  return CloseDataFile(std::move(file)) ? 1 : 0;
}

void cRecord::ResetFields() {
  RegisterFields(nDataVersion);
  for (int i = 0; i < m_Fields.Count(); ++i) {
    FIELDREF& f = m_Fields.At(i);
    std::memset(f.member, 0, static_cast<size_t>(f.size) * static_cast<size_t>(f.count));
  }
  for (int i = 0; i < m_Strings.Count(); ++i) m_Strings.At(i).member->clear();
}

void cRecord::CopyFields(cRecord& source) {
  RegisterFields(nDataVersion);
  source.RegisterFields(nDataVersion);
  int nf = std::min(m_Fields.Count(), source.m_Fields.Count());
  for (int i = 0; i < nf; ++i) {
    FIELDREF& f = m_Fields.At(i);
    const FIELDREF& g = source.m_Fields.At(i);
    size_t bytes = std::min(static_cast<size_t>(f.size) * f.count, static_cast<size_t>(g.size) * g.count);
    std::memmove(f.member, g.member, bytes);
  }
  int ns = std::min(m_Strings.Count(), source.m_Strings.Count());
  for (int i = 0; i < ns; ++i) *m_Strings.At(i).member = *source.m_Strings.At(i).member;
}

void cRecord::StripCR() {
  for (int i = 0; i < m_Strings.Count(); ++i) {
    std::string& s = *m_Strings.At(i).member;
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
  }
}

void cRecord::Dump(cDumpWriter& out) {
  RegisterFields(nDataVersion);
  for (int i = 0; i < m_Fields.Count(); ++i) out.Field(m_Fields.At(i));
  for (int i = 0; i < m_Strings.Count(); ++i) out.String(m_Strings.At(i).name, *m_Strings.At(i).member);
}
