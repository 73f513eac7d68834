#include "tests/support/estacao_fiscal.h"

#include <filesystem>
#include <mutex>
#include <unistd.h>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "station/banco_inicial.h"
#include "station/ecf_emulador.h"
#include "station/gerador.h"
#include "station/seed_fiscal.h"

namespace bp::testing {
namespace {

namespace fs = std::filesystem;

// The history of a small station at version 18, the upgrade, the fiscal part.
void Semear(const std::string& banco) {
  station::Configuracao config(banco);
  auto sessao = std::make_shared<station::Sessao>(config);
  db::Connection& c = sessao->Dal().Conexao();
  station::CriarBancoVersao18(c, 1);
  station::OpcoesGerador o;
  o.dias = 30;
  o.cupons_dia = 12;
  o.itens_cupom = 2;
  o.produtos = 10;
  o.clientes = 4;
  o.funcionarios = 3;
  o.bicos = 4;
  o.impressoras = 1;
  o.semente = 7;
  o.inicio = EstacaoFiscal::Agora().DatePart().AddDays(-30);
  station::GerarMovimento(c, o);
  BPAtualizarBancoDeDados driver;
  driver.SetObBOSistema(sessao);
  driver.Atualizar(false);
  station::SeedFiscal(*sessao, EstacaoFiscal::Agora());
}

const std::string& Modelo() {
  static std::once_flag feito;
  static std::string banco;
  std::call_once(feito, [] {
    banco = (fs::temp_directory_path() /
             ("bp-estacao-fiscal-" + std::to_string(::getpid()) + ".db"))
                .string();
    fs::remove(banco);
    fs::remove_all(banco + ".ecf");
    Semear(banco);
    // Removed when the test binary ends.
    std::atexit([] {
      std::error_code ec;
      fs::remove(banco, ec);
      fs::remove_all(banco + ".ecf", ec);
    });
  });
  return banco;
}

}  // namespace

EstacaoFiscal::EstacaoFiscal(TestEnv& env) : banco(env.Path("posto.db")) {
  const std::string& modelo = Modelo();
  fs::copy_file(modelo, banco, fs::copy_options::overwrite_existing);
  fs::copy(modelo + ".ecf", banco + ".ecf",
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  station::Configuracao config(banco);
  config.pasta_sistema = env.Folder();
  sessao = std::make_shared<station::Sessao>(config);
}

std::string EstacaoFiscal::PastaEcf() const { return banco + ".ecf"; }

}  // namespace bp::testing
