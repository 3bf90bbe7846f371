#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"
#include "data/command.h"
#include "data/condition.h"

// A flow: the unit of behaviour of a character (and, nested, of a command): a
// trigger that says when it may start, conditions, a sequence of key conditions on
// the player's input, and the commands it runs.
class cEdFlow : public cRecord {
  RECORD_CLASS(cEdFlow)
 public:
  cEdFlow() { ResetFields(); }

  std::string strName;      // 676: the author's name; emptied after every read
  int8_t nID = 0;           // 0 none; the flow-operation command finds the flow by it
  int8_t nGroup = 0;        // 0 none
  int8_t bTestOnly = 0;     // exists only in a test play
  cVector<cEdCondition> Conditions;
  int8_t nCondMode = 0;     // 0 all conditions, 1 any one
  int8_t bCondOnce = 0;     // once met in a run, the conditions are not tested again
  int8_t nTrigger = 0;      // 0 to 19
  int8_t nKeyGap = 0;       // tolerance between the key conditions, in input-history steps
  int8_t bKeyRepeat = 0;    // the key sequence holds on every step while it matches
  cVector<cEdKeyCondition> KeyConditions;
  cVector<cEdCommand> Commands;

  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;

  void Validate();
  void ValidatePalette();
  // No conditions, no key conditions and no commands.
  bool IsEmpty() const { return Conditions.empty() && KeyConditions.empty() && Commands.empty(); }
};

// Flows nest through commands; deeper nesting than this is refused as damage.
constexpr int kMaxFlowNesting = 16;

// A u32 count, then that many flows, replacing the list.
bool ReadFlowList(cVector<cEdFlow>& list, cDataFile& file);
// Removes every flow meant for test play only, keeping the order of the others.
void RemoveTestPlayFlows(cVector<cEdFlow>& list);
// Whether flows meant for test play only stay when flows are read: in a test play,
// or when the game-wide settings keep them.
bool KeepTestPlayFlows();
