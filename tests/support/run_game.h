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
