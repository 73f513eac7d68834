// posto mt --db BANCO [--empresa N]: the micro-terminal simulator.
#include <unistd.h>

#include <iostream>
#include <memory>
#include <vector>

#include "cli/banco.h"
#include "cli/commands.h"
#include "cli/mt.h"
#include "station/session/sessao.h"

namespace posto {
namespace {

int Mt(const Options& o) {
  station::Configuracao config(Banco(o));
  config.cd_pessoa_usuaria = o.Int("--empresa", 1);
  auto sessao = AbrirSessao(config, UsoDoBanco::kNaVersaoDaBiblioteca);

  mt::RelogioMt relogio;
  station::TerminaisMT terminais(sessao);
  if (isatty(STDIN_FILENO) && isatty(STDOUT_FILENO))
    return mt::ModoTerminal(terminais, NomeDoBanco(config.banco));
  return mt::ModoScript(terminais, relogio, std::cin, std::cout);
}

}  // namespace

std::vector<Command> ComandosMt() {
  return {{"mt",
           "Simula os micro-terminais das bombas (sem terminal, em JSON).",
           {kOpcaoDb, kOpcaoEmpresa},
           {},
           Mt}};
}

}  // namespace posto
