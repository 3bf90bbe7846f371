#pragma once
#include <cstdint>

namespace plat {

// A test-play notice for the editor: appended as the line "NOTICE <dwData> <value>"
// to the notice sink named by KORVANE_NOTICE. Without a sink the notice goes
// nowhere, as it does when no editor window is open.
void SendEditorNotice(uint32_t dwData, int32_t value);

}  // namespace plat
