// The version steps 200 to 297 on a real SQLite station database.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bp/schema/model.h"
#include "steps_200_297_walk.h"

namespace bp {
namespace {

using testing::RowTexts;
using testing::StepWalk;
using testing::steps200::Day;
using testing::steps200::Range;

TEST(Steps200To297, CorrectTheData) {
  StepWalk w(Range());
  testing::steps200::WalkWithRows(w);
  db::Connection& db = w.Db();

  // 229: receipts up to 500 000 get False, the others stay empty.
  EXPECT_EQ(
      RowTexts(db, "SELECT No_Recebimento, Ic_AjusteTipoRecebimento FROM Recebimento ORDER BY 1"),
      (std::vector<std::string>{"1|Falso", "10000|Falso", "500000|Falso", "500001|-", "750000|-"}));

  // 245: the earliest record of each person; the server's date for the rest.
  const auto pessoas = db.Query("SELECT Cd_Pessoa, Dt_Inclusao FROM Pessoa ORDER BY 1");
  ASSERT_EQ(pessoas.Rows().size(), 6u);                // persons 1 to 5 and 9
  EXPECT_EQ(Day(pessoas.Rows()[1][1]), "2006-03-01");  // coupon before receivable
  EXPECT_EQ(Day(pessoas.Rows()[2][1]), "2007-01-02");  // receipt under its CPF
  EXPECT_EQ(Day(pessoas.Rows()[3][1]), "2005-07-07");  // cash register it opened
  for (const size_t i : {0u, 4u, 5u}) {
    ASSERT_FALSE(pessoas.Rows()[i][1].IsNull()) << i;
    EXPECT_GE(pessoas.Rows()[i][1].ToDate().Year(), 2025) << i;
  }

  // 240, 255, 256, 266: the new settings in every row.
  EXPECT_EQ(RowTexts(db, "SELECT Qt_DiferencaInventarioEstoque FROM Produto"),
            (std::vector<std::string>{"0", "0"}));
  EXPECT_EQ(RowTexts(db, "SELECT No_TipoTelaInicialDeVendas, Cd_ModeloECF FROM EmpresaUsuaria"),
            (std::vector<std::string>{"1|2", "1|2"}));
  EXPECT_EQ(db.Query("SELECT Vl_DescontoCF FROM Caixa").Field(0).ToDouble(), 0.0);
}

TEST(Steps200To297, TablesReachTheirFinalShapes) {
  StepWalk w(Range());
  w.To(297);
  EXPECT_EQ(w.compared,
            (std::vector<int32_t>{26,  200, 206, 207, 210, 212, 216, 218, 225, 229, 240, 244,
                                  245, 255, 256, 259, 266, 272, 275, 277, 278, 286, 295, 297}));

  const schema::Table log = w.Read("LogLiberacaoBico");
  std::vector<std::string> columns;
  for (const auto& c : log.columns) columns.push_back(testing::ColumnLine(c));
  EXPECT_EQ(columns, testing::TextLines(R"(
Cd_PessoaUsuaria int not null
No_Liberacao int not null
Cd_Bomba tinyint not null
Cd_Caixa int not null
Cd_Veiculo varchar(8) null
Dt_Liberacao datetime not null
Ic_BaixaAutomatica bit null
No_TipoPagamento tinyint null
No_TipoVencimento tinyint null
Cd_Funcionario int null
No_TipoHardware smallint null
)"));
  ASSERT_TRUE(log.primary_key.has_value());
  EXPECT_EQ(log.primary_key->name, "XPKLogLiberacaoBico");
  const schema::ForeignKey* r281 = testing::ReferenceNamed(log, "R_281");
  ASSERT_NE(r281, nullptr);
  EXPECT_EQ(r281->name, "R_281");
  EXPECT_EQ(r281->ref_table, "Bomba");
  EXPECT_EQ(r281->columns, (std::vector<std::string>{"Cd_PessoaUsuaria", "Cd_Bomba"}));

  // ECF ends with slots 17 to 20, the model, the re-created serial, its
  // enciphered form and the receipt setting moved from the company.
  const schema::Table ecf = w.Read("ECF");
  std::vector<std::string> tail;
  for (size_t i = ecf.columns.size() - 12; i < ecf.columns.size(); ++i) {
    tail.push_back(ecf.columns[i].name);
  }
  EXPECT_EQ(tail, (std::vector<std::string>{"Tp_T17", "Al_T17", "Tp_T18", "Al_T18", "Tp_T19",
                                            "Al_T19", "Tp_T20", "Al_T20", "Cd_ModeloECF",
                                            "No_Serie", "No_SerieCriptografada",
                                            "Ic_EmitirComprovanteVinculadoVendasACredito"}));
  EXPECT_EQ(schema::CatalogueName(ecf.columns[ecf.columns.size() - 3].type), "varchar(100)");
  EXPECT_EQ(
      schema::FindColumn(w.Read("EmpresaUsuaria"), "Ic_EmitirComprovanteVinculadoVendasACredito"),
      nullptr);

  // Usuario_02 is unique now: the same login and password twice is refused.
  w.Exec(
      {"INSERT INTO Usuario (Cd_PessoaUsuaria, Cd_Usuario, Nm_Usuario, Ds_CriptoSenha) "
       "VALUES (1, 1, 'GERENTE', 'X')"});
  EXPECT_ANY_THROW(
      w.Exec({"INSERT INTO Usuario (Cd_PessoaUsuaria, Cd_Usuario, Nm_Usuario, "
              "Ds_CriptoSenha) VALUES (1, 2, 'GERENTE', 'X')"}));
}

}  // namespace
}  // namespace bp
