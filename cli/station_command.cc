// posto station seed: the demo station, in a database with no registers.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/ambiente.h"
#include "cli/banco.h"
#include "cli/commands.h"
#include "cli/progresso.h"
#include "station/session/banco_inicial.h"
#include "station/fiscal/ecf_emulador.h"
#include "station/seed/seed.h"
#include "station/session/sessao.h"

namespace posto {
namespace {

int Seed(const Options& o) {
  AmbienteDoComando ambiente(o);
  station::Configuracao config(Banco(o));
  config.cd_pessoa_usuaria = station::EstacaoDemo::kEmpresa;
  auto sessao = AbrirSessao(config, UsoDoBanco::kCriarSeNaoExistir);
  std::cout << "Criando a estação de demonstração em " << sessao->Dal().Conexao().Describe()
            << "...\n";
  std::cout.flush();
  Progresso progresso("Estação de demonstração");
  station::SeedDemoStation(sessao, ambiente.Now(),
                           [&](const std::string& etapa, int32_t feito, int32_t total) {
                             progresso.Mostrar(feito, total, etapa);
                           });
  progresso.Fechar();
  std::cout << "Estação de demonstração pronta (versão "
            << station::VersaoDoBanco(sessao->Dal().Conexao()) << ").\n"
            << "Impressora fiscal emulada em " << station::PastaDoEmulador(config)
            << " (veja com posto ecf --db " << NomeDoBanco(config.banco) << ").\n";
  return 0;
}

}  // namespace

std::vector<Command> ComandosStation() {
  return {{"station seed",
           "Cria a estação de demonstração num banco sem cadastros.",
           {kOpcaoDb, kOpcaoNow, kOpcaoSim},
           {},
           Seed}};
}

}  // namespace posto
