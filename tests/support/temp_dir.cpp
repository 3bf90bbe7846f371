#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/base/report_log.h"

namespace fs = std::filesystem;

cTempDir::cTempDir(bool openReportLog) {
  char buf[4096];
  if (getcwd(buf, sizeof buf)) m_oldCwd = buf;
  std::string tmpl = (fs::temp_directory_path() / "korvane-test-XXXXXX").string();
  std::vector<char> t(tmpl.begin(), tmpl.end());
  t.push_back(0);
  if (!mkdtemp(t.data())) ADD_FAILURE() << "mkdtemp failed";
  m_path = t.data();
  if (chdir(m_path.c_str()) != 0) ADD_FAILURE() << "chdir failed";
  if (openReportLog) InitReportLog((m_path + "/Report_Game.txt").c_str());
}

cTempDir::~cTempDir() {
  if (!m_oldCwd.empty() && chdir(m_oldCwd.c_str()) != 0) {
  }
  std::error_code ec;
  fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(m_path, ec);
}

void cTempDir::Write(const std::string& relPath, const std::vector<unsigned char>& bytes) const {
  fs::path p = fs::path(m_path) / relPath;
  fs::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void cTempDir::Write(const std::string& relPath, const std::string& text) const {
  Write(relPath, std::vector<unsigned char>(text.begin(), text.end()));
}

std::vector<unsigned char> cTempDir::Read(const std::string& relPath) const {
  std::ifstream in(fs::path(m_path) / relPath, std::ios::binary);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool cTempDir::Exists(const std::string& relPath) const { return fs::exists(fs::path(m_path) / relPath); }

std::vector<std::string> cTempDir::ReportLines() const {
  std::ifstream in(fs::path(m_path) / "Report_Game.txt", std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

bool cTempDir::ReportContains(const std::string& text) const {
  for (const std::string& l : ReportLines())
    if (l.find(text) != std::string::npos) return true;
  return false;
}
