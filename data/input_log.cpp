// The replay input log: recording and playing back player 1's input words as runs
// of equal values, and the log's part of a replay file.
#include <cstdint>

#include "app/base/record_dump.h"
#include "data/record_lists.h"
#include "data/user_records.h"

namespace {

// A log holds at most one entry per frame and stream; the file size bounds it
// anyway, this only keeps a damaged count from asking for more than a file holds.
constexpr uint32_t kMaxLogEntries = 1u << 26;

// One stream: a new value, or one more frame of the last one.
void RecordStream(cVector<uint16_t>& values, cVector<int32_t>& runs, uint16_t word) {
  if (!values.empty() && values.back() == word && runs.back() < INT32_MAX) {
    ++runs.back();
    return;
  }
  values.push_back(word);
  runs.push_back(1);
}

// One frame of one stream; the caller has checked that pos is inside the lists.
uint16_t PlayStream(const cVector<uint16_t>& values, const cVector<int32_t>& runs, int32_t& pos, int32_t& run) {
  const uint16_t word = values[static_cast<size_t>(pos)];
  if (++run >= runs[static_cast<size_t>(pos)]) {
    run = 0;
    ++pos;
  }
  return word;
}

bool ReadWordList(cDataFile& file, cVector<uint16_t>& list, const char* what) {
  uint32_t n = 0;
  if (!file.ReadCount(n, 2, kMaxLogEntries, what)) return false;
  cVector<uint16_t> fresh(static_cast<int>(n));
  if (!file.ReadBytes(fresh.data(), static_cast<size_t>(n) * 2, what)) return false;
  list.swap(fresh);
  return true;
}

// The run lengths of a stream: as many as its values, each at least one frame (a
// run of 0 or less would never end, or end before it began).
bool ReadRunList(cDataFile& file, cVector<int32_t>& runs, const cVector<uint16_t>& values, const char* what) {
  const size_t at = file.Offset();
  if (!ReadIntList(file, runs, what, kMaxLogEntries)) return false;
  if (runs.size() != values.size())
    return file.FailAt(at, "%s: %zu runs for %zu values", what, runs.size(), values.size());
  for (size_t i = 0; i < runs.size(); ++i)
    if (runs[i] < 1) return file.FailAt(at + 4 + 4 * i, "%s: run %zu lasts %d frames", what, i, runs[i]);
  return true;
}

}  // namespace

cInputLog& cInputLog::operator=(const cInputLog& other) {
  if (this == &other) return *this;
  Values0 = other.Values0;
  Values1 = other.Values1;
  Runs0 = other.Runs0;
  Runs1 = other.Runs1;
  nSeed = other.nSeed;
  return *this;
}

void cInputLog::Record(uint16_t direction, uint16_t button) {
  RecordStream(Values0, Runs0, direction);
  RecordStream(Values1, Runs1, button);
}

int cInputLog::Play(uint16_t& direction, uint16_t& button) {
  // A cursor outside either list (or lists of different lengths from a caller's
  // own editing) ends playback rather than reading past them.
  auto ended = [](int32_t pos, const cVector<uint16_t>& values, const cVector<int32_t>& runs) {
    return pos < 0 || pos >= values.Count() || pos >= runs.Count();
  };
  if (ended(nPos0, Values0, Runs0) || ended(nPos1, Values1, Runs1)) return 1;
  direction = PlayStream(Values0, Runs0, nPos0, nRun0);
  button = PlayStream(Values1, Runs1, nPos1, nRun1);
  return 0;
}

bool cInputLog::Read(cDataFile& file) {
  return cRecord::Read(file) && ReadWordList(file, Values0, "Values0") && ReadWordList(file, Values1, "Values1") &&
         ReadRunList(file, Runs0, Values0, "Runs0") && ReadRunList(file, Runs1, Values1, "Runs1");
}

bool cInputLog::Write(cDataFile& file) {
  if (!cRecord::Write(file)) return false;
  file.WriteU32(static_cast<uint32_t>(Values0.size()));
  file.WriteBytes(Values0.data(), Values0.size() * 2);
  file.WriteU32(static_cast<uint32_t>(Values1.size()));
  file.WriteBytes(Values1.data(), Values1.size() * 2);
  WriteIntList(file, Runs0);
  WriteIntList(file, Runs1);
  return true;
}

void cInputLog::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.NumberList("Values0", Values0);
  out.NumberList("Runs0", Runs0);
  out.NumberList("Values1", Values1);
  out.NumberList("Runs1", Runs1);
}
