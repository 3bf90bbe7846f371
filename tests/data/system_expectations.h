#pragma once
#include <cstdint>
#include <vector>

#include "tests/support/system_layout.h"

// Hand-written values of "data\System.dat" for the fixture writer (layout names of
// tests/support/system_layout.cpp).
namespace sysfix {

// A new record, as the game's defaults describe it.
fix::Value Defaults();
// What a file of `version` holds in the version sweep: every member and entry a
// distinct value, each list as long as that version's editor made it.
fix::Value Stored(uint32_t version);
// What reading Stored(version) must give after the upgrade steps.
fix::Value Expected(uint32_t version);
// Versions at which the layout or an upgrade step changes, each with the one
// before it, an old one, the current one and newer ones.
std::vector<uint32_t> SweepVersions();

}  // namespace sysfix
