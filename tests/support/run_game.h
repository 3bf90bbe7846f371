#pragma once
#include <string>
#include <vector>

// Runs a built program (by its name in the build's bin folder) in a folder with
// extra environment settings; returns its exit code and what it printed.
struct cProcessResult {
  int exitCode = -1;
  std::string output;
};
cProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                          const std::string& folder, const std::vector<std::string>& env = {});

// korvane-probe run with args in folder (a fresh empty one when none is given): the
// lines it printed, and its exit code in *code when asked.
std::vector<std::string> RunProbe(const std::vector<std::string>& args, int* code = nullptr,
                                  const std::string& folder = "");

// The game run headless on the virtual clock in folder, with its own lock file
// there (so that tests may run side by side); env adds or overrides settings.
cProcessResult RunGame(const std::string& folder, const std::vector<std::string>& env,
                       const std::vector<std::string>& args = {});
std::vector<std::string> GameEnv(const std::string& folder, const std::vector<std::string>& env);

// Writes the demo project (korvane-mkdemo) into folder; then, when systemIni is
// not empty, replaces its "System.ini" with that text. True when it was written.
bool MakeDemoProject(const std::string& folder, const std::string& systemIni = "");

// A program started in the background, in a process group of its own; the
// destructor ends the group when the program still runs.
class cBackgroundProgram {
 public:
  cBackgroundProgram(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
                     const std::vector<std::string>& env);
  ~cBackgroundProgram();
  cBackgroundProgram(const cBackgroundProgram&) = delete;
  cBackgroundProgram& operator=(const cBackgroundProgram&) = delete;

  bool Running();
  int Pid() const { return m_pid; }
  // Waits up to ms for the end; the exit code, or -1 when it still runs.
  int Wait(int ms);

 private:
  int m_pid = -1;
  int m_exitCode = -1;
};
