// The version steps 445 to 500 on a real SQLite station database, and the
// walk of every step of the library from version 18 to the last.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bp/erro.h"
#include "bp/schema/model.h"
#include "steps_445_500_walk.h"

namespace bp {
namespace {

using testing::StepWalk;
using testing::steps445::Range;

std::vector<std::string> Lines(const schema::Table& t) {
  return testing::ShapeLines(t, testing::kShapeDefaults);
}
std::vector<std::string> Lines(const std::string& text) { return testing::TextLines(text); }

TEST(Steps445To500, CorrectTheDataAndKeepTheModelEqualToTheDatabase) {
  StepWalk walk(Range());
  testing::steps445::WalkWithRows(walk);

  // The printer models went in in the documented order.
  std::vector<std::string> inserted;
  for (const auto& row :
       walk.Rows("SELECT Cd_Modelo, Cd_Versao, Ds_ModeloECF, "
                 "Ds_VersaoSoftwareBasicoECF FROM IdentificacaoECF ORDER BY rowid")) {
    inserted.push_back(std::to_string(row[0].ToInt32()) + " " + std::to_string(row[1].ToInt32()) +
                       " " + row[2].ToText() + " " + row[3].ToText());
  }
  EXPECT_EQ(inserted, testing::steps445::DocumentedPrinters());
}

TEST(Steps445To500, TablesHaveTheirDocumentedShapes) {
  StepWalk walk(Range());
  walk.To(500);

  EXPECT_EQ(Lines(walk.Read("LogDocumentoEmitidoECF")), Lines(R"(
Cd_PessoaUsuaria int not null
No_Impressora tinyint not null
Dt_Emissao datetime not null
No_COO int not null
Ds_TipoDocumento varchar(3) not null
Dt_Inicio datetime not null
No_ContadorGNF int null
No_ContadorGRG int null
No_ContadorCDC int null
Dt_Fim datetime not null
Ic_Sangria bit not null default False
Ic_Suprimento bit not null default False
Vl_Documento money null
key PK_LogDocumentoEmitidoECF (Cd_PessoaUsuaria, No_Impressora, Dt_Emissao, No_COO)
reference FK_LogDocumentoEmitidoECF_ECF (Cd_PessoaUsuaria, No_Impressora) -> ECF
)"));

  EXPECT_EQ(Lines(walk.Read("PDV")), Lines(R"(
Cd_PessoaUsuaria int not null
Cd_PDV int not null
Nm_PDV varchar(20) null
Nm_BancoDeDados varchar(50) null
Ds_InstanciaBancoDeDados varchar(50) null
key XPKPDV (Cd_PessoaUsuaria, Cd_PDV)
index XIF222PDV (Cd_PessoaUsuaria)
reference R_304 (Cd_PessoaUsuaria) -> EmpresaUsuaria
)"));

  // The Z reduction ends with the printer identification of step 470 and
  // the software version that step 500 widened.
  const std::vector<std::string> reducao = Lines(walk.Read("ReducaoZ"));
  const auto tail =
      std::find(reducao.begin(), reducao.end(), "Vl_TotalizadorAcrescimosNaoFiscais money null");
  ASSERT_NE(tail, reducao.end());
  EXPECT_EQ(std::vector<std::string>(tail + 1, tail + 11), Lines(R"(
Ds_LetraIndicativaMemoriaAdicional varchar(5) null
Ds_TipoECF varchar(7) null
Ds_MarcaECF varchar(15) null
Ds_ModeloECF varchar(20) null
Dt_InstalacaoSoftwareECF datetime null
No_CnpjEmpresaUsuariaECF varchar(20) null
Cd_IEstadualEmpresaUsuariaECF varchar(20) null
Ic_PermiteDescontoISS bit null
Ds_VersaoSoftwareBasicoECF varchar(20) null
key ReducaoZICF_01 (Cd_PessoaUsuaria, Dt_Movimento, No_Impressora)
)"));
  EXPECT_EQ(std::count_if(reducao.begin(), reducao.end(),
                          [](const std::string& l) { return l.rfind("Tp_T", 0) == 0; }),
            20);

  // The performance indexes stand on their documented key columns (SQLite
  // keeps no included columns).
  testing::steps445::ExpectDocumentedIndexes(schema::Introspect(walk.Db()));
}

// Step 451 goes on when the form's table is already there; the seeded
// layout belongs to the session's company.
TEST(Steps445To500, Step451KeepsAnExistingFormTableAndSeedsTheSessionCompany) {
  StepWalk walk(Range({}, 7));
  walk.Db().Execute(
      "CREATE TABLE LayOutNotaFiscalSaida (Cd_PessoaUsuaria INT NOT NULL, Qt_LarguraPapel INT "
      "NOT NULL, Qt_ComprimentoPapel INT NOT NULL, CONSTRAINT XPKLayOutNotaFiscalSaida "
      "PRIMARY KEY (Cd_PessoaUsuaria))");
  walk.To(451);
  EXPECT_EQ(walk.Version(), 451);
  EXPECT_EQ(walk.compared, (std::vector<int32_t>{444, 445, 451}));
  EXPECT_EQ(testing::steps445::StoredLayoutForm(walk, 7),
            (std::vector<int32_t>{8000, 0, 111, 52, 115, 1}));
  EXPECT_EQ(testing::steps445::StoredLayoutFields(walk, 7).size(), 40u);
  const schema::Table form = walk.Read("LayOutNotaFiscalSaida");
  EXPECT_EQ(form.columns.size(), 7u);
  ASSERT_EQ(form.foreign_keys.size(), 1u);
  EXPECT_EQ(form.foreign_keys[0].name, "R_188");
}

// From the fields' table on, a failure fails the step and the turn.
TEST(Steps445To500, Step451FailsWhenTheFieldsTableExists) {
  StepWalk walk(Range());
  walk.Db().Execute("CREATE TABLE LayOutCamposNotaFiscalSaida (Cd_PessoaUsuaria INT NOT NULL)");
  EXPECT_THROW(walk.To(451), Erro);
  EXPECT_EQ(walk.Version(), 450);
  EXPECT_EQ(schema::Introspect(walk.Db()).Find("LayOutNotaFiscalSaida"), nullptr);
}

}  // namespace
}  // namespace bp
