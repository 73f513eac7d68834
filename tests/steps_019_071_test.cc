// Steps 19 to 71 on SQLite: the walk with its corrections, the failure of
// step 67, the row walk's retry after a closed connection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/erro.h"
#include "bp/erros.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "schema/steps/correction_rows.h"
#include "station/session/sessao.h"
#include "steps_019_071_scenario.h"
#include "support/db_checks.h"
#include "support/step_walk.h"
#include "support/test_env.h"

namespace bp {
namespace {

TEST(Steps019To071, WalkKeepsTheModelAndCorrectsTheRowsMadeForIt) {
  testing::StepWalk walk(testing::Steps019To071());
  testing::InsertVersion18Rows(walk);
  testing::WalkAndCheckCorrections(walk);
}

TEST(Steps019To071, Step67FailsNamingAProductItCannotRecompute) {
  testing::StepWalk walk(testing::Steps019To071());
  // A product of another company bought through an entry invoice: the user
  // company has no such product to recompute.
  walk.Exec({
      "INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa) VALUES (2, 'OUTRO'), (3, 'FORNECEDOR')",
      "INSERT INTO EmpresaUsuaria (Cd_PessoaUsuaria) VALUES (2)",
      "INSERT INTO GrupoProduto (Cd_GrupoProduto, Nm_GrupoProduto) VALUES (1, 'GERAL')",
      "INSERT INTO ContaContabil (Cd_PessoaUsuaria, Cd_ContaContabil, Nm_ContaContabil) "
      "VALUES (2, 1, 'MARGEM')",
      "INSERT INTO Produto (Cd_PessoaUsuaria, Cd_Produto, Nm_Produto, Cd_GrupoProduto, "
      "Fl_VendBomba, Cd_ContaMargemContribuicao) VALUES (2, 7, 'GRAXA', 1, 0, 1)",
      "INSERT INTO Cardex (Cd_PessoaUsuaria, Cd_LancamentoCardex, Cd_Produto, Dt_Emissao, "
      "No_Tipo, Qt_Unidade, Vl_Unitario) VALUES (2, 1, 7, '2005-03-01 00:00:00', 10, 5, 2)",
      "INSERT INTO TipoNF (Cd_TipoNF) VALUES (1)",
      "INSERT INTO Fornecedor (Cd_PessoaUsuaria, Cd_Fornecedor) VALUES (2, 3)",
      "INSERT INTO NotaEntrada (No_Entrada, Cd_PessoaUsuaria, Cd_Fornecedor, Cd_TipoNF, No_Nota) "
      "VALUES (1, 2, 3, 1, 10)",
      "INSERT INTO ItemNotaEntrada (Cd_PessoaUsuaria, No_Entrada, No_Item, Cd_ProdutoItem, "
      "Qt_UnidadeItem, Vl_UnitFinal, Cd_LancamentoCardex) VALUES (2, 1, 1, 7, 5, 2, 1)",
  });
  const Erro e = testing::FailureOf([&] { walk.To(67); });
  EXPECT_EQ(e.number, kErroNegocio);
  EXPECT_EQ(e.description, "Erro na atualização do cardex, produto:7");
  EXPECT_EQ(walk.Version(), 66);
  EXPECT_EQ(schema::FindColumn(schema::Introspect(walk.Db()).Get("Produto"),
                               "Ic_PermitidoVenderFracaoDeUnidade"),
            nullptr);
}

TEST(Steps019To071, RowWalkResumesAtTheFailedRowAfterAClosedConnection) {
  testing::TestEnv env;
  station::Sessao session(station::Configuracao{env.Path("linhas.db")});
  schema::Model model;
  const schema::Step step{48, schema::Tolerance::kNone, {}};
  schema::StepContext c(session, env, model, step);

  db::Recordset rows({"n"}, {{Value(1)}, {Value(2)}, {Value(3)}});
  std::vector<int32_t> done;
  int32_t failures = 1;
  const auto statement = [&](const db::Recordset& r) {
    const int32_t n = r["n"].ToInt32();
    if (n == 2 && failures-- > 0) throw Erro(rt::kObjectClosed, "fechada");
    done.push_back(n);
  };
  schema::correction::ForEachRow(c, rows, {"Acrescentando", true}, statement);
  EXPECT_EQ(done, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(env.sleeps, (std::vector<int32_t>{1000}));
  ASSERT_FALSE(env.draws.empty());
  EXPECT_EQ(env.draws.back().caption, "Atualização do banco de dados");
  EXPECT_EQ(env.draws.back().action, "Acrescentando");
  EXPECT_EQ(env.draws.back().percent_label, "100%");

  // Without the retry the error goes up; an empty selection opens no window.
  rows.MoveFirst();
  failures = 1;
  done.clear();
  EXPECT_THROW(schema::correction::ForEachRow(c, rows, {}, statement), Erro);
  EXPECT_EQ(done, (std::vector<int32_t>{1}));
  const int windows = env.windows_created;
  db::Recordset none({"n"}, {});
  schema::correction::ForEachRow(c, none, {"Nada", true}, statement);
  EXPECT_EQ(env.windows_created, windows);
}

}  // namespace
}  // namespace bp
