#include "tests/support/run_game.h"

#include <sys/wait.h>

#include <cstdio>

namespace {
std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}
}  // namespace

cProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                          const std::string& folder, const std::vector<std::string>& env) {
  std::string cmd = "cd " + Quote(folder) + " && env";
  for (const std::string& e : env) cmd += " " + Quote(e);
  cmd += " " + Quote(std::string(KORVANE_BIN_DIR) + "/" + program);
  for (const std::string& a : args) cmd += " " + Quote(a);
  cmd += " 2>&1";
  cProcessResult r;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.output.append(buf, n);
  int status = pclose(p);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return r;
}
