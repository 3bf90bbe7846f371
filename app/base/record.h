#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

#include "app/base/data_file.h"
#include "app/base/vector.h"

class cRecord;
class cDumpWriter;

// The current data version: written as the version word of every file created and
// the version for which every record registers outside reading.
extern uint32_t nDataVersion;
constexpr uint32_t kDataVersion = 752;
// The version word of the data file most recently opened for reading on this thread.
extern thread_local uint32_t nReadVersion;
// When set, carriage returns are removed from strings after reading.
extern int bStripCR;
// Scratch for 4-byte fields that old versions hold and the classes no longer keep.
extern thread_local int32_t nDiscardField;

// How a registered field's bytes are shown by the data tool.
enum class eFieldKind : uint8_t { kSigned, kUnsigned, kReal };

// One registered scalar member.
struct FIELDREF {
  cRecord* owner = nullptr;
  void* member = nullptr;
  int32_t count = 0;
  uint8_t size = 0;  // 1, 2, 4 or 8
  eFieldKind kind = eFieldKind::kSigned;
  const char* name = "";
};

// One registered string member.
struct STRINGREF {
  cRecord* owner = nullptr;
  std::string* member = nullptr;
  const char* name = "";
};

// Base class of every data record. A record class registers its persistent members,
// in file order and for a given data version, and the base class reads and writes
// whatever is registered. The reference lists are rebuilt by every operation that
// walks them (read, write, reset, copy, assignment), so a copy of a record carries
// only its members and never points into the record it was copied from.
class cRecord {
 public:
  cRecord() = default;
  cRecord(const cRecord&) {}
  cRecord& operator=(const cRecord&) { return *this; }
  virtual ~cRecord() = default;

  // Called on the source of an assignment; no record class does anything here.
  virtual void OnAssign(uint32_t /*version*/) {}
  // Empties both lists, then registers the members that exist in version.
  virtual void RegisterFields(uint32_t /*version*/) { RegisterNoFields(); }
  // The base part: field count, fields, string count, strings. A derived class
  // reads its appendix after it. False when the file is damaged (its error is in
  // the file object); the record may then hold a partial read.
  virtual bool Read(cDataFile& file);
  virtual bool Write(cDataFile& file);

  // A copy of the whole record, and assignment from a record of the same class
  // (RECORD_CLASS provides both).
  virtual std::unique_ptr<cRecord> Clone() const = 0;
  virtual void Assign(const cRecord& other) = 0;
  virtual const char* ClassName() const = 0;

  // Prints the registered members by name; classes with an appendix add it.
  virtual void Dump(cDumpWriter& out);
  // The most bytes a string member of this record is written with (longer texts
  // are cut, whole characters kept); no limit unless a record sets one.
  virtual size_t StringCap() const { return static_cast<size_t>(-1); }

  // Reads the file into a copy of this record and takes it over only when the
  // whole read succeeded: 1, or 0 with this record unchanged (the reason is in
  // the report log when the file exists but is damaged).
  int Load(const char* path);
  // Writes the record in the current version: 1 when every byte reached the disk.
  int Save(const char* path);

  void ResetFields();
  void CopyFields(cRecord& source);
  void StripCR();

  const cVector<FIELDREF>& Fields() const { return m_Fields; }
  const cVector<STRINGREF>& Strings() const { return m_Strings; }

 protected:
  void RegisterNoFields();
  void RegisterInt(int32_t* member, int count, const char* name = "");
  void RegisterInt(uint32_t* member, int count, const char* name = "");
  void RegisterShort(int16_t* member, int count, const char* name = "");
  void RegisterShort(uint16_t* member, int count, const char* name = "");
  void RegisterByte(int8_t* member, int count, const char* name = "");
  void RegisterByte(uint8_t* member, int count, const char* name = "");
  void RegisterByte(char* member, int count, const char* name = "");
  void RegisterDouble(double* member, int count, const char* name = "");
  void RegisterString(std::string* member, const char* name = "");

  // Registers a scalar or a C array of scalars under its own name (see REG).
  template <class T>
  void RegisterMember(T* member, const char* name) {
    if constexpr (std::is_array_v<T>) {
      RegisterElements(&(*member)[0], static_cast<int>(std::extent_v<T>), name);
    } else if constexpr (std::is_same_v<T, std::string>) {
      RegisterString(member, name);
    } else {
      RegisterElements(member, 1, name);
    }
  }
  template <class E>
  void RegisterElements(E* member, int count, const char* name) {
    static_assert(std::is_trivially_copyable_v<E>);
    if constexpr (std::is_same_v<E, double>)
      RegisterDouble(member, count, name);
    else
      AddField(member, count, sizeof(E), std::is_signed_v<E> ? eFieldKind::kSigned : eFieldKind::kUnsigned, name);
  }

  bool ReadStrings(cDataFile& file);
  void WriteStrings(cDataFile& file);

 private:
  void AddField(void* member, int count, size_t size, eFieldKind kind, const char* name);

  cVector<FIELDREF> m_Fields;
  cVector<STRINGREF> m_Strings;
};

// Registers a member (scalar, C array or std::string) under its own name.
#define REG(member) RegisterMember(&(member), #member)
// Registers count elements starting at member.
#define REG_N(member, count) RegisterElements(&(member)[0], (count), #member)

// Declares the copy operations that cRecord needs of every record class.
#define RECORD_CLASS(Class)                                                                      \
 public:                                                                                         \
  std::unique_ptr<cRecord> Clone() const override { return std::make_unique<Class>(*this); }    \
  void Assign(const cRecord& other) override { *this = static_cast<const Class&>(other); }      \
  const char* ClassName() const override { return #Class; }

// Reads a u32 count and that many records of type T into list (replacing it). Each
// element must take at least minBytes of the file (the base part of a record takes
// eight); maxCount caps the count.
template <class T, class List>
bool ReadRecordList(cDataFile& file, List& list, const char* what, uint32_t maxCount = 1u << 20,
                    size_t minBytes = 8) {
  uint32_t n = 0;
  if (!file.ReadCount(n, minBytes, maxCount, what)) return false;
  List fresh;
  fresh.resize(n);
  for (auto& e : fresh)
    if (!e.Read(file)) return false;
  list.swap(fresh);
  return true;
}

// Writes a u32 count and each record.
template <class List>
bool WriteRecordList(cDataFile& file, List& list) {
  file.WriteU32(static_cast<uint32_t>(list.size()));
  for (auto& e : list)
    if (!e.Write(file)) return false;
  return true;
}
