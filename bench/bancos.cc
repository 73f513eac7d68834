// The benchmarks' shared databases and environment.
#include "bancos.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "bp/db/connection.h"

namespace bench {

std::unique_ptr<bp::ProgressWindow> EnvSilencioso::CreateProgressWindow() {
  struct Janela final : bp::ProgressWindow {
    void Draw(const bp::ProgressView&) override {}
    bool CancelClicked() override { return false; }
    void Close() override {}
  };
  return std::make_unique<Janela>();
}

std::string UrlPg() {
  const char* v = std::getenv("BP_BENCH_PG_URL");
  return v ? v : "";
}

std::string UrlDoBanco(const std::string& url, const std::string& banco) {
  const size_t autoridade = url.find("://");
  const size_t barra = url.find('/', autoridade == std::string::npos ? 0 : autoridade + 3);
  const size_t consulta = url.find('?');
  const std::string base = url.substr(0, barra == std::string::npos ? consulta : barra);
  return base + "/" + banco + (consulta == std::string::npos ? "" : url.substr(consulta));
}

bool SemPostgres(benchmark::State& state, bool postgres) {
  if (!postgres || !UrlPg().empty()) return false;
  static bool avisado = false;
  if (!avisado) {
    std::cerr << "Nota: BP_BENCH_PG_URL não definida; os benchmarks de PostgreSQL foram pulados "
                 "(exemplo: BP_BENCH_PG_URL=postgresql://postgres@127.0.0.1:5432/postgres).\n";
    avisado = true;
  }
  state.SkipWithError("BP_BENCH_PG_URL não definida");
  return true;
}

Banco::~Banco() {
  for (const std::string& nome : criados_) {
    try {
      if (postgres_) {
        bp::db::Connection::Open(UrlPg())->Execute("DROP DATABASE IF EXISTS " + nome);
      } else {
        std::filesystem::remove(nome);
        std::filesystem::remove(nome + "-journal");
      }
    } catch (...) {
    }
  }
}

std::string Banco::Novo(const std::string& nome) {
  if (!postgres_) {
    const std::string path = (std::filesystem::temp_directory_path() / (nome + ".db")).string();
    std::filesystem::remove(path);
    std::filesystem::remove(path + "-journal");
    criados_.insert(path);
    return path;
  }
  auto admin = bp::db::Connection::Open(UrlPg());
  admin->Execute("DROP DATABASE IF EXISTS " + nome);
  admin->Execute("CREATE DATABASE " + nome);
  criados_.insert(nome);
  return UrlDoBanco(UrlPg(), nome);
}

std::string Banco::Copia(const std::string& origem, const std::string& nome) {
  if (!postgres_) {
    const std::string path = Novo(nome);
    std::filesystem::copy_file(origem, path, std::filesystem::copy_options::overwrite_existing);
    return path;
  }
  auto admin = bp::db::Connection::Open(UrlPg());
  admin->Execute("DROP DATABASE IF EXISTS " + nome);
  const std::string fonte = origem.substr(origem.rfind('/') + 1);
  admin->Execute("CREATE DATABASE " + nome + " TEMPLATE " + fonte.substr(0, fonte.find('?')));
  criados_.insert(nome);
  return UrlDoBanco(UrlPg(), nome);
}

}  // namespace bench
