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
  // False (with the reason) for an argument that is not --name=value. A repeated
  // option is refused later unless the verb reads it with Every.
  bool Parse(const std::vector<std::string>& args, std::string& error);
  // Each getter: false (with the reason) when the option is missing or its value
  // is not a number of that kind or lies outside [lo, hi].
  bool Int(const char* name, int& out, long long lo, long long hi, std::string& error);
  bool Flag(const char* name, int& out, std::string& error) { return Int(name, out, 0, 1, error); }
  bool Double(const char* name, double& out, std::string& error);
  // One of the given words: out is its position among them.
  bool Word(const char* name, const std::vector<std::string>& words, int& out, std::string& error);
  // The same for an option that may be left out: out keeps its default then.
  bool OptInt(const char* name, int& out, long long lo, long long hi, std::string& error) {
    return !Has(name) || Int(name, out, lo, hi, error);
  }
  bool OptDouble(const char* name, double& out, std::string& error) { return !Has(name) || Double(name, out, error); }
  bool Has(const char* name) const { return m_Values.count(name) != 0; }
  // Every value of an option that may be given any number of times, in order
  // (none when it was not given).
  std::vector<std::string> Every(const char* name);
  // A positional argument (a bare value, in order) as an integer; `name` names it in
  // the reason.
  bool PosInt(size_t index, const char* name, int& out, long long lo, long long hi, std::string& error);
  // False (with the reason) when an option or positional argument was given that no
  // getter asked for.
  bool NoneLeft(std::string& error) const;
  // The arguments as given, for a verb whose options do not take --name=value
  // (registered with PROBE_RAW_VERB: Parse is not called for it).
  void SetRaw(const std::vector<std::string>& args) { m_Raw = args; }
  const std::vector<std::string>& Raw() const { return m_Raw; }

 private:
  std::vector<std::string> m_Raw;
  std::map<std::string, std::string> m_Values;
  std::map<std::string, bool> m_Used;
  // The values of an option given more than once; only Every accepts them.
  std::map<std::string, std::vector<std::string>> m_Repeated;
  std::vector<std::string> m_Positional;
  size_t m_nPositionalUsed = 0;
};

// A verb: 0 after printing, 2 with the reason in error for a bad argument.
using VerbFunction = int (*)(cArgs& args, std::string& error);

struct cVerbRegistrar {
  cVerbRegistrar(const char* name, const char* usage, VerbFunction run, bool raw = false);
};

struct cVerb {
  const char* name;
  const char* usage;
  VerbFunction run;
  bool raw;  // reads its arguments itself (cArgs::Raw)
};
const std::vector<cVerb>& Verbs();

// A double as the probe prints it: %.17g.
std::string Number(double value);

}  // namespace probe

#define PROBE_VERB(name, usage, function) \
  static ::probe::cVerbRegistrar gProbeVerb_##function(name, usage, function)
#define PROBE_RAW_VERB(name, usage, function) \
  static ::probe::cVerbRegistrar gProbeVerb_##function(name, usage, function, true)
