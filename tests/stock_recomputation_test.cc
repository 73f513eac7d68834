// The stock recomputation that steps 66 and 67 call (and step 164 through
// the general one), on a small stock card.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "bp/db/connection.h"
#include "station/session/banco_inicial.h"
#include "station/stock/recalculo_estoque.h"
#include "station/session/sessao.h"
#include "support/step_walk.h"
#include "support/test_env.h"

namespace bp {
namespace {

class StockRecomputation : public ::testing::Test {
 protected:
  void SetUp() override {
    session_ = std::make_unique<station::Sessao>(station::Configuracao{env_.Path("estoque.db")});
    station::CriarBancoVersao18(Db(), 1);
    for (const char* sql : {
             "INSERT INTO GrupoProduto (Cd_GrupoProduto, Nm_GrupoProduto) VALUES (1, 'GERAL')",
             "INSERT INTO ContaContabil (Cd_PessoaUsuaria, Cd_ContaContabil, Nm_ContaContabil) "
             "VALUES (1, 1, 'MARGEM')",
             "INSERT INTO Produto (Cd_PessoaUsuaria, Cd_Produto, Nm_Produto, Cd_GrupoProduto, "
             "Fl_VendBomba, Cd_ContaMargemContribuicao, Qt_Estoque, Vl_CustoMedio) VALUES "
             "(1, 1, 'OLEO', 1, 0, 1, 77, 7), (1, 2, 'FILTRO', 1, 0, 1, 5, 9)",
             // An exit before any entry; an entry at 2 on a negative stock; an
             // entry at 5; on the same day an exit (code 13) before a movement
             // of another kind (code 14); an entry without a unit value.
             "INSERT INTO Cardex (Cd_PessoaUsuaria, Cd_LancamentoCardex, Cd_Produto, Dt_Emissao, "
             "No_Tipo, Qt_Unidade, Vl_Unitario) VALUES "
             "(1, 10, 1, '2005-01-01 08:00:00', 20, 3, NULL), "
             "(1, 11, 1, '2005-01-02 08:00:00', 10, 5, 2), "
             "(1, 12, 1, '2005-01-03 08:00:00', 11, 10, 5), "
             "(1, 14, 1, '2005-01-04 08:00:00', 30, 99, NULL), "
             "(1, 13, 1, '2005-01-04 08:00:00', 21, 2, NULL), "
             "(1, 15, 1, '2005-01-05 08:00:00', 12, 10, NULL)",
         }) {
      Db().Execute(sql);
    }
  }

  db::Connection& Db() { return session_->Dal().Conexao(); }
  // "stock|average cost" of a stock-card row and of a product.
  std::string Row(int code) {
    return Pair("Cardex WHERE Cd_LancamentoCardex = " + std::to_string(code));
  }
  std::string Product(int code) { return Pair("Produto WHERE Cd_Produto = " + std::to_string(code)); }
  std::string Pair(const std::string& from) {
    return testing::RowTexts(Db(), "SELECT Qt_Estoque, Vl_CustoMedio FROM " + from, "-",
                             RegionalSettings::Invariant())
        .at(0);
  }

  testing::TestEnv env_;
  std::unique_ptr<station::Sessao> session_;
};

TEST_F(StockRecomputation, RunsTheCardInDateAndCodeOrderWithAMovingAverage) {
  const auto recalculo = session_->CriarRecalculoEstoque();
  ASSERT_TRUE(recalculo->Recalcular(1, 1, {}));
  EXPECT_EQ(Row(10), "-3|0");
  EXPECT_EQ(Row(11), "2|2");     // the stock was negative: the entry's cost
  EXPECT_EQ(Row(12), "12|4.5");  // (2 x 2 + 10 x 5) / 12
  EXPECT_EQ(Row(13), "10|4.5");  // exits keep the average
  EXPECT_EQ(Row(14), "10|4.5");  // other kinds move nothing
  EXPECT_EQ(Row(15), "20|4.5");  // no unit value: the average stays
  EXPECT_EQ(Product(1), "20|4.5");
  EXPECT_EQ(Db().TransactionDepth(), 0);

  // From a date: the balance before it is taken as it stands on the card,
  // the rows before it are left alone.
  Db().Execute("UPDATE Cardex SET Qt_Estoque = 999 WHERE Cd_LancamentoCardex = 11");
  Db().Execute(
      "UPDATE Cardex SET Qt_Unidade = 20, Vl_Unitario = 6.1 WHERE Cd_LancamentoCardex = 15");
  ASSERT_TRUE(recalculo->Recalcular(1, 1, DateTime::Of(2005, 1, 4)));
  EXPECT_EQ(Row(11), "999|2");
  EXPECT_EQ(Row(13), "10|4.5");
  EXPECT_EQ(Row(15), "30|5.5667");  // (10 x 4.5 + 20 x 6.1) / 30, to four decimals
  EXPECT_EQ(Product(1), "30|5.5667");

  // No movement at all: no stock, no cost. A missing product: False.
  ASSERT_TRUE(recalculo->Recalcular(1, 2, {}));
  EXPECT_EQ(Product(2), "0|0");
  station::RecalculoEstoque direct(*session_);
  EXPECT_FALSE(direct.Recalcular(1, 99, {}));
  EXPECT_EQ(direct.Motivo(), "O produto 99 não está cadastrado.");
}

TEST_F(StockRecomputation, GeneralRecomputationCoversEveryProductOfTheCompany) {
  const auto geral = session_->CriarRecalculoGeralEstoque();
  std::string mensagem;
  ASSERT_TRUE(geral->Recalcular(1, DateTime::Of(2005, 1, 1), mensagem)) << mensagem;
  EXPECT_EQ(mensagem, "Estoque de 2 produto(s) recalculado.");
  EXPECT_EQ(Product(1), "20|4.5");
  EXPECT_EQ(Product(2), "0|0");
  EXPECT_FALSE(geral->Recalcular(5, {}, mensagem));
  EXPECT_EQ(mensagem, "A empresa 5 não está cadastrada.");
  EXPECT_EQ(Db().TransactionDepth(), 0);
}

}  // namespace
}  // namespace bp
