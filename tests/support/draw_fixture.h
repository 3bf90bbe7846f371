#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "draw/draw.h"
#include "platform/display/display_control.h"
#include "platform/display/display_window.h"
#include "platform/present_slot.h"
#include "platform/sjis.h"
#include "tests/support/temp_dir.h"
#include "tools/draw_tool/cards.h"
#include "tools/draw_tool/sheet_project.h"

// A fresh folder holding the made-up project's sheets, a default display machine,
// and the drawing layer released at the end.
class cDrawTest : public testing::Test {
 protected:
  void SetUp() override {
    plat::DisplayControl().Reset();
    plat::ResetDisplayWindowState();
    BuildSysBmpInfo();
    m_dir = std::make_unique<cTempDir>();
    ASSERT_TRUE(draw_tool::WriteSheetProject());
  }
  void TearDown() override {
    DDRelease();
    plat::PresentedFrame drained;
    plat::TakeFrame(drained);
    plat::DisplayControl().Reset();
  }
  // Shift-JIS text of the report log.
  bool Reported(const char* utf8) const { return m_dir->ReportContains(plat::Utf8ToSjis(utf8)); }

  std::unique_ptr<cTempDir> m_dir;
};

// The configurations the game runs in.
inline std::vector<draw_tool::DrawConfig> AllConfigs() {
  return {{0, 8, 0}, {0, 16, 0}, {0, 32, 0}, {0, 16, 1}, {0, 32, 1},
          {1, 16, 0}, {1, 16, 1}, {1, 32, 0}, {1, 32, 1}};
}
