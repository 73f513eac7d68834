// Checks of the demo station's month in the tax and stock files, shared by
// the SQLite and PostgreSQL tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "station/session/sessao.h"
#include "support/test_env.h"

namespace bp::testing {

// The records of a file written with CR LF line ends.
std::vector<std::string> Registros(const std::string& arquivo);

// November of the demo station: its consolidated stock, SINTEGRA, GAM and
// stock files agree with each other and with the printer's Z reductions.
void ConferirMesDaEstacao(const std::shared_ptr<station::Sessao>& sessao, TestEnv& env);

}  // namespace bp::testing
