#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "bp/andamento.h"
#include "bp/host/unit_of_work.h"
#include "bp/schema/apply.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "station/session/banco_inicial.h"
#include "station/session/sessao.h"
#include "support/recording_session.h"
#include "support/station_rows.h"
#include "support/test_env.h"

namespace bp {
namespace {

class StationSession : public ::testing::Test {
 protected:
  void SetUp() override {
    session_ = std::make_unique<station::Sessao>(station::Configuracao(env_.Path("posto.db")));
    station::CriarBancoVersao18(Db(), 1);
  }
  db::Connection& Db() { return session_->Dal().Conexao(); }

  testing::TestEnv env_;
  std::unique_ptr<station::Sessao> session_;
};

TEST_F(StationSession, UnitOfWorkEndsOnceOnEveryPath) {
  testing::RecordingSession rec(*session_);
  {
    host::UnitOfWork work(rec, "C.P");
    work.End();
    work.End();
  }
  try {
    host::UnitOfWork work(rec, host::Origem("C", "Q"));
    throw std::runtime_error("falha");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(rec.log, (std::vector<std::string>{"BeginWork C.P", "EndWork C.P", "BeginWork C.Q",
                                               "EndWork C.Q"}));
  // Begin work reopens a closed connection and says so through the marker.
  Db().Close();
  bool marker = false;
  session_->BeginWork("C.R", marker);
  EXPECT_TRUE(marker);
  EXPECT_TRUE(Db().IsOpen());
  session_->BeginWork("C.R", marker);
  EXPECT_FALSE(marker);
}

TEST_F(StationSession, CompanyIdentificationAndBillingSettings) {
  host::BOEmpresaUsuaria& empresa = session_->EmpresaUsuaria();
  const host::IdentificacaoEmpresa id = empresa.Identificacao();
  EXPECT_EQ(id.nome, "AUTO POSTO SERRA AZUL LTDA");
  EXPECT_EQ(id.cnpj, "45.997.418/0001-53");
  EXPECT_EQ(id.endereco.cidade, "CAMPINAS");
  EXPECT_EQ(id.endereco.uf, "SP");
  Db().Execute("UPDATE EmpresaUsuaria SET Ic_EmitirNfNoFaturamento = -1, "
               "Vl_PadraoContaAReceber = 2.5, Qt_DiasCobrancaTipo2 = 7, Qt_DiasTerceiraData = 30");
  const host::ConfiguracaoFaturamento f = empresa.Faturamento();
  EXPECT_TRUE(f.emitir_nf_no_faturamento);
  EXPECT_FALSE(f.nf_todas_as_linhas);
  EXPECT_EQ(f.valor_padrao_conta_a_receber, Money::FromDouble(2.5));
  EXPECT_EQ(f.dias_cobranca_tipo[1], 7);
  EXPECT_EQ(f.dias_terceira_data, 30);
  EXPECT_TRUE(empresa.DataUltimaConsolidacaoEstoque().IsEmpty());
}

TEST_F(StationSession, StockConsolidationFromScratchAndForward) {
  using namespace schema;
  // The consolidated-stock table arrives with a later version; made here as
  // that version makes it.
  Model model = Introspect(Db());
  Apply(Db(), model,
        CreateTable{{"EstoqueConsolidado",
                     {{"Cd_PessoaUsuaria", Int(), Nullability::kNotNull},
                      {"Dt_Referencia", DateTimeType(), Nullability::kNotNull},
                      {"Cd_Produto", Int(), Nullability::kNotNull},
                      {"Vl_CustoMedio", Numeric(10, 4), Nullability::kNull},
                      {"Qt_Estoque", Numeric(10, 3), Nullability::kNull},
                      {"Vl_IcmsRecuperar", Numeric(10, 4), Nullability::kNull}},
                     PrimaryKey{"XPKEstoqueConsolidado",
                                {"Cd_PessoaUsuaria", "Dt_Referencia", "Cd_Produto"}}}});
  testing::InsertProduct(Db(), 1, 10, "GASOLINA COMUM");
  testing::InsertProduct(Db(), 1, 11, "ETANOL");
  const DateTime d1 = DateTime::Of(2026, 11, 1, 8), d2 = DateTime::Of(2026, 11, 2, 23, 59, 59),
                 d3 = DateTime::Of(2026, 11, 3, 9);
  testing::InsertCardex(Db(), 1, 1, 10, d1, 10, 1000, 5.0, 1000, 5.0);
  testing::InsertCardex(Db(), 1, 2, 10, d2, 20, 300, 0, 700, 5.0);
  testing::InsertCardex(Db(), 1, 3, 11, d1, 10, 500, 3.0, 500, 3.0);
  testing::InsertCardex(Db(), 1, 4, 10, d3, 10, 300, 6.0, 1000, 5.3);

  host::BOEmpresaUsuaria& empresa = session_->EmpresaUsuaria();
  Andamento window;
  empresa.ConsolidarEstoqueNaData(DateTime::Of(2026, 11, 2, 15), &window);
  auto stock = [&](int day, int product) {
    const auto rs = Db().Query(
        "SELECT Qt_Estoque FROM EstoqueConsolidado WHERE Dt_Referencia = ? AND Cd_Produto = ?",
        {Value(DateTime::Of(2026, 11, day)), Value(product)});
    return rs.Eof() ? -1.0 : rs.Field(0).ToDouble();
  };
  EXPECT_EQ(stock(2, 10), 700);  // the movement at 23:59:59 counts for its day
  EXPECT_EQ(stock(2, 11), 500);
  EXPECT_EQ(empresa.DataUltimaConsolidacaoEstoque(), DateTime::Of(2026, 11, 2));
  EXPECT_EQ(window.Percentual(), "100%");

  // Forward: product 11 did not move, so its row is carried over.
  empresa.ConsolidarEstoqueAte(DateTime::Of(2026, 11, 3), nullptr);
  EXPECT_EQ(stock(3, 10), 1000);
  EXPECT_EQ(stock(3, 11), 500);
  EXPECT_EQ(empresa.DataUltimaConsolidacaoEstoque(), DateTime::Of(2026, 11, 3));
  // A date before the last one is consolidated again without moving it back.
  empresa.ConsolidarEstoqueNaData(DateTime::Of(2026, 11, 1), nullptr);
  EXPECT_EQ(stock(1, 10), 1000);
  EXPECT_EQ(empresa.DataUltimaConsolidacaoEstoque(), DateTime::Of(2026, 11, 3));
}

}  // namespace
}  // namespace bp
