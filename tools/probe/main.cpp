// korvane-probe VERB --name=value ...: the pure rules of play, printed.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/probe/probe.h"

namespace {

void Usage() {
  std::fprintf(stderr, "usage: korvane-probe VERB --name=value ...\nverbs:\n");
  for (const probe::cVerb& v : probe::Verbs()) std::fprintf(stderr, "  %s %s\n", v.name, v.usage);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "korvane-probe: no verb given\n");
    Usage();
    return 2;
  }
  const std::string verb = argv[1];
  for (const probe::cVerb& v : probe::Verbs()) {
    if (verb != v.name) continue;
    probe::cArgs args;
    std::string error;
    int code = 2;
    const std::vector<std::string> given(argv + 2, argv + argc);
    if (v.raw) {
      args.SetRaw(given);
      code = v.run(args, error);
    } else if (args.Parse(given, error)) {
      code = v.run(args, error);
    }
    if (code == 2) std::fprintf(stderr, "korvane-probe %s: %s\n", v.name, error.c_str());
    return code;
  }
  std::string names;
  for (const probe::cVerb& v : probe::Verbs()) names += std::string(names.empty() ? "" : ", ") + v.name;
  std::fprintf(stderr, "korvane-probe: unknown verb '%s' (verbs: %s)\n", verb.c_str(), names.c_str());
  return 2;
}
