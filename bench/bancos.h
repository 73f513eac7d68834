// What the benchmarks share: a silent environment, and databases of either
// kind to copy from, on SQLite files or on the PostgreSQL server named by
// BP_BENCH_PG_URL.
#pragma once

#include <memory>
#include <set>
#include <string>

#include <benchmark/benchmark.h>

#include "platform/terminal_env.h"

// Registers `bm` (taking the State and a bool "on PostgreSQL") once per
// database, in milliseconds of wall time.
#define NOS_DOIS_BANCOS(bm)                                                             \
  BENCHMARK_CAPTURE(bm, SQLite, false)->Unit(benchmark::kMillisecond)->UseRealTime(); \
  BENCHMARK_CAPTURE(bm, PostgreSQL, true)->Unit(benchmark::kMillisecond)->UseRealTime()

namespace bench {

// No screen: boxes take their default button, progress draws nothing.
class EnvSilencioso : public bp::TerminalEnv {
 public:
  bp::Answer MessageBox(const bp::MessageBoxRequest& r) override { return r.DefaultAnswer(); }
  std::unique_ptr<bp::ProgressWindow> CreateProgressWindow() override;
};

// The server's URL from BP_BENCH_PG_URL ("" when unset).
std::string UrlPg();
// The same server's URL with another database name.
std::string UrlDoBanco(const std::string& url, const std::string& banco);
// True (the benchmark skipped, with a note once) when `postgres` is asked
// for and BP_BENCH_PG_URL is unset.
bool SemPostgres(benchmark::State& state, bool postgres);

// Databases of one kind: new ones and copies, each removed at the end.
class Banco {
 public:
  explicit Banco(bool postgres) : postgres_(postgres) {}
  Banco(const Banco&) = delete;
  Banco& operator=(const Banco&) = delete;
  // Removes every database it made (best effort: the process is ending).
  ~Banco();
  bool Postgres() const { return postgres_; }
  // A new, empty database named `nome`; returns its target.
  std::string Novo(const std::string& nome);
  // A copy of `origem` (made by Novo or Copia) under `nome`; on PostgreSQL
  // nobody may be connected to `origem`.
  std::string Copia(const std::string& origem, const std::string& nome);

 private:
  bool postgres_;
  std::set<std::string> criados_;
};

}  // namespace bench
