#pragma once
// Writes record files of any data version from a declarative description of each
// record's layout, independently of the game's record classes: a mistake in a
// reader is not repeated in the fixtures it is tested with.
//
// A layout lists a record's fields (name, element size, count, first and last
// version holding it), its strings and the lists appended after its base part.
// Values are given by name; a field without a value is written as zeros, a list
// without a value as an empty list.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace fix {

constexpr uint32_t kNoEnd = 0xFFFFFFFFu;

struct Field {
  const char* name;
  int size;   // 1, 2, 4, or 8 (a double)
  int count;  // elements
  uint32_t first = 0;
  uint32_t last = kNoEnd;
};

struct String {
  const char* name;
  uint32_t first = 0;
  uint32_t last = kNoEnd;
};

// What a record appends after its base part, in order: counted lists, or single
// raw values (kShort, kInt: the first number, else 0), or an optional record
// (kOptional: a u32 presence flag, then the record; the flag is 1 when a record is
// given, or the first number when one is given), or one record with no count
// (kRecord: a default one when none is given), or a counted list whose records
// each follow a u32 word (kWordRecords: the words are the numbers given, else 0).
enum class ListKind { kBytes, kInts, kStrings, kRecords, kShort, kInt, kOptional, kRecord, kWordRecords };

struct RecordType;

struct List {
  const char* name;
  ListKind kind;
  uint32_t first = 0;
  const RecordType* element = nullptr;  // kRecords, kOptional
  uint32_t last = kNoEnd;
  // For layouts that contain themselves (flows hold commands that hold flows): the
  // element type, looked up when the record is written.
  const RecordType& (*lazyElement)() = nullptr;
};

struct RecordType {
  const char* name;
  std::vector<Field> fields;
  std::vector<String> strings;
  std::vector<List> lists;
};

struct Value;

// The entries of one appended list.
struct ListValue {
  std::vector<double> nums;          // bytes and ints
  std::vector<std::string> strs;     // strings (file bytes, Shift-JIS)
  std::vector<Value> recs;           // records
};

// The values of one record, by name.
struct Value {
  std::map<std::string, std::vector<double>> fields;
  std::map<std::string, std::string> strings;
  std::map<std::string, ListValue> lists;

  Value& F(const std::string& name, std::vector<double> v) { fields[name] = std::move(v); return *this; }
  Value& F(const std::string& name, double v) { fields[name] = {v}; return *this; }
  Value& S(const std::string& name, std::string v) { strings[name] = std::move(v); return *this; }
  Value& Nums(const std::string& name, std::vector<double> v) { lists[name].nums = std::move(v); return *this; }
  Value& Strs(const std::string& name, std::vector<std::string> v) { lists[name].strs = std::move(v); return *this; }
  Value& Recs(const std::string& name, std::vector<Value> v) { lists[name].recs = std::move(v); return *this; }
  // A single appended value (kShort, kInt) or the presence flag of a kOptional.
  Value& N(const std::string& name, double v) { lists[name].nums = {v}; return *this; }
  // The record of a kOptional.
  Value& Rec(const std::string& name, Value v) { lists[name].recs = {std::move(v)}; return *this; }
};

// Appends one record (base part and lists) as a file of `version` holds it.
void AppendRecord(std::vector<unsigned char>& out, const RecordType& type, const Value& value, uint32_t version);
// A whole file holding one record.
std::vector<unsigned char> RecordFile(uint32_t version, const RecordType& type, const Value& value);
// A whole file holding a bare list: count, then the entries.
std::vector<unsigned char> ListFile(uint32_t version, const RecordType& element, const std::vector<Value>& entries);

// Shift-JIS bytes of a UTF-8 text.
std::string Sj(const char* utf8);

}  // namespace fix
