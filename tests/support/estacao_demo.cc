#include "support/estacao_demo.h"

#include <filesystem>
#include <memory>

#include <unistd.h>

#include "station/seed/seed.h"
#include "station/session/sessao.h"
#include "support/test_env.h"

namespace bp::testing {
namespace {

namespace fs = std::filesystem;

struct Modelo {
  Modelo() {
    pasta = fs::temp_directory_path() / ("estacao_demo_" + std::to_string(::getpid()));
    fs::create_directories(pasta);
    arquivo = (pasta / "modelo.db").string();
    TestEnv env;  // the upgrade's boxes answer themselves
    auto sessao = std::make_shared<station::Sessao>(station::Configuracao(arquivo));
    station::SeedDemoStation(sessao, DemoStationNow());
  }
  ~Modelo() {
    std::error_code ignorado;
    fs::remove_all(pasta, ignorado);
  }
  fs::path pasta;
  std::string arquivo;
};

const Modelo& Unico() {
  static const Modelo modelo;
  return modelo;
}

}  // namespace

DateTime DemoStationNow() { return DateTime::Of(2026, 12, 5, 10, 0, 0); }

std::shared_ptr<station::Sessao> SeedDemoStationAt(const std::string& target, TestEnv& env) {
  env.now = DemoStationNow();
  station::Configuracao config(target);
  config.pasta_sistema = env.Folder();
  auto sessao = std::make_shared<station::Sessao>(config);
  station::SeedDemoStation(sessao, env.now);
  return sessao;
}

std::string CopyDemoStation(const std::string& name) {
  const Modelo& m = Unico();
  const std::string alvo = (m.pasta / (name + ".db")).string();
  fs::copy_file(m.arquivo, alvo, fs::copy_options::overwrite_existing);
  return alvo;
}

}  // namespace bp::testing
