#pragma once
#include <cstdint>

#include "chara/flow_run.h"

class cChara;
class cEdCommand;
class cPlayer;

// Reading and writing a command's arrangeable parameters by table type (the
// character command type, or the item command type + 15). A getter leaves `out`
// alone for an index its type does not map; a setter truncates to the field's
// width and stores nothing for an unmapped index. Null for types without
// parameters.
using ParamGetter = void (*)(int32_t& out, int index, cEdCommand& command);
using ParamSetter = void (*)(int32_t value, int index, cEdCommand& command);
extern const ParamGetter ParamGetters[40];
extern const ParamSetter ParamSetters[40];

// The table type of a command: nType, plus 15 for an item command.
int ArrangeTableType(const cEdCommand& command);
// Applies one pending arrange to the command (a variable of the entry's scope
// combined with the parameter by the entry's operation, clamped to its range).
void ApplyArrange(cEdCommand& command, const cArrangeEntry& entry, cChara& chara);
void ApplyFlowArranges(cEdCommand& command, cChara& chara, cFlowRun& flow);
void ApplyItemArranges(cEdCommand& command, cPlayer& player);
// The arrange command: its values join the pending list of the running flow (an
// item command: of player 1's item arranges). 0.
int ExecArrange(cChara& chara, cEdCommand& command);
// The arithmetic of one arrange: cur combined with x by the operation in 64 bits,
// then kept within min .. max.
int32_t ArrangeValue(int32_t cur, int32_t x, int operation, int32_t min, int32_t max);
