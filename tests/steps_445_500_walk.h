// The walk of the version steps 445 to 500, shared by the SQLite and the
// PostgreSQL tests: a stand-in for what earlier steps create, the
// documented layout and printer models written out again
// independently of the steps, and rows made for the data corrections with
// the checks of their effects.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "bp/erro.h"
#include "bp/schema/base_schema.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "bp/schema/shorthands.h"
#include "bp/schema/version_step.h"
#include "schema/steps/steps.h"
#include "support/step_walk.h"

namespace bp::testing::steps445 {

// Stand-in for the earlier steps whose tables and columns steps 445 to 500
// build on: the commitments (step 148), the pump automation (162), the tax
// columns renamed by step 19 and the CFOP column renamed by 71, and the
// columns that the indexes of 453 to 470 carry (steps 92, 131, 157, 162,
// 174, 229, 295, 321, 373) or that step 473 widens (383).
inline void AddEarlierSteps(schema::StepTable& t) {
  using namespace schema;
  t.Add(Step{444, Tolerance::kNone, [](StepContext& c) {
               const std::string emp = "Cd_PessoaUsuaria";
               auto add = [&](const char* table, const char* name, ColumnType type) {
                 c.Run(AddColumn{table, Nullable(name, type)});
               };
               c.Run(CreateTable{{"Empenho",
                                  {NotNull("Id_Empenho", VarChar(18)), NotNull(emp, Int()),
                                   NotNull("Cd_Cliente", Int())},
                                  PrimaryKey{"XPKEmpenho", {emp, "Cd_Cliente", "Id_Empenho"}}}});
               c.Run(CreateTable{{"AutomacaoBomba",
                                  {NotNull(emp, Int()),
                                   {"Nm_ComputadorAutomacao", VarChar(30), Nullability::kNull}},
                                  PrimaryKey{"XPKAutomacaoBomba", {emp}}}});
               for (const char* table : {"ItemCupomFiscal", "ItemNotaSaida"}) {
                 c.Run(RenameColumn{table, v18::kSitTributaria, "No_SitTributaria"});
                 c.Run(RenameColumn{table, v18::kTribIcms, "No_TribIcms"});
               }
               c.Run(RenameColumn{"ItemNotaSaida", "Cd_Cfop", "Cd_CfopItem"});
               c.Run(RenameColumn{"ItemNotaEntrada", v18::kSitTributaria, "No_SitTributaria"});
               add("CupomFiscal", "Ic_BaixaAutomatica", Bit());
               add("CupomFiscal", "Vl_DescontoCF", MoneyType());
               add("CupomFiscal", "Cd_Vendedor", Int());
               add("CupomFiscal", "Dt_Movimento", DateTimeType());
               add("ItemCupomFiscal", "Qt_KmPorLitro", MoneyType());
               add("ItemCupomFiscal", "Vl_ComissaoVendedor", MoneyType());
               add("ItemCupomFiscal", "Vl_AltFinalCupom", MoneyType());
               for (const char* table : {"ItemNotaSaida", "ItemNotaEntrada"}) {
                 add(table, "Vl_IcmsStAnterior", MoneyType());
                 add(table, "Vl_BaseCalculoIcmsStAnterior", MoneyType());
               }
               add("Recebimento", "Ic_Suprimento", Bit());
               add("Recebimento", "Ic_AjusteTipoRecebimento", Bit());
               add("Lmc", "Ds_Precos", VarChar(20));
             }});
}

// A version-18 database of `company` walked by the driver with steps 445 to
// 500 and the stand-in. What the test writes into the database before the
// first walk is part of the driver's starting model.
inline StepWalkOptions Range(const std::string& banco = {}, int32_t company = 1) {
  return WalkOver({AddEarlierSteps, schema::AddSteps445To500}, banco, company);
}

// The user company's default invoice layout as documented:
// field, left, top, twice per line.
inline const char* const kDocumentedLayout = R"(
| X | 99 | 0 | Cd_Produto | 0 | 0 |
| No_Nota1 | 135 | 0 | Nm_Produto | 12 | 0 |
| No_Nota2 | 159 | 0 | Cd_CfopItem | 78 | 0 |
| Cd_Operacao | 16 | 0 | No_SitTributaria | 86 | 0 |
| Cd_Cfop | 34 | 16 | Cd_Unidade | 92 | 0 |
| Nm_Pessoa | 0 | 25 | Qt_Unidade | 97 | 0 |
| Cd_Pessoa | 83 | 25 | Vl_UnitVenda | 113 | 0 |
| Cd_CgcCpf | 100 | 25 | Vl_TotalItem | 124 | 0 |
| Dt_Emissao | 135 | 25 | Tx_Icms | 141 | 0 |
| Nm_Logradouro | 0 | 31 | Vl_BasCalIcms | 0 | 133 |
| Nm_Bairro | 59 | 31 | Vl_Icms | 24 | 133 |
| Cd_Ep | 114 | 31 | Vl_BasCalIcmsST | 51 | 133 |
| Dt_Emissao2 | 135 | 31 | Vl_IcmsST | 80 | 133 |
| Nm_Cidade | 0 | 37 | Vl_TotProd | 106 | 133 |
| Cd_Telefone | 49 | 37 | Vl_Frete | 0 | 139 |
| Ds_SiglaUF | 89 | 37 | Vl_Seguro | 24 | 139 |
| Cd_IEstRg | 97 | 37 | Vl_OutrasDespesas | 51 | 139 |
| Hr_Emissao | 135 | 37 | Vl_IPI | 80 | 139 |
| Cd_Veiculo | 11 | 176 | Vl_TotalLiquido | 106 | 139 |
| No_Km | 28 | 176 | Dt_Vencimento | 43 | 176 |
)";

// "name left top" per field, sorted by name.
inline std::vector<std::string> DocumentedLayoutFields() {
  std::vector<std::string> fields;
  std::istringstream in(kDocumentedLayout);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> cells;
    std::istringstream row(line);
    for (std::string cell; std::getline(row, cell, '|');) {
      cell.erase(0, cell.find_first_not_of(' '));
      cell.erase(cell.find_last_not_of(' ') + 1);
      if (!cell.empty()) cells.push_back(cell);
    }
    for (size_t i = 0; i + 2 < cells.size(); i += 3) {
      fields.push_back(cells[i] + " " + cells[i + 1] + " " + cells[i + 2]);
    }
  }
  std::sort(fields.begin(), fields.end());
  return fields;
}

// The printer models and versions of step 470 as documented:
// per model code and text, the version codes with their texts.
inline const char* const kDocumentedPrinters =
    "02 'ECF-IF MP-20 FI': 02 '2.10', 03 '2.12'; 01 'Kit ECF-IF FM-20 FI': 01 '2.12'; 02 'MP-20 "
    "FI': 01 '2.0 2'; 03 'MP-20 FI DUAL': 01 'VER03.15'; 04 'MP-20 FI DUAL R': 01 'VER03.21'; 05 "
    "'MP-20 FI II': 02 '03.05', 03 '03.10', 01 'VER.03.00', 04 'VER03.15', 05 'VER03.22', 06 "
    "'VER03.25', 07 'VER03.26', 08 'VER03.31', 09 'VER03.30'; 06 'MP-20 FI II R': 01 '03.00', 02 "
    "'03.10', 03 'VER03.20'; 07 'MP-20 FI R': 01 '1.10'; 08 'MP-2000 TH FI': 01 '01.00.00', 02 "
    "'01.00.01', 03 '01.01.01', 04 '01.02.02', 05 '01.03.02', 06 '01.03.03'; 09 'MP-2100 TH FI': "
    "01 '01.00.00', 02 '01.01.00'; 10 'MP-25 FI': 01 '01.00.00', 02 '01.01.01', 03 '01.02.02', 04 "
    "'01.03.02'; 11 'MP-30 FI': 01 '2.12'; 19 'MP-3000 TH FI': 01 '01.00.00', 02 '01.01.00', 03 "
    "'01.01.01'; 12 'MP-40 FI': 01 '2.12', 02 '2.13'; 13 'MP-40 FI II': 02 '03.05', 03 '03.10', 01 "
    "'VER.03.00', 04 'VER03.21'; 14 'MP-40 FI II R': 01 '03.00', 02 '03.10'; 15 'MP-45 FI': 01 "
    "'VER03.21'; 16 'MP-50 FI': 02 '01.00.00', 01 '2.12'; 17 'MP-6000 TH FI': 01 '01.00.00', 02 "
    "'01.01.01', 03 '01.02.02', 04 '01.03.02', 05 '01.03.03'; 18 'MP-6100 TH FI': 01 '01.01.02', "
    "02 '01.03.02'; 20 'MP-7000 TH FI': 01 '01.00.01'; 21 'MP-4000 TH FI': 01 '0100'";

// "model version model-text version-text" per row, in the documented order.
inline std::vector<std::string> DocumentedPrinters() {
  static const std::regex group(R"((\d+) '([^']*)': ([^;]*))");
  static const std::regex version(R"((\d+) '([^']*)')");
  const std::string text = kDocumentedPrinters;
  std::vector<std::string> rows;
  for (std::sregex_iterator g(text.begin(), text.end(), group), end; g != end; ++g) {
    const std::string versions = (*g)[3];
    for (std::sregex_iterator v(versions.begin(), versions.end(), version); v != end; ++v) {
      rows.push_back(std::to_string(std::stoi((*g)[1])) + " " + std::to_string(std::stoi((*v)[1])) +
                     " " + (*g)[2].str() + " " + (*v)[2].str());
    }
  }
  return rows;
}


// "name left top" of the layout fields stored for `company`, sorted by name.
inline std::vector<std::string> StoredLayoutFields(StepWalk& walk, int32_t company) {
  std::vector<std::string> fields;
  for (const auto& row :
       walk.Rows("SELECT Nm_Campo, Qt_DistanciaEsquerdaEmMilimetro, Qt_DistanciaTopoEmMilimetro, "
                 "Qt_Caracter FROM LayOutCamposNotaFiscalSaida WHERE Cd_PessoaUsuaria = " +
                 std::to_string(company))) {
    EXPECT_EQ(row[3].ToInt32(), 0) << row[0].ToText();
    fields.push_back(row[0].ToText() + " " + std::to_string(row[1].ToInt32()) + " " +
                     std::to_string(row[2].ToInt32()));
  }
  std::sort(fields.begin(), fields.end());
  return fields;
}

// The form row of `company`: width, length, last item, first item, remarks,
// stub.
inline std::vector<int32_t> StoredLayoutForm(StepWalk& walk, int32_t company) {
  const auto rows = walk.Rows(
      "SELECT Qt_LarguraPapel, Qt_ComprimentoPapel, Qt_DistanciaDoTopoUltimoItem, "
      "Qt_DistanciaDoTopoPrimeiroItem, Qt_DistanciaDoTopoLinhaObservacao, No_LocalNFCanhoto "
      "FROM LayOutNotaFiscalSaida WHERE Cd_PessoaUsuaria = " +
      std::to_string(company));
  std::vector<int32_t> form;
  if (rows.size() == 1) {
    for (const Value& v : rows[0]) form.push_back(v.ToInt32());
  }
  return form;
}

// Walks a station database from 18 to 500 with rows written at 444, 467 and
// 470, then checks what each step did to them and that the model agreed
// with the database after every step.
inline void WalkWithRows(StepWalk& walk) {
  db::Connection& db = walk.Db();
  const std::string day = "'2024-01-02 00:00:00'";
  walk.To(444);
  InsertProducts(db, "PISTA", "VENDAS", {"10, 'GASOLINA', -1", "11, 'OLEO 1L', 0"});
  walk.Exec({
      "UPDATE EmpresaUsuaria SET Ds_MensagemPDV = 'OBRIGADO E VOLTE SEMPRE'",
      "UPDATE Pessoa SET Ds_Complemento = 'LOJA 1' WHERE Cd_Pessoa = 1",
      "INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa, Ds_Complemento) VALUES (2, 'CLIENTE UM', NULL)",
      "INSERT INTO Cliente (Cd_PessoaUsuaria, Cd_Cliente) VALUES (1, 2)",
      "INSERT INTO Empenho (Id_Empenho, Cd_PessoaUsuaria, Cd_Cliente) VALUES ('E-1', 1, 2)",
      "INSERT INTO Bomba (Cd_PessoaUsuaria, Cd_Bomba, De_EnderecoLogicoBico, Cd_Produto) "
      "VALUES (1, 1, '01', 10), (1, 12, '12', 10)",
      "INSERT INTO Lmc (Cd_PessoaUsuaria, Cd_Produto, Dt_Movimento, No_Pagina, Ds_Precos) "
      "VALUES (1, 10, " +
          day + ", 7, '5.79')",
      "INSERT INTO ECF (Cd_PessoaUsuaria, No_Impressora) VALUES (1, 1)",
      "INSERT INTO CupomFiscal (Cd_PessoaUsuaria, No_Impressora, No_CupomFiscal, Dt_Emissao, "
      "Cd_Cliente) VALUES (1, 1, 100, " +
          day + ", 2)",
      "INSERT INTO ItemCupomFiscal (Cd_PessoaUsuaria, No_Impressora, No_CupomFiscal, Dt_Emissao, "
      "No_Item, Cd_Produto) VALUES (1, 1, 100, " +
          day + ", 1, 10)",
      "INSERT INTO ConPag (Cd_PessoaUsuaria, Cd_Pag, Ds_Pag) VALUES (1, 1, 'A VISTA')",
      "INSERT INTO AutomacaoBomba (Cd_PessoaUsuaria) VALUES (1)",
  });
  walk.To(467);
  // A log still allowed documents without an end time; step 468 must not
  // trip over them.
  db.Execute(
      "INSERT INTO LogDocumentoEmitidoECF (Cd_PessoaUsuaria, No_Impressora, Dt_Emissao, No_COO, "
      "Ds_TipoDocumento, Dt_Inicio, Dt_Fim, No_ContadorGNF) VALUES "
      "(1, 1, " +
      day +
      ", 1, 'CF', '2024-01-02 08:00:00', NULL, 4), "
      "(1, 1, " +
      day + ", 2, 'RG', '2024-01-02 08:05:00', '2024-01-02 08:06:00', NULL)");
  walk.To(470);
  db.Execute(
      "INSERT INTO ReducaoZ (Cd_PessoaUsuaria, Dt_Movimento, No_Impressora, Qt_ContReducoes, "
      "Vl_GTotalFinal, Ds_VersaoSoftwareBasicoECF) VALUES (1, " +
      day +
      ", 1, 12, 1500.5, "
      "'01.03.02')");
  walk.To(500);
  EXPECT_EQ(walk.Version(), 500);
  EXPECT_EQ(walk.compared,
            (std::vector<int32_t>{444, 445, 451, 453, 459, 462, 463, 464, 465, 466,
                                  467, 468, 469, 470, 471, 473, 475, 476, 477, 500}));
  auto one = [&](const std::string& sql) { return walk.Rows(sql).at(0).at(0); };

  // 451: the user company's default layout.
  EXPECT_EQ(StoredLayoutForm(walk, 1), (std::vector<int32_t>{8000, 0, 111, 52, 115, 1}));
  EXPECT_EQ(StoredLayoutFields(walk, 1), DocumentedLayoutFields());

  // 453: a coupon may name a commitment of its customer, and no other.
  db.Execute("UPDATE CupomFiscal SET Id_Empenho = 'E-1' WHERE No_CupomFiscal = 100");
  EXPECT_THROW(db.Execute("UPDATE CupomFiscal SET Id_Empenho = 'E-9' WHERE No_CupomFiscal = 100"),
               Erro);
  EXPECT_EQ(one("SELECT Id_Empenho FROM CupomFiscal").ToText(), "E-1");

  // 459 and 469: every product computes its total by rule 1 and is of
  // production type 2; the character code stays empty.
  EXPECT_EQ(RowTexts(db, "SELECT No_CalculoValorTotal, No_TipoProducao, Ds_CalculoValorTotal "
                         "FROM Produto"),
            (std::vector<std::string>{"1|2|-", "1|2|-"}));

  // 463, 469, 473, 500: the widened texts kept their values.
  EXPECT_EQ(one("SELECT Ds_MensagemPDV FROM EmpresaUsuaria").ToText(), "OBRIGADO E VOLTE SEMPRE");
  EXPECT_EQ(one("SELECT Ds_Complemento FROM Pessoa WHERE Cd_Pessoa = 1").ToText(), "LOJA 1");
  EXPECT_TRUE(one("SELECT Ds_Complemento FROM Pessoa WHERE Cd_Pessoa = 2").IsNull());
  EXPECT_EQ(one("SELECT Ds_Precos FROM Lmc").ToText(), "5.79");
  EXPECT_EQ(one("SELECT Ds_VersaoSoftwareBasicoECF FROM ReducaoZ").ToText(), "01.03.02");

  // 468: the log was emptied, and a document now needs its end time.
  EXPECT_EQ(one("SELECT COUNT(*) FROM LogDocumentoEmitidoECF").ToInt32(), 0);
  const std::string log =
      "INSERT INTO LogDocumentoEmitidoECF (Cd_PessoaUsuaria, No_Impressora, Dt_Emissao, No_COO, "
      "Ds_TipoDocumento, Dt_Inicio";
  EXPECT_THROW(db.Execute(log + ") VALUES (1, 1, " + day + ", 3, 'CF', " + day + ")"), Erro);
  // 500: a document is neither a withdrawal nor a supply unless it says so.
  db.Execute(log + ", Dt_Fim) VALUES (1, 1, " + day + ", 3, 'CF', " + day + ", " + day + ")");
  const auto documento = walk.Rows("SELECT Ic_Sangria, Ic_Suprimento FROM LogDocumentoEmitidoECF");
  ASSERT_EQ(documento.size(), 1u);
  EXPECT_FALSE(documento[0][0].ToBool());
  EXPECT_FALSE(documento[0][1].ToBool());

  // 469 and 476: pumps and nozzles are named after the pump number.
  EXPECT_EQ(RowTexts(db, "SELECT Ds_Bomba, Ds_Bico FROM Bomba ORDER BY Cd_Bomba"),
            (std::vector<std::string>{"1|1", "12|12"}));

  // The required columns with defaults filled the rows already there (464,
  // 469, 471, 473, 475, 477): all zero but two.
  for (const char* sql :
       {"SELECT Ic_Excluido + Vl_NaoTributadoICMS + No_ContadorCupomFiscal FROM CupomFiscal",
        "SELECT Ic_Excluido FROM ItemCupomFiscal", "SELECT Qt_DiasPrazo FROM ConPag",
        "SELECT Ic_FazerSangriaDeDinheiroPorLancamento + Ic_ConfirmarDiferencaGtEcfEmCupons "
        "FROM EmpresaUsuaria"}) {
    EXPECT_EQ(one(sql).ToDouble(), 0.0) << sql;
  }
  EXPECT_TRUE(
      one("SELECT Ic_GerarAbastecimentoDasDiferencasDeEncerrante FROM AutomacaoBomba").ToBool());
  EXPECT_TRUE(one("SELECT Ic_ImprimirNomeCnpjEnderecoFinalCupom FROM ECF").ToBool());

  // 470: the known printer models.
  std::vector<std::string> printers;
  for (const auto& row :
       walk.Rows("SELECT Cd_MarcaECF, Cd_Modelo, Cd_Versao, Ds_TipoECF, Ds_MarcaECF, Ds_ModeloECF, "
                 "Ds_VersaoSoftwareBasicoECF FROM IdentificacaoECF")) {
    EXPECT_EQ(row[0].ToInt32(), 3);
    EXPECT_EQ(row[3].ToText(), "ECF-IF");
    EXPECT_EQ(row[4].ToText(), "BEMATECH");
    printers.push_back(std::to_string(row[1].ToInt32()) + " " + std::to_string(row[2].ToInt32()) +
                       " " + row[5].ToText() + " " + row[6].ToText());
  }
  std::vector<std::string> expected = DocumentedPrinters();
  ASSERT_EQ(expected.size(), 55u);
  std::sort(printers.begin(), printers.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(printers, expected);
}

}  // namespace bp::testing::steps445
