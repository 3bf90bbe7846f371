#include "tests/support/fixture_writer.h"

#include <cstring>
#include <stdexcept>

#include "platform/sjis.h"

namespace fix {

namespace {

bool Holds(uint32_t version, uint32_t first, uint32_t last) { return version >= first && version <= last; }

void U32(std::vector<unsigned char>& out, uint32_t x) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(x >> (8 * i)));
}

void Element(std::vector<unsigned char>& out, int size, double v) {
  if (size == 8) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<unsigned char>(bits >> (8 * i)));
    return;
  }
  const uint64_t bits = static_cast<uint64_t>(static_cast<int64_t>(v));
  for (int i = 0; i < size; ++i) out.push_back(static_cast<unsigned char>(bits >> (8 * i)));
}

void Str(std::vector<unsigned char>& out, const std::string& s) {
  U32(out, static_cast<uint32_t>(s.size() + 1));
  if (!s.empty()) {
    out.insert(out.end(), s.begin(), s.end());
    out.push_back(0);
  }
}

template <class Map>
void CheckNames(const Map& values, const RecordType& type, bool (*known)(const RecordType&, const std::string&)) {
  for (const auto& [name, v] : values)
    if (!known(type, name)) throw std::logic_error(std::string(type.name) + " has no member " + name);
}

bool KnownField(const RecordType& t, const std::string& n) {
  for (const Field& f : t.fields)
    if (n == f.name) return true;
  return false;
}
bool KnownString(const RecordType& t, const std::string& n) {
  for (const String& s : t.strings)
    if (n == s.name) return true;
  return false;
}
bool KnownList(const RecordType& t, const std::string& n) {
  for (const List& l : t.lists)
    if (n == l.name) return true;
  return false;
}

}  // namespace

void AppendRecord(std::vector<unsigned char>& out, const RecordType& type, const Value& value, uint32_t version) {
  // A misspelt name in a test would otherwise silently write zeros.
  CheckNames(value.fields, type, KnownField);
  CheckNames(value.strings, type, KnownString);
  CheckNames(value.lists, type, KnownList);

  uint32_t n = 0;
  for (const Field& f : type.fields) n += Holds(version, f.first, f.last);
  U32(out, n);
  for (const Field& f : type.fields) {
    if (!Holds(version, f.first, f.last)) continue;
    auto it = value.fields.find(f.name);
    for (int i = 0; i < f.count; ++i) {
      double v = 0;
      if (it != value.fields.end() && i < static_cast<int>(it->second.size())) v = it->second[static_cast<size_t>(i)];
      Element(out, f.size, v);
    }
  }
  uint32_t s = 0;
  for (const String& str : type.strings) s += Holds(version, str.first, str.last);
  U32(out, s);
  for (const String& str : type.strings) {
    if (!Holds(version, str.first, str.last)) continue;
    auto it = value.strings.find(str.name);
    Str(out, it == value.strings.end() ? std::string() : it->second);
  }
  for (const List& l : type.lists) {
    if (!Holds(version, l.first, l.last)) continue;
    static const ListValue kEmpty;
    auto it = value.lists.find(l.name);
    const ListValue& lv = it == value.lists.end() ? kEmpty : it->second;
    switch (l.kind) {
      case ListKind::kBytes:
        U32(out, static_cast<uint32_t>(lv.nums.size()));
        for (double v : lv.nums) Element(out, 1, v);
        break;
      case ListKind::kInts:
        U32(out, static_cast<uint32_t>(lv.nums.size()));
        for (double v : lv.nums) Element(out, 4, v);
        break;
      case ListKind::kStrings:
        U32(out, static_cast<uint32_t>(lv.strs.size()));
        for (const std::string& v : lv.strs) Str(out, v);
        break;
      case ListKind::kRecords:
        U32(out, static_cast<uint32_t>(lv.recs.size()));
        for (const Value& v : lv.recs) AppendRecord(out, l.element ? *l.element : l.lazyElement(), v, version);
        break;
      case ListKind::kShort:
        Element(out, 2, lv.nums.empty() ? 0 : lv.nums[0]);
        break;
      case ListKind::kInt:
        Element(out, 4, lv.nums.empty() ? 0 : lv.nums[0]);
        break;
      case ListKind::kRecord:
        if (lv.recs.size() > 1) throw std::logic_error(std::string(type.name) + ": " + l.name + " holds one record");
        AppendRecord(out, l.element ? *l.element : l.lazyElement(), lv.recs.empty() ? Value() : lv.recs[0], version);
        break;
      case ListKind::kWordRecords:
        U32(out, static_cast<uint32_t>(lv.recs.size()));
        for (size_t i = 0; i < lv.recs.size(); ++i) {
          Element(out, 4, i < lv.nums.size() ? lv.nums[i] : 0);
          AppendRecord(out, l.element ? *l.element : l.lazyElement(), lv.recs[i], version);
        }
        break;
      case ListKind::kOptional:
        if (lv.recs.size() > 1) throw std::logic_error(std::string(type.name) + ": " + l.name + " holds one record");
        U32(out, lv.nums.empty() ? static_cast<uint32_t>(lv.recs.size()) : static_cast<uint32_t>(lv.nums[0]));
        if (!lv.recs.empty()) AppendRecord(out, l.element ? *l.element : l.lazyElement(), lv.recs[0], version);
        break;
    }
  }
}

std::vector<unsigned char> RecordFile(uint32_t version, const RecordType& type, const Value& value) {
  std::vector<unsigned char> out;
  U32(out, version);
  AppendRecord(out, type, value, version);
  return out;
}

std::vector<unsigned char> ListFile(uint32_t version, const RecordType& element, const std::vector<Value>& entries) {
  std::vector<unsigned char> out;
  U32(out, version);
  U32(out, static_cast<uint32_t>(entries.size()));
  for (const Value& v : entries) AppendRecord(out, element, v, version);
  return out;
}

std::string Sj(const char* utf8) { return plat::Utf8ToSjis(utf8); }

}  // namespace fix
