#include "tests/support/estacao_fiscal.h"

#include <unistd.h>

#include <filesystem>
#include <mutex>

#include "station/seed/seed.h"

namespace bp::testing {
namespace {

namespace fs = std::filesystem;

// The demo station, fiscal part included.
void Semear(const std::string& banco) {
  station::Configuracao config(banco);
  config.cd_pessoa_usuaria = station::EstacaoDemo::kEmpresa;
  station::SeedDemoStation(std::make_shared<station::Sessao>(config), EstacaoFiscal::Agora());
}

const std::string& Modelo() {
  static std::once_flag feito;
  static std::string banco;
  std::call_once(feito, [] {
    banco =
        (fs::temp_directory_path() / ("bp-estacao-fiscal-" + std::to_string(::getpid()) + ".db"))
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
