#pragma once
#include <map>
#include <string>
#include <vector>

// korvane-probe: prints the results of the pure rules of play for a reviewer, one
// name=value per line (doubles %.17g). Each verb is a small file that registers
// itself with PROBE_VERB; it calls the same functions the game calls.
namespace probe {

// The options of a verb, --name=value each; every option a verb names must be
// given, and no other.
class cArgs {
 public:
  // False (with the reason) for an argument that is not --name=value or repeats.
  bool Parse(const std::vector<std::string>& args, std::string& error);
  // Each getter: false (with the reason) when the option is missing or its value
  // is not a number of that kind or lies outside [lo, hi].
  bool Int(const char* name, int& out, long long lo, long long hi, std::string& error);
  bool Flag(const char* name, int& out, std::string& error) { return Int(name, out, 0, 1, error); }
  bool Double(const char* name, double& out, std::string& error);
  // The same for an option that may be left out: out keeps its default then.
  bool OptInt(const char* name, int& out, long long lo, long long hi, std::string& error) {
    return !Has(name) || Int(name, out, lo, hi, error);
  }
  bool OptDouble(const char* name, double& out, std::string& error) { return !Has(name) || Double(name, out, error); }
  bool Has(const char* name) const { return m_Values.count(name) != 0; }
  // A positional argument (a bare value, in order) as an integer; `name` names it in
  // the reason.
  bool PosInt(size_t index, const char* name, int& out, long long lo, long long hi, std::string& error);
  // False (with the reason) when an option or positional argument was given that no
  // getter asked for.
  bool NoneLeft(std::string& error) const;

 private:
  std::map<std::string, std::string> m_Values;
  std::map<std::string, bool> m_Used;
  std::vector<std::string> m_Positional;
  size_t m_nPositionalUsed = 0;
};

// A verb: 0 after printing, 2 with the reason in error for a bad argument.
using VerbFunction = int (*)(cArgs& args, std::string& error);

// A verb that reads its arguments as given (repeated options, free text).
using RawVerbFunction = int (*)(const std::vector<std::string>& args, std::string& error);

struct cVerbRegistrar {
  cVerbRegistrar(const char* name, const char* usage, VerbFunction run);
  cVerbRegistrar(const char* name, const char* usage, RawVerbFunction run);
};

struct cVerb {
  const char* name;
  const char* usage;
  VerbFunction run;
  RawVerbFunction raw = nullptr;
};
const std::vector<cVerb>& Verbs();

// A double as the probe prints it: %.17g.
std::string Number(double value);

}  // namespace probe

#define PROBE_VERB(name, usage, function) \
  static ::probe::cVerbRegistrar gProbeVerb_##function(name, usage, function)
