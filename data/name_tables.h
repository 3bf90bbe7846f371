#pragma once
#include <cstdint>
#include <string>

#include "app/base/vector.h"

// The names of the numbers that flows, conditions, commands and movements store:
// the command tables with each type's parameter count, the flow triggers, the
// option lists and the status and state descriptors. Every text is Shift-JIS.
// Built once on first use and constant afterwards; only the parameter counts of
// the command tables are read by the game, the rest is the project's vocabulary
// (the data tool prints it beside the numbers).

// A labelled value; in the command tables the value is the type's parameter count.
struct cLabelItem {
  std::string strLabel;
  int32_t nValue = 0;
};

// A character status or system value that status conditions and operations name.
struct cStatusDesc {
  std::string strLabel;
  int32_t nMin = 0, nMax = 0;
  int32_t nOperandMin = 0, nOperandMax = 0;  // range of an operation's operand
  int32_t nDefault = 0;
  int32_t bPercentOfMax = 0;      // a percentage of the maximum may be given
  int32_t bPercentOfCurrent = 0;  // a percentage of the current value may be given
};

// A character state of the second status operation and condition.
struct cStateDesc {
  std::string strLabel;
  int32_t nMin = 0, nMax = 0;
  cVector<std::string> Values;  // the labels of its values
  int32_t nDefault = 0;
};

constexpr int kCharaCommandTypes = 40;
constexpr int kFlowTriggers = 20;

// Entry t: label and parameter count of character command type t (0 to 39), then
// an empty terminator.
const cVector<cLabelItem>& CommandTable();
// Entry t: the label of flow trigger t (0 to 19), then an empty terminator.
const cVector<std::string>& TriggerTable();

// The plain lists; each ends with an empty entry.
enum class eNameList {
  // conditions
  kConditionKinds, kConditionModes, kDistanceSubjects, kDistanceShapes, kDistanceSense, kDisplayOptions,
  // flows and commands
  kCapitalLetters, kSmallLetters, kFlowOperations, kFlowOperationTargets, kSubjects, kSubjectsWithSystem,
  kPlayerOrTarget, kPlayerTargetOrSystem, kLeftSideKinds, kRightSideKinds, kVariableScopes, kCalculationModes,
  kSingleSwitch, kStateChecks, kKeyConditionModes, kKeyStates, kStageClearDestinations, kStageClearFacing,
  kMessagePositions, kMessageDurations, kTargetKinds, kTargetRanges, kNoTargetFound, kCharaOrShot,
  kScreenOrEverywhere, kPalettes, kCommonPaletteOnly, kPicturePositions, kPictureDurations, kRunModes,
  kShowOrHide, kVariableScopesWithChara,
  // movements
  kMoveTargetModes, kDirectionDistanceModes, kDirections, kCoordinateKinds, kCoordinateKindsNoPlacement,
  kCircleDirections, kTurnKinds, kMoveAxisModes, kMoveTiming, kJumpHeight, kDistanceUnits,
  kCount
};
const cVector<std::string>& NameList(eNameList list);

// Index = status index of conditions and status operations (15 entries).
const cVector<cStatusDesc>& CharaStatusDescs();
// Index = system value index (5 entries).
const cVector<cStatusDesc>& SystemValueDescs();
// Index = state index of the second status operation and condition (7 entries).
const cVector<cStateDesc>& CharaStateDescs();
// A second state list of two entries, built empty.
const cVector<cStateDesc>& EmptyStateDescs();

// The label of entry n of a list with a terminator, or "" beyond it (for printing
// a stored number that names nothing).
const std::string& LabelOf(const cVector<std::string>& list, int n);
const std::string& LabelOf(const cVector<cLabelItem>& list, int n);
