// The version walk's own cost: 483 turns without steps (18 to 501) on a
// SQLite file, against 483 bare transactions doing the same version update
// on the same kind of file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/db/connection.h"
#include "bp/schema/version_step.h"
#include "station/session/sessao.h"

namespace {

std::string FreshDatabase(const char* name) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::filesystem::remove(path);
  auto db = bp::db::Connection::Open(path);
  db->Execute("CREATE TABLE Parametro (No_VersaoBD int NOT NULL)");
  db->Execute("INSERT INTO Parametro (No_VersaoBD) VALUES (18)");
  return path;
}

void BM_WalkOfEmptyTurns(benchmark::State& state) {
  const bp::schema::StepTable no_steps;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string path = FreshDatabase("bp-walk.db");
    auto session = std::make_shared<station::Sessao>(station::Configuracao(path));
    bp::BPAtualizarBancoDeDados driver;
    driver.SetObBOSistema(session);
    driver.SetSteps(&no_steps);
    driver.SetTargetVersion(501);
    state.ResumeTiming();
    driver.Atualizar(false);
  }
  state.SetItemsProcessed(state.iterations() * 483);
}
BENCHMARK(BM_WalkOfEmptyTurns)->Unit(benchmark::kMillisecond);

void BM_BareTransactions(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    const std::string path = FreshDatabase("bp-bare.db");
    auto db = bp::db::Connection::Open(path);
    state.ResumeTiming();
    for (int v = 18; v < 501; ++v) {
      db->BeginTrans("bare");
      db->Execute("UPDATE Parametro SET No_VersaoBD = " + std::to_string(v + 1));
      db->CommitTrans("bare");
    }
  }
  state.SetItemsProcessed(state.iterations() * 483);
}
BENCHMARK(BM_BareTransactions)->Unit(benchmark::kMillisecond);

}  // namespace
