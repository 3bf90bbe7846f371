// korvane-probe flowtrace: a flow file's trace step by step, and the files and
// arguments it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

std::vector<std::string> Probe(cTempDir& dir, const std::vector<std::string>& args, int& code) { return RunProbe(args, &code, dir.Path()); }

TEST(FlowTraceProbe, AnInstantWaitBesideAMoveThenAnUnrolledLoop) {
  cTempDir dir(false);
  dir.Write("flow.txt",
            "# the wait runs beside the move\nlevel 1\nwait 2 instant\nmove 1 speed 10 dir 3\nloop 2 1\nwait 0\n");
  int code = -1;
  const std::vector<std::string> lines = Probe(dir, {"flowtrace", "flow.txt", "--steps", "20"}, code);
  EXPECT_EQ(code, 0);
  const std::vector<std::string> expected = {
      "commands=4",
      "command.0=type 1 steps 12 instant",
      "command.1=type 2 steps 6",
      "command.2=type 1 steps 0",
      "command.3=type 1 steps 0",
      "step.1=started=0,1 running=0,1 finished=- dx=1 dy=0 facing=1",
      "step.2=started=- running=0,1 finished=- dx=1 dy=0 facing=1",
      "step.3=started=- running=0,1 finished=- dx=1 dy=0 facing=1",
      "step.4=started=- running=0,1 finished=- dx=1 dy=0 facing=1",
      "step.5=started=- running=0,1 finished=- dx=1 dy=0 facing=1",
      "step.6=started=- running=0,1 finished=1 dx=1 dy=0 facing=1",
      "step.7=started=2 running=0,2 finished=2 dx=0 dy=0 facing=1",
      "step.8=started=3 running=0,3 finished=3 end dx=0 dy=0 facing=1",
      "running=0"};
  EXPECT_EQ(lines, expected);
}

TEST(FlowTraceProbe, BadFilesAndArguments) {
  cTempDir dir(false);
  dir.Write("bad.txt", "wait 1\njump 3\n");
  dir.Write("ok.txt", "wait 1\n");
  dir.Write("move.txt", "wait 1 speed 3\n");
  int code = -1;
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"flowtrace", "bad.txt", "--steps", "3"},
                                             {"flowtrace", "move.txt", "--steps", "3"},
                                             {"flowtrace", "missing.txt", "--steps", "3"},
                                             {"flowtrace", "ok.txt"},
                                             {"flowtrace", "ok.txt", "--steps", "0"},
                                             {"flowtrace", "ok.txt", "--steps=x"},
                                             {"flowtrace", "ok.txt", "--frames", "3"}}) {
    SCOPED_TRACE(args[1] + " " + (args.size() > 2 ? args[2] : ""));
    Probe(dir, args, code);
    EXPECT_EQ(code, 2);
  }
}

}  // namespace
