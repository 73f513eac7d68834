// posto mt --db BANCO [--empresa N]: the micro-terminal simulator.
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <memory>

#include "bp/db/connection.h"
#include "cli/commands.h"
#include "cli/mt.h"
#include "cli/options.h"
#include "station/sessao.h"

namespace posto {

int RunMt(const Args& args) {
  const Options o(args);
  const bool servidor = o.db.starts_with("postgresql://") || o.db.starts_with("postgres://");
  if (!servidor && !std::filesystem::exists(o.db)) {
    std::cerr << "posto mt: banco não encontrado: " << o.db
              << " (crie-o com posto db init e posto db upgrade)\n";
    return 2;
  }
  station::Configuracao config(o.db);
  config.cd_pessoa_usuaria = o.Int("--empresa", 1);
  auto sessao = std::make_shared<station::Sessao>(config);

  mt::RelogioMt relogio;
  station::TerminaisMT terminais(sessao);
  if (isatty(STDIN_FILENO) && isatty(STDOUT_FILENO)) return mt::ModoTerminal(terminais, o.db);
  return mt::ModoScript(terminais, relogio, std::cin, std::cout);
}

}  // namespace posto
