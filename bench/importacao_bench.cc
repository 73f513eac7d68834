// The cash-movement import on the station host over SQLite and PostgreSQL
// (BP_BENCH_PG_URL): a busy register
// (5 000 coupons with 15 000 items, their fuellings, stock movements,
// receipts and links) brought from a point-of-sale database into a fresh copy
// of the demo station, every row saved and committed on its own, against the
// floor: the same rows, read by the same reader, inserted in one transaction.
// The argument of the SQLite runs picks the station's journal: 0 as the
// connection opens it (write-ahead log, full sync), 1 rollback journal with
// full sync, 2 write-ahead log with normal sync.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "bp/bp_importar_movimento_caixa.h"
#include "bp/erro.h"
#include "station/import/leitor_movimento.h"
#include "station/import/ponto_de_venda.h"
#include "station/seed/seed.h"
#include "station/session/relogio_ajustavel.h"
#include "station/session/sessao.h"

#include "bancos.h"

namespace {

namespace fs = std::filesystem;
using bp::Value;

class Ambiente final : public station::RelogioAjustavel {
 public:
  bp::Answer MessageBox(const bp::MessageBoxRequest& r) override { return r.DefaultAnswer(); }
};

const bp::DateTime kAgora = bp::DateTime::Of(2026, 12, 5, 10, 0, 0);

struct Base {
  Base() {
    pasta = fs::temp_directory_path() / ("bp_importacao_bench_" + std::to_string(::getpid()));
    fs::create_directories(pasta);
    ambiente.agora = kAgora;
    estacao = (pasta / "estacao.db").string();
    auto sessao = std::make_shared<station::Sessao>(station::Configuracao(estacao));
    station::SeedDemoStation(sessao, kAgora);
    caixa = sessao->Dal()
                .Conexao()
                .Query(
                    "SELECT MIN(Cd_Caixa) FROM Caixa WHERE Cd_Funcionario = 1 AND "
                    "Ic_Fechado = ?",
                    {Value(false)})
                .Field(0)
                .ToInt32();
    sessao.reset();
    fs::copy_file(estacao, pasta / "pdv.db");
    station::Sessao pdv(station::Configuracao((pasta / "pdv.db").string()));
    station::OpcoesPontoDeVenda o;
    o.caixa = caixa;
    o.agora = kAgora;
    o.cupons = 5000;
    station::EscreverDiaDoPontoDeVenda(pdv, o);
  }
  ~Base() {
    std::error_code ignorado;
    fs::remove_all(pasta, ignorado);
  }
  // A fresh copy of the station, its journal set as `modo` asks.
  std::shared_ptr<station::Sessao> Copia(int64_t modo) {
    const std::string copia = (pasta / "copia.db").string();
    fs::remove(copia + "-wal");
    fs::remove(copia + "-shm");
    fs::copy_file(estacao, copia, fs::copy_options::overwrite_existing);
    auto sessao = std::make_shared<station::Sessao>(station::Configuracao(copia));
    bp::db::Connection& c = sessao->Dal().Conexao();
    if (modo == 1) c.Query("PRAGMA journal_mode = DELETE");
    if (modo == 2) c.Query("PRAGMA journal_mode = WAL");
    if (modo != 0)
      c.Execute(modo == 1 ? "PRAGMA synchronous = FULL" : "PRAGMA synchronous = NORMAL");
    return sessao;
  }
  std::string Conexao() const {
    return bp::BPImportarMovimentoCaixa::TextoDeConexao("", "pdv.db", pasta.string());
  }
  fs::path pasta;
  std::string estacao;
  int32_t caixa = 0;
  Ambiente ambiente;
};

Base& Unica() {
  static Base base;
  return base;
}

// A fresh station for one iteration.
using Copia = std::function<std::shared_ptr<station::Sessao>()>;

void Importar(benchmark::State& state, const Copia& copia) {
  Base& base = Unica();
  int64_t linhas = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto sessao = copia();
    station::AcompanhamentoImportacao contagem;
    contagem.gravada = [&](bp::host::TipoMovimentoCaixa) { ++linhas; };
    sessao->AcompanharImportacao(&contagem);
    bp::BPImportarMovimentoCaixa classe;
    classe.SetObBOSistema(sessao);
    std::string instancia = base.pasta.string(), banco = "pdv.db";
    int32_t caixa = base.caixa;
    state.ResumeTiming();
    benchmark::DoNotOptimize(classe.Importar(instancia, banco, caixa));
  }
  state.SetItemsProcessed(linhas);
}

// The floor: the rows the reader hands over, inserted in one transaction
// (rows the station already has, persons and vehicles it knows, skipped).
void Piso(benchmark::State& state, const Copia& copia) {
  Base& base = Unica();
  int64_t linhas = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto sessao = copia();
    bp::db::Connection& c = sessao->Dal().Conexao();
    station::LeitorMovimentoCaixa leitor(*sessao);
    leitor.Registro().Cd_PessoaUsuaria = station::EstacaoDemo::kEmpresa;
    leitor.Registro().Cd_Caixa = base.caixa;
    state.ResumeTiming();
    c.BeginTrans("Piso");
    for (const bp::host::TipoMovimentoCaixa tipo : bp::host::kTiposMovimentoCaixa) {
      const bp::db::Recordset rs = leitor.Movimento(tipo, base.Conexao());
      std::string colunas, marcas;
      for (int32_t i = 0; i < rs.FieldCount(); ++i) {
        colunas += (i ? ", " : "") + rs.FieldName(i);
        marcas += i ? ", ?" : "?";
      }
      const std::string sql = "INSERT INTO " + std::string(bp::host::TabelaDoMovimento(tipo)) +
                              " (" + colunas + ") VALUES (" + marcas + ") ON CONFLICT DO NOTHING";
      for (const auto& row : rs.Rows()) {
        c.Execute(sql, row);
        ++linhas;
      }
    }
    c.CommitTrans("Piso");
  }
  state.SetItemsProcessed(linhas);
}

void BM_ImportarMovimentoCaixa(benchmark::State& state) {
  Importar(state, [&] { return Unica().Copia(state.range(0)); });
}
BENCHMARK(BM_ImportarMovimentoCaixa)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ImportarMovimentoCaixaPiso(benchmark::State& state) {
  Piso(state, [] { return Unica().Copia(0); });
}
BENCHMARK(BM_ImportarMovimentoCaixaPiso)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same on a PostgreSQL station (BP_BENCH_PG_URL): the demo station is
// seeded once into a database of its own, and every iteration imports into
// a copy made from it as a template.
struct BasePg {
  BasePg() : banco(true), base(banco.Novo("bp_importacao_base")) {
    station::SeedDemoStation(std::make_shared<station::Sessao>(station::Configuracao(base)),
                             kAgora);
  }
  std::shared_ptr<station::Sessao> Copia() {
    return std::make_shared<station::Sessao>(
        station::Configuracao(banco.Copia(base, "bp_importacao_copia")));
  }
  bench::Banco banco;
  std::string base;
};

BasePg* UnicaPg(benchmark::State& state) {
  if (bench::SemPostgres(state, true)) return nullptr;
  Unica();
  static BasePg base;
  return &base;
}

void BM_ImportarMovimentoCaixaPg(benchmark::State& state) {
  if (BasePg* pg = UnicaPg(state)) Importar(state, [pg] { return pg->Copia(); });
}
BENCHMARK(BM_ImportarMovimentoCaixaPg)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportarMovimentoCaixaPgPiso(benchmark::State& state) {
  if (BasePg* pg = UnicaPg(state)) Piso(state, [pg] { return pg->Copia(); });
}
BENCHMARK(BM_ImportarMovimentoCaixaPgPiso)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
