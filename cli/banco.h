// The station database a command works on (--db): every command opens it
// here, so a missing, unreachable, foreign or outdated database is reported
// the same way, before the command does anything, and a server password
// never appears in a message.
#pragma once

#include <memory>
#include <string>

#include "bp/db/connection.h"
#include "cli/options.h"
#include "station/session/sessao.h"

namespace posto {

extern const Option kOpcaoDb;       // --db BANCO
extern const Option kOpcaoEmpresa;  // --empresa N

enum class UsoDoBanco {
  kNaVersaoDaBiblioteca,  // an existing station database at the library's version
  kQualquerVersao,        // an existing station database at any version
  kCriarSeNaoExistir,     // opened as it is; a missing SQLite file is created
};

// --db, or posto.db in the working folder.
std::string Banco(const Options& options);
// The database as messages name it: a URL's password hidden.
std::string NomeDoBanco(const std::string& banco);
// A word as a command line suggested to the user writes it: quoted for the
// shell when it needs to be.
std::string ParaOShell(const std::string& palavra);

// Opens the database for the use given; raises Failure, with the database
// untouched (a missing file not created), when it does not fit.
std::unique_ptr<bp::db::Connection> AbrirBanco(const std::string& banco, UsoDoBanco uso);
// The station's session over AbrirBanco(config.banco, uso).
std::shared_ptr<station::Sessao> AbrirSessao(const station::Configuracao& config, UsoDoBanco uso);
// The session over --db for the company of --empresa (1 by default), on a
// database at the library's version.
std::shared_ptr<station::Sessao> SessaoDaEmpresa(const Options& options);

}  // namespace posto
