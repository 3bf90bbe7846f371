#include "tools/probe/probe.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace probe {
namespace {

std::vector<cVerb>& Table() {
  static std::vector<cVerb> verbs;
  return verbs;
}

}  // namespace

cVerbRegistrar::cVerbRegistrar(const char* name, const char* usage, VerbFunction run, bool raw) {
  Table().push_back({name, usage, run, raw});
}

const std::vector<cVerb>& Verbs() { return Table(); }

bool cArgs::Parse(const std::vector<std::string>& args, std::string& error) {
  for (const std::string& a : args) {
    // A bare value (a negative number too) is a positional argument.
    if (a.rfind("--", 0) != 0 && !a.empty() && a.find('=') == std::string::npos) {
      m_Positional.push_back(a);
      continue;
    }
    const size_t eq = a.find('=');
    if (a.rfind("--", 0) != 0 || eq == std::string::npos || eq == 2) {
      error = "argument '" + a + "' is not --name=value";
      return false;
    }
    const std::string name = a.substr(2, eq - 2);
    if (m_Values.count(name)) {
      std::vector<std::string>& all = m_Repeated[name];
      if (all.empty()) all.push_back(m_Values[name]);
      all.push_back(a.substr(eq + 1));
      continue;
    }
    m_Values[name] = a.substr(eq + 1);
    m_Used[name] = false;
  }
  return true;
}

bool cArgs::Int(const char* name, int& out, long long lo, long long hi, std::string& error) {
  auto it = m_Values.find(name);
  if (it == m_Values.end()) {
    error = std::string("option --") + name + " is missing";
    return false;
  }
  if (m_Repeated.count(name)) {
    error = std::string("option --") + name + " is given twice";
    return false;
  }
  m_Used[name] = true;
  const std::string& v = it->second;
  char* end = nullptr;
  errno = 0;
  const long long n = std::strtoll(v.c_str(), &end, 10);
  if (v.empty() || *end != '\0' || errno != 0 || n < lo || n > hi) {
    error = std::string("--") + name + "=" + v + ": expected an integer from " + std::to_string(lo) + " to " +
            std::to_string(hi);
    return false;
  }
  out = static_cast<int>(n);
  return true;
}

bool cArgs::Double(const char* name, double& out, std::string& error) {
  auto it = m_Values.find(name);
  if (it == m_Values.end()) {
    error = std::string("option --") + name + " is missing";
    return false;
  }
  if (m_Repeated.count(name)) {
    error = std::string("option --") + name + " is given twice";
    return false;
  }
  m_Used[name] = true;
  const std::string& v = it->second;
  char* end = nullptr;
  const double d = std::strtod(v.c_str(), &end);
  if (v.empty() || *end != '\0' || !std::isfinite(d) || std::fabs(d) > 1e9) {
    error = std::string("--") + name + "=" + v + ": expected a number from -1e9 to 1e9";
    return false;
  }
  out = d;
  return true;
}

bool cArgs::Word(const char* name, const std::vector<std::string>& words, int& out, std::string& error) {
  auto it = m_Values.find(name);
  if (it == m_Values.end()) {
    error = std::string("option --") + name + " is missing";
    return false;
  }
  if (m_Repeated.count(name)) {
    error = std::string("option --") + name + " is given twice";
    return false;
  }
  m_Used[name] = true;
  for (size_t i = 0; i < words.size(); ++i) {
    if (it->second == words[i]) {
      out = static_cast<int>(i);
      return true;
    }
  }
  std::string list;
  for (const std::string& w : words) list += (list.empty() ? "" : "|") + w;
  error = std::string("--") + name + "=" + it->second + ": expected " + list;
  return false;
}

bool cArgs::PosInt(size_t index, const char* name, int& out, long long lo, long long hi, std::string& error) {
  if (index >= m_Positional.size()) {
    error = std::string(name) + " is missing";
    return false;
  }
  m_nPositionalUsed = std::max(m_nPositionalUsed, index + 1);
  const std::string& v = m_Positional[index];
  char* end = nullptr;
  errno = 0;
  const long long n = std::strtoll(v.c_str(), &end, 10);
  if (v.empty() || *end != '\0' || errno != 0 || n < lo || n > hi) {
    error = std::string(name) + " " + v + ": expected an integer from " + std::to_string(lo) + " to " +
            std::to_string(hi);
    return false;
  }
  out = static_cast<int>(n);
  return true;
}

std::vector<std::string> cArgs::Every(const char* name) {
  auto it = m_Values.find(name);
  if (it == m_Values.end()) return {};
  m_Used[name] = true;
  auto repeated = m_Repeated.find(name);
  if (repeated != m_Repeated.end()) return repeated->second;
  return {it->second};
}

bool cArgs::NoneLeft(std::string& error) const {
  if (m_Positional.size() > m_nPositionalUsed) {
    error = "unexpected argument '" + m_Positional[m_nPositionalUsed] + "'";
    return false;
  }
  for (const auto& [name, used] : m_Used) {
    if (!used) {
      error = (m_Repeated.count(name) ? "option --" + name + " is given twice" : "unknown option --" + name);
      return false;
    }
  }
  return true;
}

std::string Number(double value) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", value);
  return buf;
}

}  // namespace probe
