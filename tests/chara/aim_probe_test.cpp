// korvane-probe aim: each kind's lines for a worked case, the searches' repeated
// --chara list, and bad arguments with exit 2 and one line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

using Lines = std::vector<std::string>;

Lines Probe(Lines args, int& code) {
  args.insert(args.begin(), "aim");
  cTempDir dir(false);
  const cProcessResult r = RunProgram("korvane-probe", args, dir.Path());
  code = r.exitCode;
  Lines lines;
  size_t start = 0;
  while (start < r.output.size()) {
    size_t end = r.output.find('\n', start);
    if (end == std::string::npos) end = r.output.size();
    lines.push_back(r.output.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

const Lines kVector = {"--kind=vector", "--from-x=0", "--from-y=0", "--to-x=30", "--to-y=40", "--speed=5",
                       "--mover-synced=0", "--target=unsynced", "--plain=0", "--report-arrival=1",
                       "--additive-sync=0", "--scroll-speed-x=1", "--scroll-speed-y=0.5", "--clamped-x=0",
                       "--clamped-y=0", "--direction=7"};
const Lines kFilter = {"--filter-id=0", "--id=0", "--filter-variable=0", "--variable-index=0", "--value=0",
                       "--operator=0", "--exclude-identity=0", "--identity=0", "--skip-invincible-1=0",
                       "--skip-invincible-2=0", "--skip-block=0"};

Lines With(Lines base, const Lines& more) {
  base.insert(base.end(), more.begin(), more.end());
  return base;
}

// The same list with one option's value replaced.
Lines Replace(Lines base, const std::string& name, const std::string& value) {
  for (std::string& a : base)
    if (a.rfind("--" + name + "=", 0) == 0) a = "--" + name + "=" + value;
  return base;
}

TEST(AimProbe, VectorAndAxisLines) {
  int code = -1;
  EXPECT_EQ(Probe(kVector, code), (Lines{"vx=2", "vy=3.5", "direction=2", "result=0"}));
  EXPECT_EQ(code, 0);
  // A clamped axis gives no scroll term.
  EXPECT_EQ(Probe(Replace(kVector, "clamped-x", "1"), code), (Lines{"vx=3", "vy=3.5", "direction=2", "result=0"}));
  // A lead with no solution: the plain vector, the direction as given, exit 0.
  const Lines lead = Replace(Replace(Replace(Replace(kVector, "target", "synced"), "to-x", "0"), "speed", "1"),
                             "scroll-speed-x", "2");
  EXPECT_EQ(Probe(lead, code), (Lines{"vx=0", "vy=1", "direction=7", "result=0"}));
  EXPECT_EQ(code, 0);
  const Lines axis = {"--kind=axis-x", "--from=5", "--to=5", "--speed=0.25", "--mover-synced=0", "--target=synced",
                      "--report-arrival=1", "--additive-sync=1", "--direction=0", "--scroll-speed-x=1",
                      "--clamped-x=0"};
  EXPECT_EQ(Probe(axis, code), (Lines{"vx=0.75", "vy=0", "direction=1", "result=1"}));
  Lines axisY = Replace(Replace(Replace(axis, "kind", "axis-y"), "scroll-speed-x", "1"), "clamped-x", "0");
  axisY[9] = "--scroll-speed-y=-1";
  axisY[10] = "--clamped-y=0";
  EXPECT_EQ(Probe(axisY, code), (Lines{"vx=0", "vy=-1.25", "direction=0", "result=1"}));
  EXPECT_EQ(code, 0);
}

TEST(AimProbe, WaveLines) {
  int code = -1;
  const Lines wave = {"--kind=wave-speed", "--amplitude=10", "--rate=1", "--phase=719.5", "--phase-step=1",
                      "--phase-offset=0", "--steps-per-frame=2"};
  const Lines lines = Probe(wave, code);
  EXPECT_EQ(code, 0);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "value=0.08726563188588847");  // (pi/180) x cos(359.75 degrees) x 10 / 2
  EXPECT_EQ(lines[1], "phase=0.5");
  EXPECT_EQ(Probe(Replace(Replace(wave, "kind", "wave-acceleration"), "phase", "180"), code),
            (Lines{"value=-0.0007615435494667714", "phase=181"}));
}

TEST(AimProbe, SearchesOverRepeatedCharas) {
  int code = -1;
  // 0: nearer, out of view; 1: in view; 2: in view, nearest, "shots pass through".
  const Lines charas = {"--chara=5,5,1,0,0,1,7,0,0,0,0,0,0,0,0,0,0,0", "--chara=50,50,1,1,0,2,7,0,0,0,0,0,0,0,0,0,0,0",
                        "--chara=1,1,1,1,0,3,8,2,0,0,0,0,0,0,0,0,0,0"};
  const Lines nearest = With(With({"--kind=nearest", "--x=0", "--y=0", "--scope=0"}, kFilter), charas);
  EXPECT_EQ(Probe(nearest, code), Lines{"found=2"});
  EXPECT_EQ(code, 0);
  EXPECT_EQ(Probe(Replace(Replace(nearest, "filter-id", "1"), "id", "7"), code), Lines{"found=1"});
  EXPECT_EQ(Probe(Replace(nearest, "scope", "1"), code), Lines{"found=2"});
  EXPECT_EQ(Probe(Replace(nearest, "scope", "3"), code), Lines{"found=-1"});
  EXPECT_EQ(code, 0);
  EXPECT_EQ(Probe(With({"--kind=nearest", "--x=0", "--y=0", "--scope=0"}, kFilter), code), Lines{"found=-1"});
  EXPECT_EQ(code, 0);
  const Lines shot = With({"--kind=nearest-for-shot", "--x=0", "--y=0", "--in-view-only=0"}, charas);
  EXPECT_EQ(Probe(shot, code), Lines{"found=1"});
  EXPECT_EQ(Probe(Replace(Replace(shot, "in-view-only", "1"), "x", "-100"), code), Lines{"found=1"});
  EXPECT_EQ(Probe(With(With({"--kind=first"}, kFilter), charas), code), Lines{"found=0"});
  EXPECT_EQ(Probe(Replace(With(With({"--kind=first"}, kFilter), charas), "skip-invincible-2", "1"), code),
            Lines{"found=0"});
  EXPECT_EQ(code, 0);
}

TEST(AimProbe, BadArgumentsExitTwoWithOneLine) {
  const Lines first = With({"--kind=first"}, kFilter);
  const std::vector<Lines> bad = {
      {},                                                   // no kind
      {"--kind=circle"},                                    // no such kind
      Replace(kVector, "target", "maybe"),
      Replace(kVector, "plain", "2"),
      Replace(kVector, "speed", "nan"),
      std::vector<std::string>(kVector.begin(), kVector.end() - 1),  // --direction missing
      With(kVector, {"--from=0"}),                          // an option of another kind
      With(kVector, {"--speed=2"}),                         // given twice
      {"--kind=wave-speed", "--amplitude=10", "--rate=1", "--phase=0", "--phase-step=1", "--phase-offset=0",
       "--steps-per-frame=0"},
      With(first, {"--chara=1,2,3"}),                       // too few numbers
      With(first, {"--chara=0,0,2,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0"}),  // a flag of 2
      With(first, {"--chara=0,0,1,1,0,0,256,0,0,0,0,0,0,0,0,0,0,0"}),  // a byte out of range
      With(first, {"--chara=0,0,1,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,9"}),  // 19 numbers
      With(first, {"--x=0"}),
  };
  for (const Lines& args : bad) {
    SCOPED_TRACE(args.empty() ? "" : args.back());
    int code = -1;
    EXPECT_EQ(Probe(args, code).size(), 1u);
    EXPECT_EQ(code, 2);
  }
}

}  // namespace
