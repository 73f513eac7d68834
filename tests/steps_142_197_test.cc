// The version steps 142 to 197 on a real SQLite station database.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/erro.h"
#include "bp/erros.h"
#include "bp/schema/model.h"
#include "steps_142_197_walk.h"
#include "support/db_checks.h"

namespace bp {
namespace {

using testing::ColumnLine;
using testing::StepWalk;
using testing::TextLines;
using testing::steps142::Range;

std::vector<std::string> Lines(const schema::Table& t) {
  return testing::ShapeLines(t, testing::kShapeReferredColumns | testing::kShapeUnique);
}

TEST(Steps142To197, CorrectTheDataAndKeepTheModelEqualToTheDatabase) {
  StepWalk walk(Range());
  testing::steps142::WalkWithRows(walk);
}

TEST(Steps142To197, TablesHaveTheirDocumentedShapes) {
  StepWalk walk(Range());
  walk.To(197);

  EXPECT_EQ(Lines(walk.Read("ItemEmpenho")), TextLines(R"(
Vl_Unitario money null
Qt_Unidade float null
No_Item tinyint not null
Id_Empenho varchar(18) not null
Cd_PessoaUsuaria int not null
Cd_Cliente int not null
Cd_Produto int not null
key XPKItemEmpenho (No_Item, Id_Empenho, Cd_PessoaUsuaria, Cd_Cliente)
index XIF183ItemEmpenho (Id_Empenho, Cd_PessoaUsuaria, Cd_Cliente)
index XIF186ItemEmpenho (Cd_PessoaUsuaria, Cd_Produto)
reference R_249 (Cd_PessoaUsuaria, Cd_Cliente, Id_Empenho) -> Empenho (Cd_PessoaUsuaria, Cd_Cliente, Id_Empenho)
reference R_253 (Cd_PessoaUsuaria, Cd_Produto) -> Produto (Cd_PessoaUsuaria, Cd_Produto)
)"));

  EXPECT_EQ(Lines(walk.Read("ContaAPagarDeNotaEntrada")), TextLines(R"(
Cd_PessoaUsuaria int not null
No_ContasAPagar int not null
Cd_Fornecedor int not null
Cd_TipoNF tinyint not null
No_Nota int not null
key XPKContaAPagarDeNotaEntrada (Cd_PessoaUsuaria, No_ContasAPagar, Cd_Fornecedor, Cd_TipoNF, No_Nota)
index XIF204ContaAPagarDeNotaEntrada (Cd_PessoaUsuaria, No_ContasAPagar)
index XIF205ContaAPagarDeNotaEntrada (Cd_PessoaUsuaria, Cd_Fornecedor, Cd_TipoNF, No_Nota)
reference R_247 (Cd_PessoaUsuaria, No_ContasAPagar) -> ContaAPagar (Cd_PessoaUsuaria, No_ContasAPagar)
reference R_248 (Cd_PessoaUsuaria, Cd_Fornecedor, Cd_TipoNF, No_Nota) -> NotaEntrada (Cd_PessoaUsuaria, Cd_Fornecedor, Cd_TipoNF, No_Nota)
)"));

  // Step 157 left the output items the constraints on columns that still
  // exist, and none on the fueling and piping-system columns.
  const schema::Table itens = walk.Read("ItemNotaSaida");
  std::vector<std::string> constraints = Lines(itens);
  constraints.erase(constraints.begin(), constraints.begin() + static_cast<long>(itens.columns.size()));
  EXPECT_EQ(constraints, TextLines(R"(
key XPKItemNotaSaida (Cd_PessoaUsuaria, Cd_TipoNF, No_Nota, No_Item)
index XIF70ItemNotaSaida (No_Nota, Cd_PessoaUsuaria, Cd_TipoNF)
index XIF71ItemNotaSaida (Cd_Produto, Cd_PessoaUsuaria)
index XIF74ItemNotaSaida (Cd_LancamentoCardex, Cd_PessoaUsuaria)
reference Car_IteNotFis (Cd_PessoaUsuaria, Cd_LancamentoCardex) -> Cardex (Cd_PessoaUsuaria, Cd_LancamentoCardex)
reference FK_ItemNotaSaida_NotaSaida (Cd_PessoaUsuaria, Cd_TipoNF, No_Nota) -> NotaSaida (Cd_PessoaUsuaria, Cd_TipoNF, No_Nota)
reference Pro_IteNotSai (Cd_PessoaUsuaria, Cd_Produto) -> Produto (Cd_PessoaUsuaria, Cd_Produto)
)"));

  // The sixteen tax-rate slots close the printer's columns, type before rate.
  const std::vector<schema::Column> ecf = walk.Read("ECF").columns;
  ASSERT_GE(ecf.size(), 32u);
  EXPECT_EQ(ColumnLine(ecf[ecf.size() - 32]), "Tp_T01 tinyint null");
  EXPECT_EQ(ColumnLine(ecf.back()), "Al_T16 money null");
  EXPECT_EQ(schema::FindColumn(walk.Read("EmpresaUsuaria"), "Dt_InicialLmc"), nullptr);
  EXPECT_EQ(schema::FindColumn(walk.Read("CupomFiscal"), "No_Cartao"), nullptr);
}

TEST(Steps142To197, Step164AsksTheHostAndFailsWithItsMessage) {
  StepWalk walk(Range({}, 7));
  walk.To(163);
  walk.stock.general_result = false;
  walk.stock.general_message = "Produto 10 sem movimento de abertura.";
  const Erro e = testing::FailureOf([&] { walk.To(164); });
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

TEST(Steps142To197, Step157FailsOnItsColumnsOnceTheKeysAreDone) {
  StepWalk walk(Range());
  walk.To(156);
  walk.Db().Execute("ALTER TABLE CupomFiscal ADD Vl_DescontoCF MONEY");
  EXPECT_THROW(walk.To(157), Erro);
  EXPECT_EQ(walk.Version(), 156);
  EXPECT_EQ(schema::FindColumn(walk.Read("EmpresaUsuaria"), "Ic_PermitirDescontoCF"), nullptr);
}

}  // namespace
}  // namespace bp
