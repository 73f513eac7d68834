#include "support/estacao_demo.h"

#include <filesystem>
#include <map>
#include <memory>

#include <unistd.h>

#include "station/seed/seed.h"
#include "station/session/sessao.h"
#include "support/test_env.h"

namespace bp::testing {
namespace {

namespace fs = std::filesystem;

// The templates, one per moment of seeding, each with its printer's folder.
struct Modelos {
  Modelos() {
    pasta = fs::temp_directory_path() / ("estacao_demo_" + std::to_string(::getpid()));
    fs::create_directories(pasta);
  }
  ~Modelos() {
    std::error_code ignorado;
    fs::remove_all(pasta, ignorado);
  }
  // Copies the template seeded at `agora` (seeded on first use) to `alvo`.
  void Copiar(DateTime agora, const std::string& alvo) {
    std::string& arquivo = arquivos[agora];
    if (arquivo.empty()) {
      arquivo = (pasta / ("modelo" + std::to_string(arquivos.size()) + ".db")).string();
      TestEnv env;  // the upgrade's boxes answer themselves
      station::SeedDemoStation(std::make_shared<station::Sessao>(station::Configuracao(arquivo)),
                               agora);
    }
    fs::copy_file(arquivo, alvo, fs::copy_options::overwrite_existing);
    if (fs::exists(arquivo + ".ecf")) {
      fs::copy(arquivo + ".ecf", alvo + ".ecf",
               fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
  }
  fs::path pasta;
  std::map<DateTime, std::string> arquivos;
};

Modelos& Unico() {
  static Modelos modelos;
  return modelos;
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
  const std::string alvo = (Unico().pasta / (name + ".db")).string();
  Unico().Copiar(DemoStationNow(), alvo);
  return alvo;
}

Value Escalar(db::Connection& c, const std::string& sql, const std::vector<Value>& params) {
  const db::Recordset rs = c.Query(sql, params);
  return rs.Eof() ? Value() : rs.Field(0);
}

std::string Texto(db::Connection& c, const std::string& sql, const std::vector<Value>& params) {
  std::string texto;
  const db::Recordset rs = c.Query(sql, params);
  for (const auto& row : rs.Rows()) {
    for (const Value& v : row) texto += v.ToText() + '|';
    texto += '\n';
  }
  return texto;
}

EstacaoFiscal::EstacaoFiscal(TestEnv& env) : banco(env.Path("posto.db")) {
  Unico().Copiar(Agora(), banco);
  station::Configuracao config(banco);
  config.pasta_sistema = env.Folder();
  sessao = std::make_shared<station::Sessao>(config);
}

}  // namespace bp::testing
