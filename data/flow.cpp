#include "data/flow.h"

#include "app/base/record_dump.h"
#include "app/base/shell_globals.h"
#include "data/project_globals.h"

namespace {

constexpr uint32_t kMaxFlows = 1u << 14;
// The least a flow takes in a file: its base part and three list counts.
constexpr size_t kMinFlowBytes = 20;

// How deep the flow lists being read on this thread are nested.
thread_local int nFlowNesting = 0;

struct cNesting {
  cNesting() { ++nFlowNesting; }
  ~cNesting() { --nFlowNesting; }
};

}  // namespace

void cEdFlow::RegisterFields(uint32_t v) {
  RegisterNoFields();
  REG(nID);
  REG(nGroup);
  REG(bTestOnly);
  REG(nCondMode);
  REG(bCondOnce);
  REG(nTrigger);
  REG(nKeyGap);
  REG(bKeyRepeat);
  if (v >= 676) REG(strName);
}

bool cEdFlow::Read(cDataFile& file) {
  if (!cRecord::Read(file) || !ReadConditionList(Conditions, file) || !ReadKeyConditionList(KeyConditions, file) ||
      !ReadCommandList(Commands, file))
    return false;
  const uint32_t v = file.Version();
  if (v < kDataVersion) {
    // Triggers 12 (132), and 5 and 6 (164) were inserted.
    if (v <= 131 && nTrigger >= 11) ++nTrigger;
    if (v < 163 && nTrigger != 0) nGroup = 0;
    if (v < 164 && nTrigger >= 5) nTrigger = static_cast<int8_t>(nTrigger + 2);
  }
  // The name is the editor's only.
  strName.clear();
  Validate();
  return true;
}

bool cEdFlow::Write(cDataFile& file) {
  Validate();
  if (!cRecord::Write(file) || !WriteRecordList(file, Conditions) || !WriteRecordList(file, KeyConditions) ||
      !WriteRecordList(file, Commands))
    return false;
  return true;
}

void cEdFlow::Validate() {
  for (cEdCommand& c : Commands) c.Validate();
}

void cEdFlow::ValidatePalette() {
  for (cEdCommand& c : Commands) c.ValidatePalette();
}

void cEdFlow::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.String("triggerLabel", LabelOf(TriggerTable(), nTrigger));
  out.RecordList("Conditions", Conditions);
  out.RecordList("KeyConditions", KeyConditions);
  out.RecordList("Commands", Commands);
}

bool ReadFlowList(cVector<cEdFlow>& list, cDataFile& file) {
  uint32_t n = 0;
  if (!file.ReadCount(n, kMinFlowBytes, kMaxFlows, "Flows")) return false;
  // Flows nest through commands: a damaged or hostile file must not run the
  // reader out of stack.
  if (n && nFlowNesting >= kMaxFlowNesting) return file.Fail("flows nested deeper than %d levels", kMaxFlowNesting);
  cNesting nesting;
  cVector<cEdFlow> fresh(static_cast<int>(n));
  for (cEdFlow& f : fresh)
    if (!f.Read(file)) return false;
  list.swap(fresh);
  return true;
}

void RemoveTestPlayFlows(cVector<cEdFlow>& list) {
  std::erase_if(list, [](const cEdFlow& f) { return f.bTestOnly != 0; });
}

bool KeepTestPlayFlows() { return bTestPlay != 0 || SystemData.bKeepTestFlows != 0; }
