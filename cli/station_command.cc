// posto station seed: the demo station in a new database.
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "bp/datetime.h"
#include "bp/env.h"
#include "bp/erro.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "cli/relogio.h"
#include "station/banco_inicial.h"
#include "station/ecf_emulador.h"
#include "station/seed.h"
#include "station/sessao.h"

namespace posto {
namespace {

int Seed(const Options& o) {
  bp::DateTime agora = bp::Env::Current().Now();
  if (o.Has("--now")) {
    const std::optional<bp::DateTime> lida = LerDataHora(o.Text("--now", ""));
    if (!lida) {
      std::cerr << "posto station seed: --now espera AAAA-MM-DD[THH:MM[:SS]], recebeu \""
                << o.Text("--now", "") << "\"\n";
      return 2;
    }
    agora = *lida;
  }
  station::Configuracao config;
  config.banco = o.db;
  config.cd_pessoa_usuaria = station::EstacaoDemo::kEmpresa;
  auto sessao = std::make_shared<station::Sessao>(config);
  std::cout << "Criando a estação de demonstração em " << sessao->Dal().Conexao().Describe()
            << "...\n";
  std::cout.flush();
  station::SeedDemoStation(sessao, agora);
  std::cout << "Estação de demonstração pronta (versão "
            << station::VersaoDoBanco(sessao->Dal().Conexao()) << ").\n"
            << "Impressora fiscal emulada em " << station::PastaDoEmulador(config)
            << " (veja com posto ecf --db " << o.db << ").\n";
  return 0;
}

}  // namespace

int RunStation(const Args& args) {
  if (args.empty() || args[0] != "seed") {
    std::cerr << "uso: posto station seed [--db BANCO] [--now AAAA-MM-DDTHH:MM:SS]\n";
    return 2;
  }
  return Seed(Options(Args(args.begin() + 1, args.end())));
}

}  // namespace posto
