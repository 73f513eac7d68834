// Billing on the station host over SQLite and PostgreSQL (BP_BENCH_PG_URL),
// each iteration on a fresh copy of
// a demo station whose customer 100 has 10 000 pending credit coupons:
// Faturar of all of them against the set-based floor (one UPDATE of the
// coupons, one INSERT of the receivable and their sum, in one transaction),
// and FaturamentoSeletivo of 1 000 of them against 1 000 single-row UPDATEs
// by key in one transaction.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bp/bp_faturamento.h"
#include "station/fiscal/cupom_fiscal.h"
#include "station/seed/seed.h"
#include "station/session/relogio_ajustavel.h"
#include "station/session/sessao.h"

#include "bancos.h"

namespace {

using bp::Value;
using D = station::EstacaoDemo;

constexpr int kCupons = 10000;
constexpr int kSelecionados = 1000;
constexpr int kPrimeiroCupom = 500000;  // numbers no history coupon uses

class Ambiente final : public station::RelogioAjustavel {
 public:
  bp::Answer MessageBox(const bp::MessageBoxRequest& r) override { return r.DefaultAnswer(); }
};

const bp::DateTime kAgora = bp::DateTime::Of(2026, 12, 5, 10, 0, 0);
const bp::DateTime kDia = bp::DateTime::Of(2026, 12, 4);

struct Base {
  explicit Base(bool postgres) : banco(postgres) {
    ambiente.agora = kAgora;
    arquivo = banco.Novo(postgres ? "bp_faturamento_base" : "bp-faturamento-base");
    auto sessao = std::make_shared<station::Sessao>(station::Configuracao(arquivo));
    station::SeedDemoStation(sessao, kAgora);
    bp::db::Connection& c = sessao->Dal().Conexao();
    c.BeginTrans("Cupons");
    for (int k = 0; k < kCupons; ++k) {
      c.Execute(
          "INSERT INTO CupomFiscal (Cd_PessoaUsuaria, No_Impressora, No_CupomFiscal, "
          "Dt_Emissao, Vl_Total, Vl_TotalLiquido, Tp_Venda, Cd_Veiculo, No_Km, "
          "Dt_Vencimento, Ic_CupomConcluido, Cd_Cliente, Ic_Excluido) "
          "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
          {Value(D::kEmpresa), Value(1), Value(kPrimeiroCupom + k), Value(kDia),
           Value(bp::Money::FromDouble(50.25)), Value(bp::Money::FromDouble(50.25)), Value(12),
           Value(D::kPlacaCredito), Value(1000 + k), Value(kAgora.AddDays(30)), Value(true),
           Value(D::kClienteCredito), Value(false)});
    }
    c.CommitTrans("Cupons");
  }
  // A fresh copy of the base for one iteration (the previous one's session
  // closed).
  std::shared_ptr<station::Sessao> Copia() {
    const std::string copia =
        banco.Copia(arquivo, banco.Postgres() ? "bp_faturamento_copia" : "bp-faturamento-copia");
    return std::make_shared<station::Sessao>(station::Configuracao(copia));
  }
  bench::Banco banco;
  std::string arquivo;
  Ambiente ambiente;
};

Base& Unica(bool postgres) {
  static Base sqlite(false);
  if (!postgres) return sqlite;
  static Base pg(true);
  return pg;
}

// Runs `medir` timed on a fresh copy of the base in each iteration, after
// `preparar` (untimed) has built what it needs from the copy's session.
template <class Preparar, class Medir>
void EmCopias(benchmark::State& state, bool postgres, Preparar preparar, Medir medir) {
  if (bench::SemPostgres(state, postgres)) return;
  Base& base = Unica(postgres);
  for (auto _ : state) {
    state.PauseTiming();
    auto sessao = base.Copia();
    auto preparado = preparar(*sessao);
    bp::BPFaturamento f;
    f.SetObBOSistema(sessao);
    state.ResumeTiming();
    medir(f, sessao->Dal().Conexao(), preparado);
  }
}

struct Nada {};
Nada SemPreparo(station::Sessao&) { return {}; }

void BM_Faturar(benchmark::State& state, bool postgres) {
  EmCopias(state, postgres, SemPreparo, [](bp::BPFaturamento& f, bp::db::Connection&, Nada) {
    benchmark::DoNotOptimize(f.Faturar(D::kClienteCredito, kAgora.DatePart(), kAgora.AddDays(30), 1,
                                       1, bp::Money::FromInt(100)));
  });
}
NOS_DOIS_BANCOS(BM_Faturar);

void BM_FaturarPiso(benchmark::State& state, bool postgres) {
  EmCopias(state, postgres, SemPreparo, [](bp::BPFaturamento&, bp::db::Connection& c, Nada) {
    c.BeginTrans("Piso");
    c.Execute(
        "UPDATE CupomFiscal SET Cd_ContaAReceber = ?, FL_Fechada = ? WHERE "
        "Cd_PessoaUsuaria = ? AND Cd_Cliente = ? AND Cd_ContaAReceber IS NULL AND "
        "Tp_Venda IN (?, ?, ?) AND Dt_Emissao < ?",
        {Value(900000), Value(true), Value(D::kEmpresa), Value(D::kClienteCredito), Value(11),
         Value(12), Value(13), Value(kAgora.DatePart().AddDays(1))});
    c.Execute(
        "INSERT INTO ContaAReceber (Cd_PessoaUsuaria, Cd_ContaAReceber, Cd_Cliente, "
        "Vl_Debito) SELECT ?, ?, ?, SUM(Vl_TotalLiquido) FROM CupomFiscal WHERE "
        "Cd_PessoaUsuaria = ? AND Cd_ContaAReceber = ?",
        {Value(D::kEmpresa), Value(900000), Value(D::kClienteCredito), Value(D::kEmpresa),
         Value(900000)});
    c.CommitTrans("Piso");
  });
}
NOS_DOIS_BANCOS(BM_FaturarPiso);

// The coupon objects of the first 1 000 added coupons.
struct Selecao {
  std::vector<std::unique_ptr<station::CupomFiscal>> cupons;
  std::vector<bp::host::BOCupomFiscal*> col;
};

std::shared_ptr<Selecao> Selecionar(station::Sessao& sessao) {
  auto s = std::make_shared<Selecao>();
  for (int k = 0; k < kSelecionados; ++k) {
    auto cupom = std::make_unique<station::CupomFiscal>(sessao);
    cupom->Registro().Cd_PessoaUsuaria = D::kEmpresa;
    cupom->Registro().No_Impressora = 1;
    cupom->Registro().No_CupomFiscal = kPrimeiroCupom + k;
    cupom->Registro().Dt_Emissao = kDia;
    s->col.push_back(cupom.get());
    s->cupons.push_back(std::move(cupom));
  }
  return s;
}

void BM_FaturamentoSeletivo(benchmark::State& state, bool postgres) {
  EmCopias(state, postgres, Selecionar,
           [](bp::BPFaturamento& f, bp::db::Connection&, const std::shared_ptr<Selecao>& s) {
             benchmark::DoNotOptimize(f.FaturamentoSeletivo(D::kClienteCredito, s->col, 1));
           });
}
NOS_DOIS_BANCOS(BM_FaturamentoSeletivo);

void BM_FaturamentoSeletivoPiso(benchmark::State& state, bool postgres) {
  EmCopias(state, postgres, SemPreparo, [](bp::BPFaturamento&, bp::db::Connection& c, Nada) {
    c.BeginTrans("Piso");
    for (int k = 0; k < kSelecionados; ++k) {
      c.Execute(
          "UPDATE CupomFiscal SET Cd_ContaAReceber = ? WHERE Cd_PessoaUsuaria = ? AND "
          "No_Impressora = ? AND No_CupomFiscal = ? AND Dt_Emissao = ?",
          {Value(900000), Value(D::kEmpresa), Value(1), Value(kPrimeiroCupom + k), Value(kDia)});
    }
    c.CommitTrans("Piso");
  });
}
NOS_DOIS_BANCOS(BM_FaturamentoSeletivoPiso);

}  // namespace
