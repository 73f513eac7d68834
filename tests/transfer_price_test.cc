#include <gtest/gtest.h>

#include <memory>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/erro.h"
#include "bp/schema/apply.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "station/session/banco_inicial.h"
#include "station/session/sessao.h"
#include "support/db_checks.h"
#include "support/recording_session.h"
#include "support/station_rows.h"
#include "support/test_env.h"

namespace bp {
namespace {

TEST(CorrigirPrecoDaTransferencia, FixesEntryCostsAndSkipsRowsThatFail) {
  using namespace schema;
  testing::TestEnv env;
  auto session = std::make_unique<station::Sessao>(station::Configuracao(env.Path("posto.db")));
  db::Connection& db = session->Dal().Conexao();
  station::CriarBancoVersao18(db, 1);
  // The transfers table arrives with a later version; made here as it is there.
  Model model = Introspect(db);
  Apply(db, model,
        CreateTable{{"ItemTransfEmbalagem",
                     {{"No_Transferencia", Int(), Nullability::kNotNull},
                      {"Cd_ProdutoBaixa", Int(), Nullability::kNotNull},
                      {"Cd_ProdutoEntrada", Int(), Nullability::kNotNull},
                      {"Cd_PessoaUsuaria", Int(), Nullability::kNotNull},
                      {"Cd_LancamentoCardexBaixa", Int(), Nullability::kNotNull},
                      {"Cd_LancamentoCardexEntrada", Int(), Nullability::kNotNull},
                      {"Qt_UnidadeEntrada", Float(), Nullability::kNotNull},
                      {"Qt_UnidadeBaixa", Float(), Nullability::kNotNull}},
                     PrimaryKey{"XPKItemTransfEmbalagem", {"Cd_PessoaUsuaria", "No_Transferencia"}}}});
  for (int32_t p : {10, 11, 12}) testing::InsertProduct(db, 1, p, "OLEO " + std::to_string(p));
  const DateTime day = DateTime::Of(2026, 3, 1, 10);
  // Transfer 1: one 20-litre drum (100.00) became twenty 1-litre bottles,
  // entered at 4.00 instead of 5.00.
  testing::InsertCardex(db, 1, 1, 10, day, 23, 1, 100.0, 0, 100.0);
  testing::InsertCardex(db, 1, 2, 11, day, 13, 20, 4.0, 20, 4.0);
  // Transfer 2: an entry of nothing cannot be priced.
  testing::InsertCardex(db, 1, 3, 10, day, 23, 1, 0.0, 0, 90.0);
  testing::InsertCardex(db, 1, 4, 12, day, 13, 0, 0.0, 0, 0.0);
  // Transfer 3: a withdrawal at its average cost (no unit value) of 90.00.
  testing::InsertCardex(db, 1, 5, 12, day, 13, 30, 1.0, 30, 1.0);
  const char* insert =
      "INSERT INTO ItemTransfEmbalagem VALUES (?, 10, ?, 1, ?, ?, ?, 1)";
  db.Execute(insert, {Value(1), Value(11), Value(1), Value(2), Value(20.0)});
  db.Execute(insert, {Value(2), Value(12), Value(3), Value(4), Value(0.0)});
  db.Execute(insert, {Value(3), Value(12), Value(3), Value(5), Value(30.0)});

  auto recorder = std::make_shared<testing::RecordingSession>(*session);
  BPAtualizarBancoDeDados driver;
  driver.SetObBOSistema(recorder);
  driver.CorrigirPrecoDaTransferencia();

  auto unit = [&](int id) {
    return db.Query("SELECT Vl_Unitario FROM Cardex WHERE Cd_LancamentoCardex = ?", {Value(id)})
        .Field(0)
        .ToDouble();
  };
  EXPECT_DOUBLE_EQ(unit(2), 5.0);
  EXPECT_DOUBLE_EQ(unit(4), 0.0);
  EXPECT_DOUBLE_EQ(unit(5), 3.0);  // 90.00 spread over 30 units
  ASSERT_EQ(env.boxes.size(), 1u);
  EXPECT_EQ(env.boxes[0].text, "Division by zero PRODUTO:12");
  ASSERT_FALSE(env.draws.empty());
  EXPECT_EQ(env.draws.back().caption, "Corrigindo Custo das transferencias");
  EXPECT_EQ(env.draws.back().action, "Corrigindo Custo das transferencias  PRODUTO:12");
  EXPECT_EQ(env.draws.back().percent_label, "100%");
  EXPECT_EQ(env.windows_closed, 1);
  EXPECT_EQ(recorder->log,
            (std::vector<std::string>{"BeginWork BPAtualizarBancoDeDados.CorrigirPrecoDaTransferencia",
                                      "EndWork BPAtualizarBancoDeDados.CorrigirPrecoDaTransferencia"}));

  // Without a session the failure carries the operation's place.
  BPAtualizarBancoDeDados alone;
  const Erro e = testing::FailureOf([&] { alone.CorrigirPrecoDaTransferencia(); });
  ASSERT_EQ(e.number, 91);
  EXPECT_EQ(e.source.substr(e.source.find(" -> ")),
            " -> BPAtualizarBancoDeDados.CorrigirPrecoDaTransferencia, ");
}

}  // namespace
}  // namespace bp
