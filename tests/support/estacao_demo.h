// The demo station for tests: seeded once per test binary into a template
// file with its emulated printer's folder (the upgrade takes seconds), then
// copied for each test.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "bp/datetime.h"
#include "bp/db/connection.h"

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

// The first column of the first row a query gives (a null Value when none).
Value Escalar(db::Connection& c, const std::string& sql, const std::vector<Value>& params = {});
// Every row a query gives, as text: values ended by '|', rows by a line break.
std::string Texto(db::Connection& c, const std::string& sql, const std::vector<Value>& params = {});

// The demo station for the fiscal day's tests: seeded at Agora() and copied,
// with its printer's folder, into the env's folder, which is also the
// station's system folder (where the movement files go).
class EstacaoFiscal {
 public:
  // The moment the station was seeded: its history ends the day before.
  static DateTime Agora() { return DateTime::Of(2026, 12, 5, 18, 0, 0); }

  explicit EstacaoFiscal(TestEnv& env);

  std::shared_ptr<station::Sessao> sessao;
  std::string banco;  // database file
  std::string PastaEcf() const { return banco + ".ecf"; }
};

}  // namespace bp::testing
