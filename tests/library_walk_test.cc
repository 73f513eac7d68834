// The library's version steps on a real SQLite station database: the whole
// walk from version 18 with the rows of every data correction, ending at the
// catalogue; the steps' tolerances; and the steps that must fail or must
// cope with what they find.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/erro.h"
#include "bp/erros.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "catalogue/catalogue.h"
#include "schema/steps/correction_rows.h"
#include "station/session/sessao.h"
#include "support/correction_walk.h"
#include "support/db_checks.h"
#include "support/step_walk.h"
#include "support/test_env.h"

namespace bp::testing {
namespace {

// A new station database at version 18 carried by every step of the library
// to the last version, the rows of every data correction written along the
// way, with the driver's model equal to the database after each step and
// both equal to the catalogue at the end.
TEST(LibraryWalk, CarriesANewDatabaseFromVersion18ToTheCatalogue) {
  StepWalk walk;
  WalkWithCorrectionRows(walk);
  EXPECT_EQ(walk.compared.size(), schema::LibrarySteps().Size());
  ASSERT_NE(walk.Model(), nullptr);
  const schema::Dialect& dialect = schema::DialectFor(walk.Db().Kind());
  EXPECT_EQ(CatalogueDifferences(*walk.Model(), dialect, false), "");
  EXPECT_EQ(CatalogueDifferences(schema::Introspect(walk.Db()), dialect, true), "");
  walk.To(501);
  EXPECT_EQ(walk.Version(), 501);
}

TEST(LibraryWalk, OnlyTheDocumentedStepsTolerateFailures) {
  using schema::Tolerance;
  const std::vector<std::pair<int32_t, Tolerance>> tolerant = {
      {117, Tolerance::kSkipAll},
      {120, Tolerance::kSkipAll},
      {157, Tolerance::kSkipUntilMarked},
      {272, Tolerance::kSkip380AndIntegrity},
      {451, Tolerance::kSkipUntilMarked}};
  size_t found = 0;
  for (int32_t version = 18; version <= 500; ++version) {
    const schema::Step* step = schema::LibrarySteps().Find(version);
    if (step == nullptr) continue;
    Tolerance expected = Tolerance::kNone;
    for (const auto& [number, tolerance] : tolerant)
      if (number == step->number) expected = tolerance, ++found;
    EXPECT_EQ(step->tolerance, expected) << step->number;
  }
  EXPECT_EQ(found, tolerant.size());
}

// With nothing to repair, steps 66, 67, 106 and 107 create no
// recomputation and open no window.
TEST(LibraryWalk, EmptySelectionsNeedNoRecomputationNorWindow) {
  StepWalk w;
  w.stock.scripted = true;
  w.To(107);
  EXPECT_EQ(w.stock.objects_created, 0);
  EXPECT_EQ(w.env.windows_created, 0);
}

TEST(LibraryWalk, Step67FailsNamingAProductItCannotRecompute) {
  StepWalk walk;
  // A product of another company bought through an entry invoice: the user
  // company has no such product to recompute.
  walk.Exec({
      "INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa) VALUES (2, 'OUTRO'), (3, 'FORNECEDOR')",
      "INSERT INTO EmpresaUsuaria (Cd_PessoaUsuaria) VALUES (2)",
      "INSERT INTO GrupoProduto (Cd_GrupoProduto, Nm_GrupoProduto) VALUES (1, 'GERAL')",
      "INSERT INTO ContaContabil (Cd_PessoaUsuaria, Cd_ContaContabil, Nm_ContaContabil) "
      "VALUES (2, 1, 'MARGEM')",
  });
  InsertProducts(walk.Db(), {"7, 'GRAXA', 0"}, 2);
  walk.Exec({
      "INSERT INTO Cardex (Cd_PessoaUsuaria, Cd_LancamentoCardex, Cd_Produto, Dt_Emissao, "
      "No_Tipo, Qt_Unidade, Vl_Unitario) VALUES (2, 1, 7, '2005-03-01 00:00:00', 10, 5, 2)",
      "INSERT INTO TipoNF (Cd_TipoNF) VALUES (1)",
      "INSERT INTO Fornecedor (Cd_PessoaUsuaria, Cd_Fornecedor) VALUES (2, 3)",
      "INSERT INTO NotaEntrada (No_Entrada, Cd_PessoaUsuaria, Cd_Fornecedor, Cd_TipoNF, No_Nota) "
      "VALUES (1, 2, 3, 1, 10)",
      "INSERT INTO ItemNotaEntrada (Cd_PessoaUsuaria, No_Entrada, No_Item, Cd_ProdutoItem, "
      "Qt_UnidadeItem, Vl_UnitFinal, Cd_LancamentoCardex) VALUES (2, 1, 1, 7, 5, 2, 1)",
  });
  const Erro e = FailureOf([&] { walk.To(67); });
  EXPECT_EQ(e.number, kErroNegocio);
  EXPECT_EQ(e.description, "Erro na atualização do cardex, produto:7");
  EXPECT_EQ(walk.Version(), 66);
  EXPECT_EQ(schema::FindColumn(walk.Read("Produto"), "Ic_PermitidoVenderFracaoDeUnidade"), nullptr);
}

TEST(LibraryWalk, RowWalkResumesAtTheFailedRowAfterAClosedConnection) {
  TestEnv env;
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

TEST(LibraryWalk, Step164AsksTheHostAndFailsWithItsMessage) {
  StepWalk walk({.banco = {}, .company = 7});
  walk.stock.scripted = true;
  walk.To(163);
  walk.stock.general_result = false;
  walk.stock.general_message = "Produto 10 sem movimento de abertura.";
  const Erro e = FailureOf([&] { walk.To(164); });
  EXPECT_EQ(e.number, kErroNegocio);
  EXPECT_EQ(e.description, "Produto 10 sem movimento de abertura.");
  EXPECT_NE(e.source.find(" -> BPAtualizarBancoDeDados.AtualizarVersao164, "), std::string::npos)
      << e.source;
  EXPECT_EQ(walk.Version(), 163);

  walk.stock.general_result = true;
  walk.To(164);
  EXPECT_EQ(walk.Version(), 164);
  ASSERT_EQ(walk.stock.general_calls.size(), 2u);
  for (const auto& [company, start] : walk.stock.general_calls) {
    EXPECT_EQ(company, 7);
    EXPECT_EQ(start, DateTime::Of(2005, 1, 1));
  }
}

TEST(LibraryWalk, Step157FailsOnItsColumnsOnceTheKeysAreDone) {
  StepWalk walk;
  walk.To(156);
  walk.Db().Execute("ALTER TABLE CupomFiscal ADD Vl_DescontoCF MONEY");
  EXPECT_THROW(walk.To(157), Erro);
  EXPECT_EQ(walk.Version(), 156);
  EXPECT_EQ(schema::FindColumn(walk.Read("EmpresaUsuaria"), "Ic_PermitirDescontoCF"), nullptr);
}

// Step 451 goes on when the form's table is already there (what is written
// before the first turn is part of the driver's starting model); the seeded
// layout belongs to the session's company.
TEST(LibraryWalk, Step451KeepsAnExistingFormTableAndSeedsTheSessionCompany) {
  StepWalk walk({.banco = {}, .company = 7});
  walk.Db().Execute(
      "CREATE TABLE LayOutNotaFiscalSaida (Cd_PessoaUsuaria INT NOT NULL, Qt_LarguraPapel INT "
      "NOT NULL, Qt_ComprimentoPapel INT NOT NULL, CONSTRAINT XPKLayOutNotaFiscalSaida "
      "PRIMARY KEY (Cd_PessoaUsuaria))");
  walk.To(451);
  EXPECT_EQ(walk.Version(), 451);
  EXPECT_EQ(StoredLayoutForm(walk, 7), (std::vector<int32_t>{8000, 0, 111, 52, 115, 1}));
  EXPECT_EQ(StoredLayoutFields(walk, 7).size(), 40u);
  const schema::Table form = walk.Read("LayOutNotaFiscalSaida");
  EXPECT_EQ(form.columns.size(), 7u);
  ASSERT_EQ(form.foreign_keys.size(), 1u);
  EXPECT_EQ(form.foreign_keys[0].name, "R_188");
}

// From the fields' table on, a failure fails the step and the turn.
TEST(LibraryWalk, Step451FailsWhenTheFieldsTableExists) {
  StepWalk walk;
  walk.Db().Execute("CREATE TABLE LayOutCamposNotaFiscalSaida (Cd_PessoaUsuaria INT NOT NULL)");
  EXPECT_THROW(walk.To(451), Erro);
  EXPECT_EQ(walk.Version(), 450);
  EXPECT_EQ(schema::Introspect(walk.Db()).Find("LayOutNotaFiscalSaida"), nullptr);
}

}  // namespace
}  // namespace bp::testing
