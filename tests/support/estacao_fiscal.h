// A station with its fiscal printer for end-to-end fiscal tests: the demo
// station (posto station seed) is written once per test binary into a
// template database (with its emulated printer's folder) and copied for
// each test, so every test starts from the same station without paying for
// the upgrade again.
#pragma once

#include <memory>
#include <string>

#include "bp/datetime.h"
#include "station/session/sessao.h"
#include "tests/support/test_env.h"

namespace bp::testing {

class EstacaoFiscal {
 public:
  // The moment the station was seeded: its history ends the day before.
  static DateTime Agora() { return DateTime::Of(2026, 12, 5, 18, 0, 0); }

  // A fresh copy in the env's folder, whose folder is also the station's
  // system folder (where the movement files go).
  explicit EstacaoFiscal(TestEnv& env);

  std::shared_ptr<station::Sessao> sessao;
  std::string banco;  // database file
  std::string PastaEcf() const;
};

}  // namespace bp::testing
