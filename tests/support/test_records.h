#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"
#include "app/base/record_dump.h"

// The record of the file-format example: an int, a pair of shorts, a byte, two strings.
class cExampleRecord : public cRecord {
  RECORD_CLASS(cExampleRecord)
 public:
  int32_t m_nValue = 0;
  int16_t m_sPair[2] = {0, 0};
  uint8_t m_bFlag = 0;
  std::string m_strA, m_strB;

  void RegisterFields(uint32_t) override {
    RegisterNoFields();
    REG(m_nValue);
    REG(m_sPair);
    REG(m_bFlag);
    REG(m_strA);
    REG(m_strB);
  }
};

// A record whose layout changed: m_nNew exists from version 300, m_nOld was
// dropped at 300 (older files still hold it), and it appends a list of examples.
class cGatedRecord : public cRecord {
  RECORD_CLASS(cGatedRecord)
 public:
  int32_t m_nFirst = 5;
  int32_t m_nNew = 77;
  double m_dReal = 0.5;
  std::string m_strName = "def";
  cVector<cExampleRecord> m_List;

  void RegisterFields(uint32_t version) override {
    RegisterNoFields();
    REG(m_nFirst);
    if (version < 300) RegisterInt(&nDiscardField, 1, "nDiscardField");
    if (version >= 300) REG(m_nNew);
    REG(m_dReal);
    REG(m_strName);
  }
  bool Read(cDataFile& f) override {
    return cRecord::Read(f) && ReadRecordList<cExampleRecord>(f, m_List, "m_List");
  }
  bool Write(cDataFile& f) override { return cRecord::Write(f) && WriteRecordList(f, m_List); }
  void Dump(cDumpWriter& out) override {
    cRecord::Dump(out);
    out.RecordList("m_List", m_List);
  }
};

// A container record: only its own lists.
class cContainerRecord : public cRecord {
  RECORD_CLASS(cContainerRecord)
};
