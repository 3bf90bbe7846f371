#include "data/command.h"

#include "app/base/record_dump.h"
#include "app/base/report_log.h"
#include "data/flow.h"
#include "data/item_command_table.h"
#include "data/record_lists.h"

namespace {

constexpr uint32_t kMaxCommands = 1u << 16;
constexpr uint32_t kMaxParameters = 1u << 12;
// The least a command takes in a file: its base part, two definition flags and two
// list counts.
constexpr size_t kMinCommandBytes = 24;

// A u32 presence flag (any non-zero value means present), then the definition.
template <class Ptr, class Make>
bool ReadDefinition(cDataFile& file, Ptr& ptr, Make make, const char* what) {
  uint32_t present = 0;
  if (!file.ReadU32(present, what)) return false;
  ptr.reset();
  if (!present) return true;
  make(ptr);
  return ptr->Read(file);
}

template <class Ptr>
bool WriteDefinition(cDataFile& file, Ptr& ptr) {
  file.WriteU32(ptr ? 1 : 0);
  return !ptr || ptr->Write(file);
}

}  // namespace

cEdCommand::cEdCommand() { Reset(); }

cEdCommand::cEdCommand(const cEdCommand& other) : cRecord() { *this = other; }

cEdCommand& cEdCommand::operator=(const cEdCommand& other) {
  if (this == &other) return *this;
  nSet = other.nSet;
  nType = other.nType;
  Values = other.Values;
  strText = other.strText;
  CopyEdMove(pMove, other.pMove);
  CopyEdShot(pShot, other.pShot);
  nTime = other.nTime;
  nTimeClone = other.nTimeClone;
  bWithNext = other.bWithNext;
  nSound = other.nSound;
  bSoundInView = other.bSoundInView;
  nAnime = other.nAnime;
  Flows = other.Flows;
  return *this;
}

cEdCommand::~cEdCommand() = default;

void cEdCommand::Reset() {
  ResetFields();
  pMove.reset();
  pShot.reset();
  Values.clear();
  Flows.clear();
  bSoundInView = 1;
}

void cEdCommand::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(nSet);
  REG(nType);
  REG(nTime);
  REG(nTimeClone);
  REG(bWithNext);
  REG(nSound);
  REG(bSoundInView);
  REG(nAnime);
  REG(strText);
}

bool cEdCommand::Read(cDataFile& file) {
  if (!cRecord::Read(file) || !ReadDefinition(file, pMove, NewEdMove, "movement flag") ||
      !ReadDefinition(file, pShot, NewEdShot, "shot flag") || !ReadFlowList(Flows, file) ||
      !ReadIntList(file, Values, "Values", kMaxParameters))
    return false;
  if (file.Version() < kDataVersion) Upgrade(file.Version());
  // An unknown type has no parameter count to size its parameters by: they stay
  // as read.
  if (!TableEntry())
    ReportLog("%s : command of set %d and type %d is not known; its %d parameters are kept as read",
              file.Path().c_str(), nSet, nType, Values.Count());
  if (!KeepTestPlayFlows()) RemoveTestPlayFlows(Flows);
  Validate();
  return true;
}

bool cEdCommand::Write(cDataFile& file) {
  Validate();
  if (!cRecord::Write(file) || !WriteDefinition(file, pMove) || !WriteDefinition(file, pShot) ||
      !WriteRecordList(file, Flows))
    return false;
  WriteIntList(file, Values);
  return true;
}

const cLabelItem* cEdCommand::TableEntry() const {
  if (nSet == kCharaSet && nType < kCharaCommandTypes) return &CommandTable()[nType];
  if (nSet == kItemSet && nType < kItemCommandTypes) return &ItemCommandTable()[nType];
  return nullptr;
}

int cEdCommand::CharaType() const {
  if (nSet == kCharaSet) return nType;
  if (nSet == kItemSet) return CharaTypeOfItemCommand(nType);
  return -1;
}

void cEdCommand::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  const cLabelItem* entry = TableEntry();
  out.String("typeLabel", entry ? entry->strLabel : std::string());
  out.NumberList("Values", Values);
  if (pMove) {
    out.Line("pMove %s", pMove->ClassName());
    out.Indent(1);
    pMove->Dump(out);
    out.Indent(-1);
  } else {
    out.Line("pMove = none");
  }
  if (pShot) {
    out.Line("pShot %s", pShot->ClassName());
    out.Indent(1);
    pShot->Dump(out);
    out.Indent(-1);
  } else {
    out.Line("pShot = none");
  }
  out.RecordList("Flows", Flows);
}

bool ReadCommandList(cVector<cEdCommand>& list, cDataFile& file) {
  return ReadRecordList<cEdCommand>(file, list, "Commands", kMaxCommands, kMinCommandBytes);
}
