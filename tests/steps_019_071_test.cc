// Steps 19 to 71 on SQLite: the walk with its corrections, the final shapes
// of a few tables written out by hand, the failure of step 67, the row
// walk's retry after a closed connection.
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

using Names = std::vector<std::string>;

Names ColumnNames(const schema::Table& table) {
  Names names;
  for (const auto& column : table.columns) names.push_back(column.name);
  return names;
}

std::string TypeOf(const schema::Table& table, const std::string& column) {
  const schema::Column* c = schema::FindColumn(table, column);
  return c ? schema::CatalogueName(c->type) : "(missing)";
}

using testing::IndexNamed;
using testing::ReferenceNamed;

TEST(Steps019To071, WalkKeepsTheModelAndCorrectsTheRowsMadeForIt) {
  testing::StepWalk walk(testing::Steps019To071());
  testing::InsertVersion18Rows(walk);
  testing::WalkAndCheckCorrections(walk);

  // Final shapes of a few tables, written out here apart from the steps.
  const schema::Model db = schema::Introspect(walk.Db());
  const schema::Table& icf = db.Get("ItemCupomFiscal");
  // clang-format off
  EXPECT_EQ(ColumnNames(icf),
            (Names{"Cd_PessoaUsuaria", "No_Impressora", "No_CupomFiscal", "Dt_Emissao", "No_Item",
                   "Cd_Produto", "Qt_Unidade", "Vl_UnitTabela", "Vl_UnitVenda", "Vl_AltAut",
                   "Vl_AltDig", "No_SitTributaria", "Cd_Unidade", "Tx_Icms", "Tx_BaseCalculo",
                   "No_TribIcms", "Cd_SisTubulacao", "Cd_PonVen", "Cd_CFOP", "Cd_CompCFOP",
                   "Cd_Abastecimento", "Cd_LancamentoCardex", "Cd_Bomba"}));
  // clang-format on
  EXPECT_EQ(TypeOf(icf, "No_SitTributaria"), "varchar(3)");
  EXPECT_EQ(icf.primary_key->name, "XPKItemCupomFiscal");
  ASSERT_NE(ReferenceNamed(icf, "Pro_IteCupFis"), nullptr);
  EXPECT_EQ(ReferenceNamed(icf, "Pro_IteCupFis")->ref_table, "Produto");

  const schema::Table& ins = db.Get("ItemNotaSaida");
  EXPECT_EQ(ColumnNames(ins),
            (Names{"Cd_PessoaUsuaria", "No_Nota", "Cd_TipoNF", "No_Item", "Cd_Produto",
                   "Qt_Unidade", "Vl_UnitVenda", "No_SitTributaria", "Tx_Icms", "Cd_CfopItem",
                   "Cd_CompCFOP", "Tx_BaseCalculo", "No_TribIcms", "Cd_LancamentoCardex"}));
  EXPECT_EQ(ins.foreign_keys.size(), 3u);

  const schema::Table& produto = db.Get("Produto");
  EXPECT_EQ(produto.columns[7].name, "No_SitTributaria");
  EXPECT_EQ(TypeOf(produto, "No_SitTributaria"), "varchar(3)");
  EXPECT_EQ(TypeOf(produto, "Vl_CustoMedioInicial"), "float");
  // The nine other references to products are back.
  for (const std::string ref :
       {"Cardex.R_149", "Lmc.Pro_Lmc", "Bomba.Prod_Bom", "Tanque.R_199", "SisTubulacao.Pro_SisTub",
        "Descarga.R_163", "EstoqueSisTubulacao.Pro_EstSisTub", "CondEspecialPreco.Pro_ConEspPre",
        "ItemNotaEntrada.Pro_IteNotEnt"}) {
    const size_t dot = ref.find('.');
    EXPECT_NE(ReferenceNamed(db.Get(ref.substr(0, dot)), ref.substr(dot + 1)), nullptr) << ref;
  }

  const schema::Table& estoque = db.Get("EstoqueConsolidado");
  EXPECT_EQ(ColumnNames(estoque), (Names{"Cd_PessoaUsuaria", "Dt_Referencia", "Cd_Produto",
                                         "Vl_CustoMedio", "Qt_Estoque", "Vl_IcmsRecuperar"}));
  EXPECT_EQ(TypeOf(estoque, "Vl_CustoMedio"), "numeric(10,4)");
  EXPECT_EQ(TypeOf(estoque, "Qt_Estoque"), "numeric(10,3)");
  ASSERT_NE(IndexNamed(estoque, "EstoqueConsolidado_01"), nullptr);
  EXPECT_EQ(IndexNamed(estoque, "EstoqueConsolidado_01")->columns,
            (Names{"Cd_PessoaUsuaria", "Dt_Referencia", "Qt_Estoque"}));

  const schema::Table& nota = db.Get("NotaSaida");
  EXPECT_EQ(TypeOf(nota, "Ic_Cancelada"), "bit");
  ASSERT_NE(ReferenceNamed(nota, "R_221"), nullptr);
  EXPECT_EQ(ReferenceNamed(nota, "R_221")->ref_table, "Pessoa");
  EXPECT_NE(IndexNamed(nota, "XIF159NotaSaida"), nullptr);
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
