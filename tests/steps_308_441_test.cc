// The version steps 308 to 441 on a real SQLite station database.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/schema/model.h"
#include "steps_308_441_walk.h"

namespace bp {
namespace {

using testing::StepWalk;
using testing::steps308::Range;

std::vector<std::string> Shape(const schema::Table& t) {
  return testing::ShapeLines(t, testing::kShapeReferredColumns);
}
std::vector<std::string> Shape(const std::string& text) { return testing::TextLines(text); }

TEST(Steps308To441, CorrectTheDataAndKeepTheModelEqualToTheDatabase) {
  StepWalk walk(Range());
  testing::steps308::WalkWithRows(walk);
}

TEST(Steps308To441, TablesHaveTheirDocumentedShapes) {
  StepWalk walk(Range());
  walk.To(441);

  EXPECT_EQ(Shape(walk.Read("DivergenciaCaixa")), Shape(R"(
Cd_Caixa int not null
Cd_TipoDivergenciaCaixa int not null
Vl_Divergencia money null
Ds_Divergencia varchar(200) null
key XPKDivergenciaCaixa (Cd_Caixa, Cd_TipoDivergenciaCaixa)
index XIF215DivergenciaCaixa (Cd_Caixa)
index XIF216DivergenciaCaixa (Cd_TipoDivergenciaCaixa)
reference R_296 (Cd_Caixa) -> Caixa (Cd_Caixa)
reference R_297 (Cd_TipoDivergenciaCaixa) -> TipoDivergenciaCaixa (Cd_TipoDivergenciaCaixa)
)"));

  // The history widened last, then the two columns of step 429.
  EXPECT_EQ(Shape(walk.Read("LanCaixaGeral")), Shape(R"(
Cd_PessoaUsuaria int not null
No_LancamentoCaixaGeral int not null
Dt_Lancamento datetime not null
Vl_Saldo money null
Vl_Lancamento money null
Ds_Historico varchar(200) null
Ic_LancamentoFeitoPeloSistema bit null
Cd_Caixa int null
key XPKLanCaixaGeral (Cd_PessoaUsuaria, No_LancamentoCaixaGeral)
index XIF187LanCaixaGeral (Cd_PessoaUsuaria)
index XIF220LanCaixaGeral (Cd_Caixa)
reference R_254 (Cd_PessoaUsuaria) -> EmpresaUsuaria (Cd_PessoaUsuaria)
reference R_301 (Cd_Caixa) -> Caixa (Cd_Caixa)
)"));

  // The entry items after their rebuild: the ICMS-ST columns last, the
  // situation code third, the key and the references restored.
  const schema::Table itens = walk.Read("ItemNotaEntrada");
  ASSERT_EQ(itens.columns.size(), 25u);
  EXPECT_EQ(itens.columns[2].name, "No_SitTributaria");
  EXPECT_EQ(itens.columns[23].name, "Vl_IcmsStAnterior");
  EXPECT_EQ(itens.columns[24].name, "Vl_BaseCalculoIcmsStAnterior");
  const auto lines = Shape(itens);
  for (const char* line :
       {"key ItemNotaEntrada_01 (Cd_PessoaUsuaria, No_Entrada, No_Item)",
        "index XIF81ItemNotaEntrada (Cd_ProdutoItem, Cd_PessoaUsuaria)",
        "reference Pro_IteNotEnt (Cd_PessoaUsuaria, Cd_ProdutoItem) -> Produto (Cd_PessoaUsuaria, "
        "Cd_Produto)",
        "reference R_207 (Cd_Cfop) -> CFOP (Cd_Cfop)"}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  }

  // The employees' bank data re-created as texts at the end of the table.
  const schema::Table funcionario = walk.Read("Funcionario");
  const auto lines_f = Shape(funcionario);
  const auto end = lines_f.begin() + static_cast<long>(funcionario.columns.size());
  EXPECT_EQ(std::vector<std::string>(end - 2, end), Shape(R"(
Cd_Agencia varchar(10) null
Cd_Conta varchar(20) null
)"));
}

}  // namespace
}  // namespace bp
