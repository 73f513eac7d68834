// The generated station history: deterministic for a seed, consistent with
// itself (coupon totals, stock card, printer summaries, bills) and refused
// where it would mix with existing rows.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>

#include "bp/db/connection.h"
#include "bp/erro.h"
#include "bp/money.h"
#include "station/seed/gerador.h"
#include "station/session/banco_inicial.h"
#include "station/stock/recalculo_estoque.h"
#include "support/db_checks.h"
#include "support/test_env.h"

namespace bp::testing {
namespace {

station::OpcoesGerador Opcoes(uint64_t semente) {
  return {.dias = 70, .cupons_dia = 20, .itens_cupom = 3, .produtos = 30, .clientes = 12,
          .funcionarios = 6, .bicos = 6, .impressoras = 2, .semente = semente,
          .inicio = DateTime::Of(2005, 1, 10), .ao_fim_do_dia = nullptr};
}

class GeradorTest : public ::testing::Test {
 protected:
  std::unique_ptr<db::Connection> Novo(const std::string& nome) {
    auto c = db::Connection::Open(env_.Path(nome));
    station::CriarBancoVersao18(*c, 1);
    return c;
  }
  double Numero(const std::string& sql) {
    const Value v = db_->Query(sql).Field(0);
    return v.IsNull() ? 0 : v.ToDouble();
  }
  // Every row of the tables written, as text.
  static std::string Tudo(db::Connection& c, const station::ResumoGerador& r) {
    std::vector<std::string> tabelas;
    for (const auto& [tabela, n] : r.linhas) tabelas.push_back(tabela);
    return TablesAsText(c, tabelas, "1, 2");
  }

  TestEnv env_;
  std::unique_ptr<db::Connection> db_;
};

TEST_F(GeradorTest, SameSeedSameRowsOtherSeedOtherRows) {
  auto a = Novo("a.db"), b = Novo("b.db"), c = Novo("c.db");
  const auto ra = station::GerarMovimento(*a, Opcoes(11));
  const auto rb = station::GerarMovimento(*b, Opcoes(11));
  const auto rc = station::GerarMovimento(*c, Opcoes(12));
  EXPECT_EQ(ra.linhas, rb.linhas);
  EXPECT_EQ(Tudo(*a, ra), Tudo(*b, rb));
  EXPECT_NE(Tudo(*a, ra), Tudo(*c, rc));
}

// One history, consistent with itself: its counts, coupons, stock card,
// printer summaries and bills.
TEST_F(GeradorTest, HistoryAgreesWithItselfAndWithTheScale) {
  db_ = Novo("n.db");
  const auto r = station::GerarMovimento(*db_, Opcoes(3));
  for (const auto& [tabela, n] : r.linhas) {
    // The seed rows of the new database are not the generator's.
    const double antes = tabela == "Pessoa" ? 1 : 0;
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM " + tabela), static_cast<double>(n) + antes) << tabela;
  }
  const double cupons = Numero("SELECT COUNT(*) FROM CupomFiscal");
  EXPECT_NEAR(cupons, 70 * 20, 70 * 20 * 0.1);
  EXPECT_NEAR(Numero("SELECT COUNT(*) FROM ItemCupomFiscal") / cupons, 3.0, 0.25);
  EXPECT_EQ(Numero("SELECT COUNT(*) FROM Produto"), 30);
  EXPECT_EQ(Numero("SELECT COUNT(*) FROM Cliente"), 12);
  EXPECT_EQ(Numero("SELECT COUNT(*) FROM MapaResumoECF"), 70 * 2);
  EXPECT_EQ(Numero("SELECT COUNT(*) FROM FecDiario"), 70);
  EXPECT_GT(r.Linhas("NotaEntrada"), 0);
  EXPECT_GT(r.Linhas("ContaAReceber"), 0);
  EXPECT_GT(r.Linhas("Recebimento"), 0);
  EXPECT_GT(r.Linhas("NotaSaida"), 0);
  EXPECT_GT(r.segundos, 0);

  // Each coupon's total is the sum of its items' amounts, rounded to cents.
  std::map<std::string, Money> somas;
  const db::Recordset itens = db_->Query(
      "SELECT No_Impressora, No_CupomFiscal, Qt_Unidade, Vl_UnitVenda FROM ItemCupomFiscal");
  for (const auto& row : itens.Rows()) {
    somas[row[0].ToText() + "-" + row[1].ToText()] +=
        Money::FromDouble(std::round(row[2].ToDouble() * row[3].ToDouble() * 100) / 100);
  }
  const db::Recordset totais =
      db_->Query("SELECT No_Impressora, No_CupomFiscal, Vl_Total FROM CupomFiscal");
  EXPECT_EQ(static_cast<size_t>(totais.RecordCount()), somas.size());
  for (const auto& row : totais.Rows()) {
    EXPECT_EQ(somas[row[0].ToText() + "-" + row[1].ToText()], row[2].ToMoney());
  }
  // Every item of goods has its stock-card exit naming the coupon; services
  // have none.
  EXPECT_EQ(Numero("SELECT COUNT(*) FROM ItemCupomFiscal i JOIN Produto p ON p.Cd_Produto = "
                   "i.Cd_Produto WHERE (p.No_Tipo = 2) <> (i.Cd_LancamentoCardex IS NULL)"),
            0);
  EXPECT_EQ(Numero("SELECT COUNT(*) FROM ItemCupomFiscal i JOIN Cardex k ON "
                   "k.Cd_LancamentoCardex = i.Cd_LancamentoCardex WHERE k.No_Tipo <> 20 OR "
                   "k.Qt_Unidade <> i.Qt_Unidade OR k.Cd_Produto <> i.Cd_Produto OR k.Nm_Doc <> "
                   "'CF-' || i.No_Impressora || '-' || i.No_CupomFiscal"),
            0);
  // A fuel item points at its fueling, of the same litres and value.
  EXPECT_GT(Numero("SELECT COUNT(*) FROM ItemCupomFiscal WHERE Cd_Abastecimento IS NOT NULL"), 0);
  EXPECT_EQ(Numero("SELECT COUNT(*) FROM ItemCupomFiscal i JOIN Abastecimento a ON "
                   "a.Cd_Abastecimento = i.Cd_Abastecimento WHERE a.Qt_Litros <> i.Qt_Unidade "
                   "OR a.Vl_Unitario <> i.Vl_UnitVenda"),
            0);
  // The nozzles' totalizers run on without gaps between fuelings.
  EXPECT_EQ(Numero("SELECT COUNT(*) FROM Abastecimento a JOIN Abastecimento b ON "
                   "b.De_EnderecoLogicoBico = a.De_EnderecoLogicoBico AND b.No_Contador = "
                   "a.No_Contador + 1 WHERE ABS(b.No_EncerranteAbertura - "
                   "a.No_EncerranteFechamento) > 0.0001"),
            0);

  // The stock card's balances run on, row by row, and end in the product.
  const db::Recordset cardex = db_->Query(
      "SELECT Cd_Produto, No_Tipo, Qt_Unidade, Vl_Unitario, Qt_Estoque, Vl_CustoMedio FROM "
      "Cardex ORDER BY Cd_Produto, Dt_Emissao, Cd_LancamentoCardex");
  std::map<int32_t, station::SaldoEstoque> saldos;
  int linhas_erradas = 0;
  for (const auto& row : cardex.Rows()) {
    station::SaldoEstoque& s = saldos[row[0].ToInt32()];
    s = station::Movimentar(s, {row[1].ToInt32(), row[2].ToDouble(),
                                row[1].ToInt32() < 20 ? std::optional(row[3].ToDouble())
                                                      : std::nullopt});
    if (std::abs(s.quantidade - row[4].ToDouble()) > 1e-6 ||
        Money::FromDouble(s.custo_medio) != row[5].ToMoney()) {
      ++linhas_erradas;
    }
  }
  EXPECT_EQ(linhas_erradas, 0);
  EXPECT_GT(saldos.size(), 20u);
  for (const auto& [produto, saldo] : saldos) {
    const db::Recordset p = db_->Query(
        "SELECT Qt_Estoque, Vl_CustoMedio FROM Produto WHERE Cd_Produto = ?", {Value(produto)});
    EXPECT_NEAR(p.Field(0).ToDouble(), saldo.quantidade, 1e-6) << produto;
    EXPECT_EQ(p.Field(1).ToMoney(), Money::FromDouble(saldo.custo_medio)) << produto;
  }

  // The printer summaries chain their grand totals and reduction counters.
  const db::Recordset mapas = db_->Query(
      "SELECT No_Impressora, Vl_GTotalInicial, Vl_GTotalFinal, Vl_VendaBruta, "
      "No_CupomFiscalInicial, No_CupomFiscalFinal, Qt_ContReducoes FROM MapaResumoECF ORDER BY "
      "No_Impressora, Dt_Movimento");
  std::map<int32_t, std::pair<Money, int32_t>> anterior;
  for (const auto& row : mapas.Rows()) {
    const int32_t imp = row[0].ToInt32();
    EXPECT_EQ(row[2].ToMoney() - row[1].ToMoney(), row[3].ToMoney());
    if (anterior.count(imp)) {
      EXPECT_EQ(row[1].ToMoney(), anterior[imp].first);
      EXPECT_EQ(row[6].ToInt32(), anterior[imp].second + 1);
    }
    anterior[imp] = {row[2].ToMoney(), row[6].ToInt32()};
  }
  // The day's coupons carry the reduction counter and close the day's total.
  EXPECT_EQ(Numero("SELECT COUNT(*) FROM CupomFiscal c JOIN MapaResumoECF m ON m.No_Impressora = "
                   "c.No_Impressora AND m.Dt_Movimento = c.Dt_Emissao WHERE c.Qt_ContReducoes <> "
                   "m.Qt_ContReducoes OR c.No_CupomFiscal < m.No_CupomFiscalInicial OR "
                   "c.No_CupomFiscal > m.No_CupomFiscalFinal OR c.Vl_GTotal > m.Vl_GTotalFinal"),
            0);

  // Each receivable is the sum of its coupons; unbilled coupons stay open.
  EXPECT_EQ(Numero("SELECT COUNT(*) FROM ContaAReceber r WHERE ABS(r.Vl_Debito - (SELECT "
                   "SUM(c.Vl_TotalLiquido) FROM CupomFiscal c WHERE c.Cd_ContaAReceber = "
                   "r.Cd_ContaAReceber)) > 0.005"),
            0);
  EXPECT_EQ(Numero("SELECT COUNT(*) FROM CupomFiscal WHERE Cd_Cliente IS NOT NULL AND "
                   "Cd_ContaAReceber IS NULL AND FL_Fechada <> 0"),
            0);
  // A receipt settles its bill with the bill's balance and interest.
  EXPECT_EQ(Numero("SELECT COUNT(*) FROM Recebimento b JOIN ContaAReceber r ON "
                   "r.Cd_ContaAReceber = b.No_DocDebito WHERE ABS(b.Vl_Recebimento - "
                   "r.Vl_Pagamentos) > 0.005 OR r.Vl_SaldoDebito <> 0"),
            0);
}

TEST_F(GeradorTest, RefusesADatabaseWithMovementOrAtAnotherVersion) {
  db_ = Novo("n.db");
  station::OpcoesGerador o = Opcoes(1);
  o.dias = 2;
  station::GerarMovimento(*db_, o);
  const double cupons = Numero("SELECT COUNT(*) FROM CupomFiscal");
  const Erro e = testing::FailureOf([&] { station::GerarMovimento(*db_, o); });
  EXPECT_EQ(e.number, db::kErroComando);
  EXPECT_EQ(Numero("SELECT COUNT(*) FROM CupomFiscal"), cupons);

  auto outro = Novo("v.db");
  outro->Execute("UPDATE Parametro SET No_VersaoBD = 19");
  EXPECT_THROW(station::GerarMovimento(*outro, o), Erro);
  auto vazio = Novo("z.db");
  o.dias = 0;
  EXPECT_THROW(station::GerarMovimento(*vazio, o), Erro);
  EXPECT_EQ(vazio->Query("SELECT COUNT(*) FROM Produto").Field(0).ToInt32(), 0);
}

}  // namespace
}  // namespace bp::testing
