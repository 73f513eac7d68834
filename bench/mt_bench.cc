// BPMTControlador::Execute per key on the station host over SQLite (the
// demo station, seeded once into a temporary file): the echo of a typed
// character, and the keys of a whole cash-sale release dialogue, from the
// idle terminal to the recorded responsibility and release log. Besides the
// mean time per iteration, each benchmark reports the median and the 99th
// percentile of the single keys (p50_us, p99_us).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "bp/tela_mt.h"
#include "station/session/relogio_ajustavel.h"
#include "station/seed/seed.h"
#include "station/session/sessao.h"
#include "station/forecourt/terminais_mt.h"

namespace {

namespace fs = std::filesystem;

// The seed's upgrade asks nothing of a benchmark: boxes take their default.
class Ambiente final : public station::RelogioAjustavel {
 public:
  bp::Answer MessageBox(const bp::MessageBoxRequest& r) override { return r.DefaultAnswer(); }
};

struct Estacao {
  Estacao() {
    pasta = fs::temp_directory_path() / ("bp_mt_bench_" + std::to_string(::getpid()));
    fs::create_directories(pasta);
    ambiente.agora = bp::DateTime::Of(2026, 12, 5, 10, 0, 0);
    auto semente = std::make_shared<station::Sessao>(
        station::Configuracao((pasta / "estacao.db").string()));
    station::SeedDemoStation(semente, *ambiente.agora);
    sessao = std::make_shared<station::Sessao>(
        station::Configuracao((pasta / "estacao.db").string()));
    ambiente.agora = bp::DateTime::Of(2026, 12, 5, 10, 30, 0);
  }
  ~Estacao() {
    std::error_code ignorado;
    fs::remove_all(pasta, ignorado);
  }
  fs::path pasta;
  Ambiente ambiente;
  std::shared_ptr<station::Sessao> sessao;
};

Estacao& Unica() {
  static Estacao estacao;
  return estacao;
}

// Times single keys and reports their median and 99th percentile.
class Cronometro {
 public:
  template <class Tecla>
  void Medir(Tecla&& tecla) {
    const auto inicio = std::chrono::steady_clock::now();
    tecla();
    amostras_.push_back(std::chrono::duration<double, std::micro>(
                            std::chrono::steady_clock::now() - inicio)
                            .count());
  }
  void Relatar(benchmark::State& state) {
    if (amostras_.empty()) return;
    std::sort(amostras_.begin(), amostras_.end());
    const auto at = [&](double q) {
      return amostras_[std::min(amostras_.size() - 1,
                                static_cast<size_t>(q * static_cast<double>(amostras_.size())))];
    };
    state.counters["p50_us"] = at(0.50);
    state.counters["p99_us"] = at(0.99);
    state.counters["keys"] = static_cast<double>(amostras_.size());
  }

 private:
  std::vector<double> amostras_;
};

// A terminal at the employee-code prompt; each iteration types a digit and
// erases it: two echoes.
void BM_EchoKey(benchmark::State& state) {
  station::TerminaisMT terminais(Unica().sessao);
  terminais.Consultar(3);
  terminais.Consultar(3);
  Cronometro cronometro;
  for (auto _ : state) {
    cronometro.Medir([&] { terminais.Tecla(3, '7'); });
    cronometro.Medir([&] { terminais.Tecla(3, bp::kTeclaBackspace); });
  }
  state.SetItemsProcessed(state.iterations() * 2);
  cronometro.Relatar(state);
}
BENCHMARK(BM_EchoKey)->Unit(benchmark::kMicrosecond);

// A whole cash sale by employee 1 at nozzle 1: each iteration is one release,
// recorded in the database.
void BM_CashReleaseDialogue(benchmark::State& state) {
  station::TerminaisMT terminais(Unica().sessao);
  const std::string teclas =
      "1\r1234\r3\r1\r5000\r\rS\r\r";  // code, password, cash, nozzle, amount,
                                        // no discount, settle, confirm
  Cronometro cronometro;
  int64_t chaves = 0;
  for (auto _ : state) {
    cronometro.Medir([&] { terminais.Consultar(3); });  // idle -> main menu
    cronometro.Medir([&] { terminais.Consultar(3); });  // the first prompt
    for (char c : teclas) cronometro.Medir([&] { terminais.Tecla(3, c); });
    chaves += static_cast<int64_t>(teclas.size()) + 2;
    if (terminais.Estado(3).andamento != 0) state.SkipWithError("the release did not finish");
  }
  state.SetItemsProcessed(chaves);
  cronometro.Relatar(state);
}
BENCHMARK(BM_CashReleaseDialogue)->Unit(benchmark::kMillisecond);

}  // namespace
