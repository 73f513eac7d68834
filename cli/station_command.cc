// posto station seed: the demo station in a new database.
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "bp/datetime.h"
#include "bp/env.h"
#include "bp/erro.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "station/banco_inicial.h"
#include "station/ecf_emulador.h"
#include "station/seed.h"
#include "station/sessao.h"

namespace posto {
namespace {

// "YYYY-MM-DDTHH:MM:SS" or "YYYY-MM-DD"; nothing else.
std::optional<bp::DateTime> LerDataHora(const std::string& texto) {
  int ano = 0, mes = 0, dia = 0, hora = 0, minuto = 0, segundo = 0;
  char sobra = 0;
  const bool so_data = texto.size() == 10;
  const int lidos =
      so_data ? std::sscanf(texto.c_str(), "%4d-%2d-%2d%c", &ano, &mes, &dia, &sobra)
              : std::sscanf(texto.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &ano, &mes, &dia, &hora,
                            &minuto, &segundo, &sobra);
  if (lidos != (so_data ? 3 : 6) || (!so_data && texto.size() != 19)) return std::nullopt;
  return bp::DateTime::Make(ano, mes, dia, hora, minuto, segundo);
}

int Seed(const Options& o) {
  bp::DateTime agora = bp::Env::Current().Now();
  if (o.Has("--now")) {
    const std::optional<bp::DateTime> lida = LerDataHora(o.Text("--now", ""));
    if (!lida) {
      std::cerr << "posto station seed: --now espera AAAA-MM-DDTHH:MM:SS, recebeu \""
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
