// korvane-probe pattern: the line format of a worked firing, no lines for firings
// that place nothing, and exit 2 with one line for bad options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

using Lines = std::vector<std::string>;

const Lines kBase = {
    "--pattern=0",         "--direction=3",       "--count=3",          "--param1=1",        "--param2=0",
    "--param3=0",          "--centre=0",          "--aim=0",            "--rotate=0",        "--angle=0",
    "--angle-clone=0",     "--mirror-angle=0",    "--clones=1",         "--offset-x=0",      "--offset-x-clone=0",
    "--offset-y=0",        "--offset-y-clone=0",  "--mirror-offset-x=1", "--mirror-offset-y=0", "--size=1",
    "--speed=30",          "--speed-clone=5",     "--range=4",          "--range-clone=1",   "--lifetime=10",
    "--lifetime-clone=2",  "--scroll-x=100.5",    "--scroll-y=0",       "--input=0",         "--packing=0",
    "--firer-x=300.5",     "--firer-y=100",       "--firer-width=32",   "--firer-height=32", "--facing=1",
    "--target=0",          "--target-x=0",        "--target-y=0",       "--target-width=32", "--target-height=32",
    "--player-x=0",        "--player-y=0",        "--player-width=32",  "--player-height=32"};

Lines Replace(Lines base, const std::string& name, const std::string& value) {
  for (std::string& a : base)
    if (a.rfind("--" + name + "=", 0) == 0) a = "--" + name + "=" + value;
  return base;
}

cProcessResult Probe(Lines args) {
  args.insert(args.begin(), "pattern");
  cTempDir dir(false);
  return RunProgram("korvane-probe", args, dir.Path());
}

}  // namespace

TEST(PatternProbe, PrintsEveryObjectInSpawningOrder) {
  const cProcessResult r = Probe(kBase);
  EXPECT_EQ(r.exitCode, 0);
  // Screen left 200 at scroll 100.5: x = trunc(100.5 + 231 + 1) = 332; CY = 116.
  EXPECT_EQ(r.output,
            "shot=0 clone=0 x=332 y=76 vx=3 vy=0 angle=180 speed=3 distance=4 lifetime=10\n"
            "shot=1 clone=0 x=332 y=108 vx=3 vy=0 angle=180 speed=3 distance=4 lifetime=10\n"
            "shot=2 clone=0 x=332 y=140 vx=3 vy=0 angle=180 speed=3 distance=4 lifetime=10\n"
            "shot=3 clone=1 x=332 y=76 vx=3.5 vy=0 angle=180 speed=3.5 distance=5 lifetime=12\n"
            "shot=4 clone=1 x=332 y=108 vx=3.5 vy=0 angle=180 speed=3.5 distance=5 lifetime=12\n"
            "shot=5 clone=1 x=332 y=140 vx=3.5 vy=0 angle=180 speed=3.5 distance=5 lifetime=12\n");
}

TEST(PatternProbe, FiringsThatPlaceNothingPrintNothing) {
  for (const Lines& args : {Replace(kBase, "pattern", "6"), Replace(kBase, "count", "0"),
                            Replace(kBase, "count", "-3"), Replace(kBase, "clones", "-1"),
                            Replace(kBase, "pattern", "3"), Replace(kBase, "pattern", "5")}) {
    const cProcessResult r = Probe(args);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "");
  }
}

TEST(PatternProbe, BadOptionsExitTwoWithOneLine) {
  Lines missing = kBase;
  missing.pop_back();
  for (const Lines& args : {missing, Replace(kBase, "direction", "13"), Replace(kBase, "count", "x"),
                            Replace(kBase, "scroll-x", "left"), Replace(kBase, "input", "9")}) {
    const cProcessResult r = Probe(args);
    EXPECT_EQ(r.exitCode, 2);
  }
  Lines extra = kBase;
  extra.push_back("--spread=3");
  EXPECT_EQ(Probe(extra).exitCode, 2);
}
