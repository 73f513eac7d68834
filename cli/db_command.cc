// posto db init | upgrade | version: create a station database at version
// 18, walk it to the library's version, or show where it stands.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/erro.h"
#include "cli/ambiente.h"
#include "cli/banco.h"
#include "cli/commands.h"
#include "cli/csv.h"
#include "cli/progresso.h"
#include "station/session/banco_inicial.h"
#include "station/session/sessao.h"

namespace posto {
namespace {

int Init(const Options& o) {
  auto connection = AbrirBanco(Banco(o), UsoDoBanco::kCriarSeNaoExistir);
  const int32_t empresa = o.Int("--empresa", 1);
  station::CriarBancoVersao18(*connection, empresa);
  std::cout << "Banco criado na versão 18 com a empresa " << empresa << ": "
            << connection->Describe() << "\n";
  return 0;
}

int Version(const Options& o) {
  auto connection = AbrirBanco(Banco(o), UsoDoBanco::kQualquerVersao);
  const std::string stored = std::to_string(station::VersaoDoBanco(*connection));
  const std::string library = std::to_string(bp::BPAtualizarBancoDeDados().TargetVersion());
  if (o.Has("--csv")) {
    std::cout << LinhaCsv({"Versão do banco", "Versão da biblioteca"}) << LinhaCsv({stored, library});
  } else {
    std::cout << "Versão do banco:      " << stored << "\n"
              << "Versão da biblioteca: " << library << "\n";
  }
  return 0;
}

int Upgrade(const Options& o) {
  AmbienteDoComando ambiente(o);
  station::Configuracao config(Banco(o));
  config.cd_pessoa_usuaria = o.Int("--empresa", 1);
  auto session = AbrirSessao(config, UsoDoBanco::kQualquerVersao);
  const int32_t from = station::VersaoDoBanco(session->Dal().Conexao());

  bp::BPAtualizarBancoDeDados driver;
  driver.SetObBOSistema(session);
  if (o.Has("--target")) driver.SetTargetVersion(o.Int("--target", 0));

  std::vector<int32_t> steps_run;
  int32_t turns = 0;
  Progresso progresso("Atualização do banco de dados");
  driver.SetTurnObserver([&](int32_t version, int32_t goal, int32_t step) {
    ++turns;
    if (step != 0) steps_run.push_back(step);
    progresso.Mostrar(version - from, goal - from, "Versão " + std::to_string(version));
  });

  try {
    driver.Atualizar(o.Has("--avisar"));
  } catch (const bp::Erro&) {
    progresso.Fechar();
    std::cout << "Atualização interrompida na versão "
              << station::VersaoDoBanco(session->Dal().Conexao()) << " após " << turns
              << " versões.\n";
    throw;
  }
  progresso.Fechar();

  const int32_t now = station::VersaoDoBanco(session->Dal().Conexao());
  if (from == now) {
    std::cout << "Nada a fazer: o banco está na versão " << now << " (biblioteca: "
              << driver.TargetVersion() << ").\n";
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

std::vector<Command> ComandosDb() {
  return {
      {"db init", "Cria o banco do posto na versão 18.",
       {kOpcaoDb, kOpcaoEmpresa}, {}, Init},
      {"db upgrade", "Atualiza o banco até a versão da biblioteca.",
       {kOpcaoDb, kOpcaoEmpresa,
        Integer("--target", "N", "para na versão N (padrão: a da biblioteca)"),
        Flag("--avisar", "avisa quando o banco está numa versão mais nova que a da biblioteca"),
        kOpcaoSim},
       {}, Upgrade},
      {"db version", "Mostra a versão do banco e a da biblioteca.", {kOpcaoDb, kOpcaoCsv}, {},
       Version},
  };
}

}  // namespace posto
