// Feeds arbitrary bytes to the record reader: a record with every field size,
// strings and a nested list. Nothing may crash, read out of bounds or allocate
// what the input cannot hold.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/base/record.h"

namespace {

class cFuzzChild : public cRecord {
  RECORD_CLASS(cFuzzChild)
 public:
  int8_t m_b[3] = {};
  std::string m_s;
  void RegisterFields(uint32_t version) override {
    RegisterNoFields();
    REG(m_b);
    if (version >= 400) REG(m_s);
  }
};

class cFuzzRecord : public cRecord {
  RECORD_CLASS(cFuzzRecord)
 public:
  int32_t m_n = 0;
  int16_t m_s[2] = {};
  double m_d = 0;
  std::string m_a, m_b;
  cVector<cFuzzChild> m_List;
  cVector<uint8_t> m_Bytes;
  void RegisterFields(uint32_t version) override {
    RegisterNoFields();
    REG(m_n);
    if (version >= 300) REG(m_s);
    REG(m_d);
    REG(m_a);
    if (version >= 500) REG(m_b);
  }
  bool Read(cDataFile& f) override {
    if (!cRecord::Read(f) || !ReadRecordList<cFuzzChild>(f, m_List, "m_List")) return false;
    uint32_t n = 0;
    if (!f.ReadCount(n, 1, 1u << 20, "m_Bytes")) return false;
    m_Bytes.resize(n);
    return f.ReadBytes(m_Bytes.data(), n, "m_Bytes");
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  DataFilePtr f = DataFileFromBytes(bytes, "fuzz");
  cFuzzRecord r;
  if (!f->Failed() && r.Read(*f)) {
    DataFilePtr out = cDataFile::ForWriting("fuzz-out");
    r.Write(*out);
  }
  return 0;
}
