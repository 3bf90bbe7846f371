#include "data/world_map.h"

#include <algorithm>
#include <cstdint>

#include "app/base/message_box.h"
#include "app/base/record_dump.h"
#include "data/record_lists.h"
#include "data/save_data.h"
#include "platform/sjis.h"

namespace {

constexpr uint32_t kMaxEntries = 1u << 16;
constexpr uint32_t kMaxCells = 1u << 24;
// An event takes its base part and its entry count at least.
constexpr size_t kMinEventBytes = 8 + 4;

// The pitch shift that SetSize gives a width: the halvings that bring width - 1 to 0.
int32_t ShiftFor(int32_t width) {
  int32_t shift = 0;
  for (uint32_t w = static_cast<uint32_t>(width) - 1; w; w >>= 1) ++shift;
  return shift;
}

bool ReadEvents(cDataFile& file, cVector<cEdWorldEvent>& list, const char* what) {
  return ReadRecordList<cEdWorldEvent>(file, list, what, kMaxEntries, kMinEventBytes);
}

}  // namespace

bool WorldCompare(int32_t v, int32_t c, int kind) {
  // In 64 bits: |INT_MIN| and INT_MIN % -1 stay defined.
  const int64_t a = v < 0 ? -static_cast<int64_t>(v) : v;
  switch (kind) {
    case 0: return v == c;
    case 1: return v != c;
    case 2: return v >= c;
    case 3: return v <= c;
    case 4: return v > c;
    case 5: return v < c;
    case 6: return c == 0 || a % c == 0;
    case 7: return c != 0 && a % c != 0;
    default: return false;
  }
}

void cEdWorldStage::RegisterFields(uint32_t v) {
  RegisterNoFields();
  REG(nPassage);
  REG(nSymbolRow);
  REG(nStageNo);
  REG(bNoAutoStart);
  REG(bReplayable);
  REG(nAfterClear);
  REG(nNeedFlag);
  REG(nVarNo);
  REG(nVarValue);
  REG(nVarCompare);
  if (v >= 209) REG(nNeedTotal);
  REG(strName);
  REG(strFile);
}

bool cEdWorldStage::Read(cDataFile& file) {
  if (!cRecord::Read(file)) return false;
  if (file.Version() <= 208) nNeedTotal = 0;
  return true;
}

bool cEdWorldStage::Applies(const cSaveData& save) const {
  if (nNeedFlag > 0 && !save.Flags.At(nNeedFlag)) return false;
  if (nVarNo != 0 && !WorldCompare(save.CommonVars.At(nVarNo), nVarValue, nVarCompare)) return false;
  return save.nTotal >= nNeedTotal;
}

void cEdWorldChip::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(nStored);
  REG(bBlock);
  REG(nPicture);
  REG(strName);
  REG(strLabel);
}

void cEdWorldEvent::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(nCol);
  REG(nRow);
  REG(strName);
}

bool cEdWorldEvent::Read(cDataFile& file) {
  return cRecord::Read(file) && ReadRecordList<cEdWorldStage>(file, Stages, "Stages", kMaxEntries);
}

bool cEdWorldEvent::Write(cDataFile& file) { return cRecord::Write(file) && WriteRecordList(file, Stages); }

void cEdWorldEvent::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.RecordList("Stages", Stages);
}

const cEdWorldStage* cEdWorldEvent::OfferedEntry(const cSaveData& save) const {
  for (const cEdWorldStage& s : Stages)
    if (s.Applies(save)) return &s;
  return nullptr;
}

void cEdWorldMap::SetDefault() {
  ResetFields();
  strName = SJ("ワールド");
  nStartX = 9;
  nStartY = 7;
  nBgColor = 16;
  bBgPicture = 0;
  Chips.assign(10, cEdWorldChip());
  for (int i = 0; i < 10; ++i) {
    cEdWorldChip& c = Chips[static_cast<size_t>(i)];
    c.nPicture = i;
    c.bBlock = i < 5 ? 1 : 0;
    c.strLabel = i < 5 ? SJ("通行不可") : SJ("通行可");
  }
  Cells.clear();
  SetSize(20, 15);
  Events.clear();
  Templates.assign(1, cEdWorldEvent());
  Templates[0].strName = SJ("デフォルト");
}

void cEdWorldMap::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(nWidth);
  REG(nHeight);
  REG(nPitch);
  REG(nPitchShift);
  REG(nStartX);
  REG(nStartY);
  REG(nBgColor);
  REG(bBgPicture);
  REG(strName);
  REG(strBgPicture);
}

bool cEdWorldMap::Read(cDataFile& file) {
  if (!cRecord::Read(file) || !ReadRecordList<cEdWorldChip>(file, Chips, "Chips", kMaxEntries)) return false;
  const size_t cellsAt = file.Offset();
  if (!ReadIntList(file, Cells, "Cells", kMaxCells) || !ReadEvents(file, Events, "Events") ||
      !ReadEvents(file, Templates, "Templates"))
    return false;
  // The grid is always the size that SetSize makes: the world map indexes it by
  // column and row, so a grid of another shape is damage, not a map.
  if (nWidth <= 0 || nHeight <= 0 || nWidth > 0x8000 || nHeight > 0x8000)
    return file.FailAt(4, "map size %d x %d", nWidth, nHeight);
  const int32_t shift = ShiftFor(nWidth);
  if (nPitchShift != shift || nPitch != (1 << shift))
    return file.FailAt(4, "row pitch %d (shift %d) for a width of %d", nPitch, nPitchShift, nWidth);
  const uint64_t cells = static_cast<uint64_t>(nHeight) << shift;
  if (static_cast<uint64_t>(Cells.size()) != cells)
    return file.FailAt(cellsAt, "Cells: %zu cells, a map of %d x %d needs %llu", Cells.size(), nWidth, nHeight,
                       static_cast<unsigned long long>(cells));
  Validate();
  return true;
}

bool cEdWorldMap::Write(cDataFile& file) {
  Validate();
  if (!cRecord::Write(file) || !WriteRecordList(file, Chips)) return false;
  WriteIntList(file, Cells);
  return WriteRecordList(file, Events) && WriteRecordList(file, Templates);
}

void cEdWorldMap::Validate() {
  if (nStartX >= nWidth) nStartX = nWidth - 1;
  if (nStartY >= nHeight) nStartY = nHeight - 1;
  std::erase_if(Events, [this](const cEdWorldEvent& e) { return e.nCol >= nWidth || e.nRow >= nHeight; });
  for (cEdWorldEvent& e : Events) e.Validate();
  for (cEdWorldEvent& e : Templates) e.Validate();
}

int cEdWorldMap::SetSize(int width, int height) {
  if (width == 0 || height == 0) {
    DebugBoxf("%s", SJ("SetSize()で 0 を指定しました！"));
    return 0;
  }
  // A negative size has no grid either (and no pitch to compute).
  if (width < 0 || height < 0 || width > 0x8000 || height > 0x8000) return 0;
  const cVector<int32_t> old = Cells;
  const int32_t oldWidth = nWidth, oldHeight = nHeight, oldShift = nPitchShift;
  if (!old.empty())
    DebugBoxf("nBeforeWidth = %d,nBeforePitch = %d,nBeforePitch_Shift = %d", oldWidth, nPitch, oldShift);
  nWidth = width;
  nHeight = height;
  nPitchShift = ShiftFor(width);
  nPitch = 1 << nPitchShift;
  Cells.assign(static_cast<size_t>(height) << nPitchShift, 0);
  if (old.empty()) return 1;
  for (int y = 0; y < std::min(oldHeight, height); ++y) {
    for (int x = 0; x < std::min(oldWidth, width); ++x) {
      const size_t from = static_cast<size_t>(x) + (static_cast<size_t>(y) << oldShift);
      if (from < old.size()) Cells[static_cast<size_t>(x) + (static_cast<size_t>(y) << nPitchShift)] = old[from];
    }
  }
  return 1;
}

cEdWorldEvent* cEdWorldMap::FindWorldEventAt(int col, int row) {
  for (cEdWorldEvent& e : Events)
    if (e.nCol == col && e.nRow == row) return &e;
  return nullptr;
}

void cEdWorldMap::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.RecordList("Chips", Chips);
  out.Line("Cells: %zu entries", Cells.size());
  out.Indent(1);
  // One line per map row, so that the grid reads as the map.
  for (int y = 0; y < nHeight; ++y) {
    std::string row;
    for (int x = 0; x < nWidth; ++x) {
      const size_t at = static_cast<size_t>(x) + (static_cast<size_t>(y) << nPitchShift);
      if (at >= Cells.size()) break;
      row += (x ? " " : "") + std::to_string(Cells[at]);
    }
    out.Line("row %d = [%s]", y, row.c_str());
  }
  out.Indent(-1);
  out.RecordList("Events", Events);
  out.RecordList("Templates", Templates);
}

namespace {
// An event holds far fewer entries than this; the handle keeps the two apart.
constexpr int32_t kEntriesPerEvent = 1 << 16;
}  // namespace

int32_t WorldStageHandle(int event, int entry) {
  if (event < 0 || entry < 0 || entry >= kEntriesPerEvent || event >= (INT32_MAX - 1) / kEntriesPerEvent) return 0;
  return event * kEntriesPerEvent + entry + 1;
}

const cEdWorldStage* FindWorldStage(const cEdWorldMap& map, int32_t handle) {
  if (handle <= 0) return nullptr;
  const int event = (handle - 1) / kEntriesPerEvent;
  const int entry = (handle - 1) % kEntriesPerEvent;
  if (event >= map.Events.Count()) return nullptr;
  const cEdWorldEvent& e = map.Events[static_cast<size_t>(event)];
  if (entry >= e.Stages.Count()) return nullptr;
  return &e.Stages[static_cast<size_t>(entry)];
}
