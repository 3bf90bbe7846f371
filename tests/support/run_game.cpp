#include "tests/support/run_game.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "tests/support/temp_dir.h"

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

std::vector<std::string> GameEnv(const std::string& folder, const std::vector<std::string>& env) {
  std::vector<std::string> all = {"KORVANE_HEADLESS=1", "KORVANE_CLOCK=virtual", "KORVANE_LOCK=" + folder + "/game.lock"};
  all.insert(all.end(), env.begin(), env.end());  // later settings win
  return all;
}

cProcessResult RunGame(const std::string& folder, const std::vector<std::string>& env,
                       const std::vector<std::string>& args) {
  return RunProgram("korvane", args, folder, GameEnv(folder, env));
}

bool MakeDemoProject(const std::string& folder, const std::string& systemIni) {
  if (RunProgram("korvane-mkdemo", {folder}, folder).exitCode != 0) return false;
  if (systemIni.empty()) return true;
  FILE* f = std::fopen((folder + "/System.ini").c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(systemIni.data(), 1, systemIni.size(), f) == systemIni.size();
  return std::fclose(f) == 0 && ok;
}

cBackgroundProgram::cBackgroundProgram(const std::string& program, const std::vector<std::string>& args,
                                       const std::string& folder, const std::vector<std::string>& env) {
  // Everything the child needs is made before the fork.
  std::string path = std::string(KORVANE_BIN_DIR) + "/" + program;
  std::vector<std::string> argStrings{path};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<std::string> envStrings;
  for (char** e = environ; *e; ++e) envStrings.push_back(*e);
  envStrings.insert(envStrings.end(), env.begin(), env.end());
  std::vector<char*> argv, envp;
  for (std::string& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);
  // A setting given twice: the later one is put first, so that it is the one found.
  for (auto it = envStrings.rbegin(); it != envStrings.rend(); ++it) envp.push_back(it->data());
  envp.push_back(nullptr);
  m_pid = fork();
  if (m_pid == 0) {
    // A group of its own, so that whatever it starts (a message box's helper
    // process) ends with it.
    setpgid(0, 0);
    if (chdir(folder.c_str()) != 0) _exit(127);
    execve(path.c_str(), argv.data(), envp.data());
    _exit(127);
  }
}

cBackgroundProgram::~cBackgroundProgram() {
  if (Running()) {
    kill(-m_pid, SIGKILL);
    Wait(5000);
  }
}

bool cBackgroundProgram::Running() {
  if (m_pid <= 0 || m_exitCode >= 0) return false;
  return Wait(0) < 0;
}

int cBackgroundProgram::Wait(int ms) {
  if (m_pid <= 0) return -1;
  if (m_exitCode >= 0) return m_exitCode;
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    int status = 0;
    pid_t r = waitpid(m_pid, &status, WNOHANG);
    if (r == m_pid) {
      m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      return m_exitCode;
    }
    if (std::chrono::steady_clock::now() >= end) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

std::vector<std::string> RunProbe(const std::vector<std::string>& args, int* code, const std::string& folder) {
  cTempDir dir(false);
  const cProcessResult r = RunProgram("korvane-probe", args, folder.empty() ? dir.Path() : folder);
  if (code) *code = r.exitCode;
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < r.output.size()) {
    size_t end = r.output.find('\n', start);
    if (end == std::string::npos) end = r.output.size();
    lines.push_back(r.output.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}
