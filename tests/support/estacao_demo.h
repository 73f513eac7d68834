// The demo station for tests: seeded once per test binary into a template
// file (the upgrade takes seconds), then copied for each test.
#pragma once

#include <memory>
#include <string>

#include "bp/datetime.h"

namespace station {
class Sessao;
}

namespace bp::testing {

class TestEnv;

// The seed's date and time in every copy: 2026-12-05 10:00:00.
DateTime DemoStationNow();

// A fresh copy of the seeded SQLite database, named after `name`, in a
// temporary folder removed when the binary ends.
std::string CopyDemoStation(const std::string& name);

// Seeds the demo station into the database at `target` (a PostgreSQL URL in
// the server tests) at DemoStationNow(), its system folder in `env`'s folder;
// returns the session it was seeded through. `env.now` is set to the seed's
// time.
std::shared_ptr<station::Sessao> SeedDemoStationAt(const std::string& target, TestEnv& env);

}  // namespace bp::testing
