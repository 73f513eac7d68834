// The walk of steps 445 to 500 over rows made for their data corrections,
// shared by the SQLite and the PostgreSQL tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/erro.h"
#include "steps_445_500_walk.h"

namespace bp::testing::steps445 {

inline void ExecuteAll(db::Connection& db, const std::vector<std::string>& statements) {
  for (const std::string& sql : statements) db.Execute(sql);
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
  ExecuteAll(
      db,
      {
          "UPDATE EmpresaUsuaria SET Ds_MensagemPDV = 'OBRIGADO E VOLTE SEMPRE'",
          "UPDATE Pessoa SET Ds_Complemento = 'LOJA 1' WHERE Cd_Pessoa = 1",
          "INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa, Ds_Complemento) VALUES (2, 'CLIENTE UM', NULL)",
          "INSERT INTO Cliente (Cd_PessoaUsuaria, Cd_Cliente) VALUES (1, 2)",
          "INSERT INTO Empenho (Id_Empenho, Cd_PessoaUsuaria, Cd_Cliente) VALUES ('E-1', 1, 2)",
          "INSERT INTO GrupoProduto (Cd_GrupoProduto, Nm_GrupoProduto) VALUES (1, 'PISTA')",
          "INSERT INTO ContaContabil (Cd_PessoaUsuaria, Cd_ContaContabil, Nm_ContaContabil) "
          "VALUES (1, 1, 'VENDAS')",
          "INSERT INTO Produto (Cd_PessoaUsuaria, Cd_Produto, Nm_Produto, Cd_GrupoProduto, "
          "Fl_VendBomba, Cd_ContaMargemContribuicao) VALUES (1, 10, 'GASOLINA', 1, -1, 1), "
          "(1, 11, 'OLEO 1L', 1, 0, 1)",
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
  const auto produtos =
      walk.Rows("SELECT No_CalculoValorTotal, No_TipoProducao, Ds_CalculoValorTotal FROM Produto");
  ASSERT_EQ(produtos.size(), 2u);
  for (const auto& row : produtos) {
    EXPECT_EQ(row[0].ToInt32(), 1);
    EXPECT_EQ(row[1].ToInt32(), 2);
    EXPECT_TRUE(row[2].IsNull());
  }

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
  const auto bombas = walk.Rows("SELECT Ds_Bomba, Ds_Bico FROM Bomba ORDER BY Cd_Bomba");
  ASSERT_EQ(bombas.size(), 2u);
  EXPECT_EQ(bombas[0][0].ToText(), "1");
  EXPECT_EQ(bombas[0][1].ToText(), "1");
  EXPECT_EQ(bombas[1][0].ToText(), "12");
  EXPECT_EQ(bombas[1][1].ToText(), "12");

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
