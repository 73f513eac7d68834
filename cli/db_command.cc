// posto db init | upgrade | version: create a station database at version
// 18, walk it to the library's version, or show where it stands.
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "bp/andamento.h"
#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/db/connection.h"
#include "bp/erro.h"
#include "bp/format.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "station/banco_inicial.h"
#include "station/sessao.h"

namespace posto {
namespace {

int Init(const Options& o) {
  auto connection = bp::db::Connection::Open(o.db);
  const int32_t empresa = o.Int("--empresa", 1);
  station::CriarBancoVersao18(*connection, empresa);
  std::cout << "Banco criado na versão 18 com a empresa " << empresa << ": "
            << connection->Describe() << "\n";
  return 0;
}

int Version(const Options& o) {
  auto connection = bp::db::Connection::Open(o.db);
  const int32_t stored = station::VersaoDoBanco(*connection);
  bp::BPAtualizarBancoDeDados driver;
  std::cout << "Versão do banco:      " << stored << "\n"
            << "Versão da biblioteca: " << driver.TargetVersion() << "\n";
  return 0;
}

int Upgrade(const Options& o) {
  station::Configuracao config;
  config.banco = o.db;
  config.cd_pessoa_usuaria = o.Int("--empresa", 1);
  auto session = std::make_shared<station::Sessao>(config);
  const int32_t from = station::VersaoDoBanco(session->Dal().Conexao());

  bp::BPAtualizarBancoDeDados driver;
  driver.SetObBOSistema(session);
  if (o.Has("--target")) driver.SetTargetVersion(o.Int("--target", 0));
  const int32_t target = driver.TargetVersion();

  std::vector<int32_t> steps_run;
  int32_t turns = 0;
  std::optional<bp::Andamento> progress;
  if (from < target) {
    progress.emplace();
    progress->SetCaption("Atualização do banco de dados");
    progress->Show();
  }
  driver.SetTurnObserver([&](int32_t version, int32_t goal, int32_t step) {
    ++turns;
    if (step != 0) steps_run.push_back(step);
    if (progress) {
      const int32_t span = goal - from;
      progress->SetAcao("Versão " + std::to_string(version));
      progress->SetPercentual(bp::PercentLabel(100.0 * (version - from) / (span > 0 ? span : 1)));
    }
  });

  bool avisar = o.Has("--avisar");
  try {
    driver.Atualizar(avisar);
  } catch (const bp::Erro&) {
    if (progress) progress->Unload();
    std::cout << "Atualização interrompida na versão "
              << station::VersaoDoBanco(session->Dal().Conexao()) << " após " << turns
              << " versões.\n";
    throw;
  }
  if (progress) progress->Unload();

  const int32_t now = station::VersaoDoBanco(session->Dal().Conexao());
  if (from == now) {
    std::cout << "Nada a fazer: o banco está na versão " << now << " (biblioteca: " << target
              << ").\n";
    return 0;
  }
  std::cout << "Banco atualizado da versão " << from << " para a " << now << " em " << turns
            << " versões; passos executados: ";
  if (steps_run.empty()) std::cout << "nenhum";
  for (size_t i = 0; i < steps_run.size(); ++i) std::cout << (i ? ", " : "") << steps_run[i];
  std::cout << ".\n";
  return 0;
}

}  // namespace

int RunDb(const Args& args) {
  if (args.empty()) {
    std::cerr << "uso: posto db init|upgrade|version [--db ARQUIVO|postgresql://...] "
                 "[--empresa N] [--target N] [--avisar]\n";
    return 2;
  }
  const Options o(Args(args.begin() + 1, args.end()));
  if (args[0] == "init") return Init(o);
  if (args[0] == "upgrade") return Upgrade(o);
  if (args[0] == "version") return Version(o);
  std::cerr << "posto db: subcomando desconhecido: " << args[0] << "\n";
  return 2;
}

}  // namespace posto
