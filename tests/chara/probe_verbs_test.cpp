// korvane-probe jump and graphic: the worked numbers, the options in any order,
// bad arguments with exit 2, and finite output for values no author can choose.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

std::vector<std::string> Probe(const std::vector<std::string>& args, int& code) { return RunProbe(args, &code); }

TEST(JumpProbe, PrintsTheWorkedJump) {
  int code = -1;
  const std::vector<std::string> expected = {
      "steps_per_frame=1",  "per_frame_speed_limit=6", "per_step_speed_limit=6",
      "gravity_per_step=0.5", "airborne_threshold=8", "height_hbl=4",
      "height_dots=64", "jump_speed_unscaled=-8.2539052967910607", "jump_speed_factor=1",
      "jump_speed=-8.2539052967910607", "frames_to_apex=17", "jump_time_tenths=3",
      "state_time_steps=18"};
  EXPECT_EQ(Probe({"jump", "--level=1", "--gravity=0.5", "--height=4"}, code), expected);
  EXPECT_EQ(code, 0);
  // Options in any order; the height's low byte counts (260 is 4).
  EXPECT_EQ(Probe({"jump", "--height=260", "--gravity=0.5", "--chara-kind=1", "--level=1"}, code), expected);
}

TEST(JumpProbe, ThePlayersInertiaJumpAddsItsLines) {
  int code = -1;
  const std::vector<std::string> lines =
      Probe({"jump", "--level=15", "--gravity=0.4", "--height=4", "--chara-kind=0", "--jump-kind=2",
             "--move-speed-x=-0.5", "--max-speed=50", "--min-speed=10", "--min-height=2"},
            code);
  ASSERT_EQ(code, 0);
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[0], "steps_per_frame=5");
  EXPECT_EQ(lines[2], "per_step_speed_limit=12");
  EXPECT_EQ(lines[8], "jump_speed_factor=0.97999999999999998");
  EXPECT_EQ(lines[13], "move_speed=0.5");
  EXPECT_EQ(lines[14], "max_speed=1");
  EXPECT_EQ(lines[16], "inertia_height_hbl=3");
  EXPECT_EQ(lines[17].rfind("inertia_jump_speed=-", 0), 0u);
  // Another character's kind-2 jump, or the player's other kinds, print no more.
  EXPECT_EQ(Probe({"jump", "--level=15", "--gravity=0.4", "--height=4", "--jump-kind=2"}, code).size(), 13u);
}

TEST(JumpProbe, BadArgumentsAndUnplayableValues) {
  int code = -1;
  const std::vector<std::vector<std::string>> bad = {
      {"jump", "--level=1", "--gravity=0.5"},                       // height missing
      {"jump", "--level=1", "--gravity=0.5", "--height=4", "--speed=1"},  // unknown option
      {"jump", "--level=x", "--gravity=0.5", "--height=4"},         // not a number
      {"jump", "--level=1", "--gravity=nan", "--height=4"},
      {"jump", "--level=1", "--gravity=inf", "--height=4"},
      {"jump", "--level=1", "--gravity=0.5", "--height=4", "--move-speed-x=1e999"},
      {"graphic", "--number=3"},
      {"graphic", "--kind=1", "--number=3", "--facing=2"},
  };
  for (const auto& args : bad) {
    const std::vector<std::string> lines = Probe(args, code);
    EXPECT_EQ(code, 2) << args[1];
    EXPECT_EQ(lines.size(), 1u) << args[1];
  }
  for (const char* level : {"--level=0", "--level=-5", "--level=25", "--level=-2147483648"})
    for (const char* gravity : {"--gravity=0", "--gravity=-1", "--gravity=1e-300", "--gravity=1000000000"})
      for (const char* height : {"--height=-128", "--height=127", "--height=2147483647"}) {
        const std::vector<std::string> lines =
            Probe({"jump", level, gravity, height, "--chara-kind=0", "--jump-kind=2", "--max-speed=2147483647",
                   "--min-speed=-2147483648", "--move-speed-x=3", "--min-height=-2147483648"},
                  code);
        ASSERT_EQ(code, 0) << level << gravity << height;
        ASSERT_EQ(lines.size(), 18u);
        for (const std::string& l : lines) {
          EXPECT_EQ(l.find("nan"), std::string::npos) << l;
          EXPECT_EQ(l.find("inf"), std::string::npos) << l;
        }
        EXPECT_EQ(lines[0].rfind("steps_per_frame=", 0), 0u);
        EXPECT_NE(lines[0], "steps_per_frame=0");
      }
}

TEST(GraphicProbe, PrintsTheWorkedMappings) {
  int code = -1;
  EXPECT_EQ(Probe({"graphic", "--kind=1", "--number=15"}, code),
            (std::vector<std::string>{"drawn=1", "sheet=bmp\\Character2.bmp", "surface_a=sys:6", "surface_b=sys:24",
                                      "other_surface_a=sys:7", "other_surface_b=sys:25", "source_x=0", "source_y=0",
                                      "cell_width=32", "cell_height=32", "large=0", "cell_count=1"}));
  std::vector<std::string> lines = Probe({"graphic", "--kind=1", "--number=119"}, code);
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[1], "sheet=bmp\\Character8.bmp");
  EXPECT_EQ(lines[7], "source_y=448");
  lines = Probe({"graphic", "--kind=1", "--number=0", "--column-value=25", "--mode=0"}, code);
  EXPECT_EQ(lines[2], "surface_a=sys:5");
  EXPECT_EQ(lines[6], "source_x=160");
  lines = Probe({"graphic", "--kind=4", "--number=2", "--special-count=2", "--large=1", "--cell-count=2",
                 "--column-value=9", "--facing=1"},
                code);
  EXPECT_EQ(lines, (std::vector<std::string>{"drawn=1", "sheet=special 2", "surface_a=special:5",
                                             "surface_b=special:7", "other_surface_a=special:4",
                                             "other_surface_b=special:6", "source_x=64", "source_y=64",
                                             "cell_width=64", "cell_height=64", "large=1", "cell_count=2"}));
  // A character cell beyond its sheet falls back to the first cell of the first sheet.
  lines = Probe({"graphic", "--kind=1", "--number=32767"}, code);
  EXPECT_EQ(lines[1], "sheet=bmp\\Character1.bmp");
  EXPECT_EQ(lines[6], "source_x=0");
}

TEST(GraphicProbe, BadNumbersDrawNothingOrInsideTheSheet) {
  int code = -1;
  for (const char* kind : {"--kind=0", "--kind=1", "--kind=2", "--kind=3", "--kind=4", "--kind=9"})
    for (const char* number : {"--number=-1", "--number=300", "--number=32767"}) {
      const std::vector<std::string> lines = Probe({"graphic", kind, number, "--sheet-width=64"}, code);
      ASSERT_EQ(code, 0);
      ASSERT_FALSE(lines.empty());
      if (lines[0] == "drawn=0") {
        EXPECT_EQ(lines.size(), 1u);
        continue;
      }
      ASSERT_EQ(lines.size(), 12u) << kind << number;
      const int x = std::stoi(lines[6].substr(9));
      EXPECT_LE(x + 32, lines[1] == "sheet=shot" ? 256 : 64) << kind << number;
    }
}

}  // namespace
