// Checks of the demo station's month in the tax and stock files, shared by
// the SQLite and PostgreSQL tests: the stock consolidated from scratch and
// forward gives the same rows; the SINTEGRA and GAM files of November have
// lines of 126 characters and a record 90 that counts what they hold; the
// printer days agree with their Z reductions; the stock file agrees with
// the consolidation.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "station/session/sessao.h"
#include "support/test_env.h"

namespace bp::testing {

// The records of a file written with CR LF line ends.
std::vector<std::string> Registros(const std::string& arquivo);

void ConferirMesDaEstacao(const std::shared_ptr<station::Sessao>& sessao, TestEnv& env);

}  // namespace bp::testing
