// The whole upgrade of a busy station's database, 18 to the library's
// version, on SQLite and on PostgreSQL, with the generated history of about
// two years (some 300 000 coupons and 900 000 coupon items), with the times
// of its ten slowest steps; and the row-by-row corrections that weigh most
// (the document text of the stock-card rows of coupon items, the removal of
// the movements of operations 90 and 91, and the stock of every product),
// each run alone against set-based statements that make the same change.
//
// The history is generated once per process and size (BM_Gerar measures
// it); every iteration then works on a fresh copy, made outside the timing.
// Environment:
//   BP_BENCH_DIAS, BP_BENCH_CUPONS_DIA, BP_BENCH_ITENS_CUPOM  the size
//       (default 730 days, 411 coupons a day, 3 items per coupon);
//   BP_BENCH_PG_URL  a postgresql:// URL of a server where databases may be
//       created; without it the PostgreSQL benchmarks are skipped.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <fmt/format.h>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/db/connection.h"
#include "bp/erro.h"
#include "bp/schema/version_step.h"
#include "station/session/banco_inicial.h"
#include "station/seed/gerador.h"
#include "station/session/sessao.h"

#include "bancos.h"

namespace {

using bench::Banco;
using bench::EnvSilencioso;
using bench::SemPostgres;

int32_t DoAmbiente(const char* nome, int32_t padrao) {
  const char* v = std::getenv(nome);
  return v && *v ? std::atoi(v) : padrao;
}

station::OpcoesGerador Escala() {
  station::OpcoesGerador o;
  o.dias = DoAmbiente("BP_BENCH_DIAS", 730);
  o.cupons_dia = DoAmbiente("BP_BENCH_CUPONS_DIA", 411);
  o.itens_cupom = DoAmbiente("BP_BENCH_ITENS_CUPOM", 3);
  o.produtos = 120;
  o.clientes = 400;
  o.funcionarios = 24;
  o.bicos = 16;
  o.impressoras = 4;
  o.semente = 2005;
  return o;
}


struct Caminhada {
  int32_t versao_final = 0;
  int32_t passos = 0;
  std::string erro;
  std::vector<std::pair<double, int32_t>> tempos;  // seconds of each step's turn

  // The slowest turns: "48 91.1 s, 21 3.2 s, ...".
  std::string MaisLentos(size_t quantos = 10) const {
    auto ordem = tempos;
    std::sort(ordem.rbegin(), ordem.rend());
    std::string texto;
    for (size_t i = 0; i < std::min(quantos, ordem.size()); ++i) {
      texto += fmt::format("{}{} {:.1f} s", i ? ", " : "", ordem[i].second, ordem[i].first);
    }
    return texto;
  }
};

// Walks `alvo` up to `ate` (the library's version when 0) with the
// library's steps.
Caminhada Caminhar(const std::string& alvo, int32_t ate = 0) {
  auto sessao = std::make_shared<station::Sessao>(station::Configuracao(alvo));
  bp::BPAtualizarBancoDeDados driver;
  driver.SetObBOSistema(sessao);
  if (ate > 0) driver.SetTargetVersion(ate);
  Caminhada c;
  auto anterior = std::chrono::steady_clock::now();
  driver.SetTurnObserver([&](int32_t, int32_t, int32_t passo) {
    const auto agora = std::chrono::steady_clock::now();
    if (passo != 0) {
      ++c.passos;
      c.tempos.push_back({std::chrono::duration<double>(agora - anterior).count(), passo});
    }
    anterior = agora;
  });
  const bool avisar = false;
  try {
    driver.Atualizar(avisar);
  } catch (const bp::Erro& e) {
    c.erro = e.description;
  }
  c.versao_final = station::VersaoDoBanco(sessao->Dal().Conexao());
  return c;
}

// The generated history of one kind, and the same walked to 47 and to 106,
// each made once.
struct Fontes {
  explicit Fontes(bool postgres) : banco(postgres) {}
  Banco banco;
  std::string gerada;
  station::ResumoGerador resumo;
  std::map<int32_t, std::string> na_versao;
  std::map<int32_t, std::string> falha;

  void Gerar() {
    const std::string prefixo = banco.Postgres() ? "bp_bench_pg" : "bp-bench-sqlite";
    const station::OpcoesGerador o = Escala();
    gerada = banco.Novo(fmt::format("{}_{}_{}", prefixo, o.dias, o.cupons_dia));
    auto c = bp::db::Connection::Open(gerada);
    station::CriarBancoVersao18(*c, o.cd_pessoa_usuaria);
    resumo = station::GerarMovimento(*c, o);
    na_versao.clear();
    falha.clear();
  }
  const std::string& Gerada() {
    if (gerada.empty()) Gerar();
    return gerada;
  }
  // The history walked to `versao`, from the nearest version below already
  // walked to; "" (with the reason in `falha`) when the walk stops before.
  const std::string& NaVersao(int32_t versao) {
    if (!na_versao.count(versao)) {
      const std::string nome =
          fmt::format("{}_v{}", banco.Postgres() ? "bp_bench_pg" : "bp-bench-sqlite", versao);
      std::string origem = Gerada();
      for (const auto& [v, caminho] : na_versao)
        if (v < versao && !caminho.empty()) origem = caminho;
      const std::string alvo = banco.Copia(origem, nome);
      const Caminhada c = Caminhar(alvo, versao);
      na_versao[versao] = c.versao_final == versao ? alvo : "";
      if (c.versao_final != versao) {
        falha[versao] = fmt::format("a caminhada parou na versão {}: {}", c.versao_final, c.erro);
      }
    }
    return na_versao[versao];
  }
};

Fontes& FontesDe(bool postgres) {
  static bp::Env* const env = [] {
    static EnvSilencioso silencioso;
    bp::Env::SetCurrent(&silencioso);
    return &silencioso;
  }();
  (void)env;
  static Fontes sqlite(false), pg(true);
  return postgres ? pg : sqlite;
}


void Contadores(benchmark::State& state, const station::ResumoGerador& r) {
  state.counters["cupons"] = static_cast<double>(r.Linhas("CupomFiscal"));
  state.counters["itens"] = static_cast<double>(r.Linhas("ItemCupomFiscal"));
  state.counters["linhas"] = static_cast<double>(r.Total());
}

void BM_Gerar(benchmark::State& state, bool postgres) {
  if (SemPostgres(state, postgres)) return;
  Fontes& f = FontesDe(postgres);
  for (auto _ : state) f.Gerar();
  Contadores(state, f.resumo);
}

void BM_CaminhadaCompleta(benchmark::State& state, bool postgres) {
  if (SemPostgres(state, postgres)) return;
  Fontes& f = FontesDe(postgres);
  Caminhada c;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string alvo =
        f.banco.Copia(f.Gerada(), postgres ? "bp_bench_pg_walk" : "bp-bench-sqlite-walk");
    state.ResumeTiming();
    c = Caminhar(alvo);
  }
  Contadores(state, f.resumo);
  state.counters["versao_final"] = c.versao_final;
  state.counters["passos"] = c.passos;
  std::string rotulo = "passos mais lentos: " + c.MaisLentos();
  if (!c.erro.empty()) rotulo = fmt::format("parou na versão {}: {}; {}", c.versao_final, c.erro, rotulo);
  state.SetLabel(rotulo);
}

// One change measured two ways on copies of the database at version
// `antes`: the library's step, and one set-based statement in a turn of its
// own. `conferir` reads a digest of the result, equal for both when they
// make the same change.
struct Comparacao {
  int32_t antes;
  std::string conjunto;
  const char* conferir;
  std::string conjunto_pg = {};  // when PostgreSQL needs other statements

  const std::string& Conjunto(bool postgres) const {
    return postgres && !conjunto_pg.empty() ? conjunto_pg : conjunto;
  }
};

// Step 21 in set-based statements: the company's new column, the situation
// code widened where the database keeps a length (PostgreSQL changes only
// the declared type, no row is rewritten), and the trailing "0" appended to
// every code. The step itself copies every row of the three tables into a
// new table of the new shape, as the upgrade prescribes.
const std::string kAcrescentaZero =
    "UPDATE Produto SET No_SitTributaria = No_SitTributaria || '0'; "
    "UPDATE ItemNotaSaida SET No_SitTributaria = No_SitTributaria || '0'; "
    "UPDATE ItemCupomFiscal SET No_SitTributaria = No_SitTributaria || '0'";
const Comparacao kPasso21{
    20,
    "ALTER TABLE EmpresaUsuaria ADD Vl_DespesaBoleta money NULL; " + kAcrescentaZero,
    "SELECT COUNT(*), SUM(LENGTH(No_SitTributaria)) FROM ItemCupomFiscal",
    "ALTER TABLE EmpresaUsuaria ADD Vl_DespesaBoleta numeric(19,4) NULL; "
    "ALTER TABLE Produto ALTER COLUMN No_SitTributaria TYPE varchar(3); "
    "ALTER TABLE ItemNotaSaida ALTER COLUMN No_SitTributaria TYPE varchar(3); "
    "ALTER TABLE ItemCupomFiscal ALTER COLUMN No_SitTributaria TYPE varchar(3); " +
        kAcrescentaZero};

const Comparacao kPasso48{
    47,
    "UPDATE Cardex SET Nm_Doc = (SELECT 'CF-' || CAST(i.No_Impressora AS varchar(3)) || '-' || "
    "CAST(i.No_CupomFiscal AS varchar(10)) || '-' || CAST(i.No_Item AS varchar(3)) "
    "FROM ItemCupomFiscal i WHERE i.Cd_PessoaUsuaria = Cardex.Cd_PessoaUsuaria "
    "AND i.Cd_LancamentoCardex = Cardex.Cd_LancamentoCardex) "
    "WHERE EXISTS (SELECT 1 FROM ItemCupomFiscal i WHERE i.Cd_PessoaUsuaria = "
    "Cardex.Cd_PessoaUsuaria AND i.Cd_LancamentoCardex = Cardex.Cd_LancamentoCardex)",
    "SELECT COUNT(*), SUM(LENGTH(Nm_Doc)) FROM Cardex WHERE Nm_Doc LIKE 'CF-%'"};

// The products' stock and average cost taken from their last movement.
const std::string kProdutoPeloUltimoMovimento =
    "UPDATE Produto SET "
    "Qt_Estoque = (SELECT c.Qt_Estoque FROM Cardex c WHERE c.Cd_PessoaUsuaria = "
    "Produto.Cd_PessoaUsuaria AND c.Cd_Produto = Produto.Cd_Produto "
    "ORDER BY c.Dt_Emissao DESC, c.Cd_LancamentoCardex DESC LIMIT 1), "
    "Vl_CustoMedio = (SELECT c.Vl_CustoMedio FROM Cardex c WHERE c.Cd_PessoaUsuaria = "
    "Produto.Cd_PessoaUsuaria AND c.Cd_Produto = Produto.Cd_Produto "
    "ORDER BY c.Dt_Emissao DESC, c.Cd_LancamentoCardex DESC LIMIT 1) ";

// The running stock of every movement from 1 January 2005 of the products
// `produtos` selects, as the host's recomputation keeps it: the balance of
// the product's last movement before that date (none: 0) plus one window
// sum, kept with its key and written where it differs (beyond the rounding
// of a sum taken in another order); then the products' stock and cost taken
// from their last movement.
std::string SaldoCorrido(const std::string& produtos) {
  return "CREATE TEMPORARY TABLE bp_base AS SELECT p.Cd_PessoaUsuaria AS e, p.Cd_Produto AS p, "
         "COALESCE((SELECT a.Qt_Estoque FROM Cardex a WHERE a.Cd_PessoaUsuaria = "
         "p.Cd_PessoaUsuaria AND a.Cd_Produto = p.Cd_Produto AND a.Dt_Emissao < '2005-01-01' "
         "ORDER BY a.Dt_Emissao DESC, a.Cd_LancamentoCardex DESC LIMIT 1), 0) AS q "
         "FROM Produto p WHERE p.Cd_Produto IN (" + produtos + "); "
         "CREATE TEMPORARY TABLE bp_saldo (e int, l int, q float, PRIMARY KEY (e, l)); "
         "INSERT INTO bp_saldo SELECT m.Cd_PessoaUsuaria, m.Cd_LancamentoCardex, b.q + SUM(CASE "
         "WHEN m.No_Tipo BETWEEN 10 AND 14 THEN m.Qt_Unidade WHEN m.No_Tipo BETWEEN 20 AND 24 THEN "
         "-m.Qt_Unidade ELSE 0 END) OVER (PARTITION BY m.Cd_PessoaUsuaria, m.Cd_Produto ORDER BY "
         "m.Dt_Emissao, m.Cd_LancamentoCardex) FROM Cardex m INNER JOIN bp_base b ON b.e = "
         "m.Cd_PessoaUsuaria AND b.p = m.Cd_Produto WHERE m.Dt_Emissao >= '2005-01-01'; "
         "UPDATE Cardex SET Qt_Estoque = (SELECT s.q FROM bp_saldo s WHERE s.e = "
         "Cardex.Cd_PessoaUsuaria AND s.l = Cardex.Cd_LancamentoCardex) "
         "WHERE EXISTS (SELECT 1 FROM bp_saldo s WHERE s.e = Cardex.Cd_PessoaUsuaria AND s.l = "
         "Cardex.Cd_LancamentoCardex AND (Cardex.Qt_Estoque IS NULL OR "
         "ABS(s.q - Cardex.Qt_Estoque) > 0.000001)); " +
         kProdutoPeloUltimoMovimento +
         "WHERE Cd_Produto IN (" + produtos + "); DROP TABLE bp_saldo; DROP TABLE bp_base";
}

// Step 106 in set-based statements: the movements of the invoices of
// operations 90 and 91 gathered once, the items let go of them, the
// movements deleted, the running stock of every movement of the products
// concerned rewritten from one window sum (kept with its key, so the rewrite
// finds each row by its key), and the products' stock and cost taken from
// their last movement. The step also carries the average cost along, which
// no set-based statement computes.
const Comparacao kPasso106{
    105,
    "CREATE TEMPORARY TABLE bp_mov AS SELECT DISTINCT c.Cd_PessoaUsuaria, c.Cd_LancamentoCardex, "
    "c.Cd_Produto FROM NotaSaida n INNER JOIN ItemNotaSaida i ON i.Cd_PessoaUsuaria = "
    "n.Cd_PessoaUsuaria AND i.No_Nota = n.No_Nota INNER JOIN Cardex c ON c.Cd_PessoaUsuaria = "
    "i.Cd_PessoaUsuaria AND c.Cd_LancamentoCardex = i.Cd_LancamentoCardex "
    "WHERE n.Cd_Operacao IN (90, 91); "
    "CREATE INDEX bp_mov_l ON bp_mov (Cd_PessoaUsuaria, Cd_LancamentoCardex); "
    "UPDATE ItemNotaSaida SET Cd_LancamentoCardex = NULL WHERE EXISTS (SELECT 1 FROM bp_mov m "
    "WHERE m.Cd_PessoaUsuaria = ItemNotaSaida.Cd_PessoaUsuaria AND m.Cd_LancamentoCardex = "
    "ItemNotaSaida.Cd_LancamentoCardex); "
    "DELETE FROM Cardex WHERE EXISTS (SELECT 1 FROM bp_mov m WHERE m.Cd_PessoaUsuaria = "
    "Cardex.Cd_PessoaUsuaria AND m.Cd_LancamentoCardex = Cardex.Cd_LancamentoCardex); " +
        SaldoCorrido("SELECT Cd_Produto FROM bp_mov") + "; DROP TABLE bp_mov",
    "SELECT COUNT(*), COUNT(Cd_LancamentoCardex) FROM ItemNotaSaida"};

// Step 107 in set-based statements: the running stock of every movement of
// every product rewritten where it differs, and every product's stock from
// its last movement. Like the step, it reads every movement; unlike the
// step, it does not carry the average cost along.
const Comparacao kPasso107{106, SaldoCorrido("SELECT Cd_Produto FROM Produto"),
                           "SELECT COUNT(*), SUM(Qt_Estoque) FROM Produto"};

std::map<std::string, double>& TemposLinhaALinha() {
  static std::map<std::string, double> tempos;
  return tempos;
}

// The step is timed by its own turn: the walk starts one version earlier,
// so the reading of the schema that a walk's first turn does falls into the
// turn before it, as it does in a whole walk. The set-based statements run
// in a turn of their own. Times are set by hand (UseManualTime).
void BM_Passo(benchmark::State& state, bool postgres, const Comparacao& cmp, bool em_conjunto) {
  if (SemPostgres(state, postgres)) return;
  Fontes& f = FontesDe(postgres);
  const int32_t partida = em_conjunto ? cmp.antes : cmp.antes - 1;
  const std::string& origem = f.NaVersao(partida);
  if (origem.empty()) {
    state.SkipWithError(f.falha[partida].c_str());
    return;
  }
  const std::string chave = fmt::format("{}-{}", postgres, cmp.antes);
  double segundos = 0, conferencia_linhas = 0, conferencia_soma = 0;
  std::string erro;
  for (auto _ : state) {
    const std::string alvo =
        f.banco.Copia(origem, postgres ? "bp_bench_pg_passo" : "bp-bench-sqlite-passo");
    auto c = bp::db::Connection::Open(alvo);
    c->SetCommandTimeout(600);  // what a step's turn allows
    double turno = 0;
    if (em_conjunto) {
      const auto comeco = std::chrono::steady_clock::now();
      c->BeginTrans("conjunto");
      c->Execute(cmp.Conjunto(postgres));
      c->Execute("UPDATE Parametro SET No_VersaoBD = " + std::to_string(cmp.antes + 1));
      c->CommitTrans("conjunto");
      turno = std::chrono::duration<double>(std::chrono::steady_clock::now() - comeco).count();
    } else {
      const Caminhada w = Caminhar(alvo, cmp.antes + 1);
      if (w.versao_final != cmp.antes + 1) erro = w.erro;
      if (!w.tempos.empty()) turno = w.tempos.back().first;
    }
    state.SetIterationTime(turno);
    segundos += turno;
    const bp::db::Recordset r = c->Query(cmp.conferir);
    conferencia_linhas = r.Field(0).IsNull() ? 0 : r.Field(0).ToDouble();
    conferencia_soma = r.Field(1).IsNull() ? 0 : r.Field(1).ToDouble();
  }
  if (!erro.empty()) state.SkipWithError(erro.c_str());
  const double media = segundos / static_cast<double>(state.iterations());
  if (!em_conjunto) TemposLinhaALinha()[chave] = media;
  if (em_conjunto && TemposLinhaALinha().count(chave) && media > 0) {
    state.counters["vezes_mais_rapido"] = TemposLinhaALinha()[chave] / media;
  }
  state.counters["conferencia_linhas"] = conferencia_linhas;
  state.counters["conferencia_soma"] = conferencia_soma;
  Contadores(state, f.resumo);
}

void Registrar() {
  for (const bool pg : {false, true}) {
    const std::string banco = pg ? "PostgreSQL" : "SQLite";
    benchmark::RegisterBenchmark(("BM_Gerar/" + banco).c_str(), BM_Gerar, pg)
        ->Iterations(1)->Unit(benchmark::kSecond);
    benchmark::RegisterBenchmark(("BM_CaminhadaCompleta/" + banco).c_str(), BM_CaminhadaCompleta, pg)
        ->Iterations(1)->Unit(benchmark::kSecond);
    for (const Comparacao* cmp : {&kPasso21, &kPasso48, &kPasso106, &kPasso107}) {
      const std::string passo = "BM_Passo" + std::to_string(cmp->antes + 1);
      benchmark::RegisterBenchmark((passo + "_LinhaALinha/" + banco).c_str(), BM_Passo, pg, *cmp,
                                   false)
          ->Iterations(1)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark((passo + "_Conjunto/" + banco).c_str(), BM_Passo, pg, *cmp, true)
          ->Iterations(1)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
    }
  }
}

const int kRegistrado = (Registrar(), 0);

}  // namespace
