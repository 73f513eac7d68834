// The demo station for tests: seeded once per test binary into a template
// file (the upgrade takes seconds), then copied for each test.
#pragma once

#include <string>

#include "bp/datetime.h"

namespace bp::testing {

// The seed's date and time in every copy: 2026-12-05 10:00:00.
DateTime DemoStationNow();

// A fresh copy of the seeded SQLite database, named after `name`, in a
// temporary folder removed when the binary ends.
std::string CopyDemoStation(const std::string& name);

}  // namespace bp::testing
