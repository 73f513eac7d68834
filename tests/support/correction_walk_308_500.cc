// The stretches of the correction walk from 308 to 500: expenses, CFOPs,
// invoice items, re-typed texts, settings, ledger entries and credit
// blocks; then the invoice layout and the printer models the last steps
// seed, commitments, documents of the printer log and the widened texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bp/erro.h"
#include "support/correction_walk.h"
#include "support/table_file.h"

namespace bp::testing {
namespace {

using Texts = std::vector<std::string>;

// The rows of a query, each as its fields joined by "|" (NULL for null).
Texts Lines(db::Connection& db, const std::string& sql) {
  return RowTexts(db, sql, "NULL", RegionalSettings::Invariant());
}

// The documented rows of one kind ("layout", "printer") the last steps seed
// (catalogue/seeded_rows.txt), sorted.
Texts Documented(const std::string& kind) {
  Texts rows;
  for (const std::string& row : TableRows("catalogue/seeded_rows.txt")) {
    if (row.starts_with(kind + " ")) rows.push_back(row.substr(kind.size() + 1));
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

}  // namespace

// Rows written at 307 for each data correction of the stretch; the checks
// of what the corrections did to them, and what they left alone.
void PlanCorrections308To441(StepWalk& plan) {
  const std::string long_text(100, 'H');
  const Texts kinds = {"1|CUPONS SEM VENDA|1", "2|OUTROS RECEBIMENTOS EM DINHEIRO|1",
                       "3|VENDAS SEM CUPOM|2", "4|CONTAS RECEBIDA SEM BAIXA|2",
                       "5|CREDITO CLIENTES|2"};
  const std::string kinds_sql =
      "SELECT Cd_TipoDivergenciaCaixa, Ds_DivergenciaCaixa, No_NaturezaDivergencia "
      "FROM TipoDivergenciaCaixa ORDER BY 1";
  plan.At(307, [=](StepWalk& walk) {
    walk.Exec({
        "INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa) VALUES (16, 'FRENTISTA'), (17, 'CAIXA')",
        "INSERT INTO Funcionario (Cd_PessoaUsuaria, Cd_Funcionario, Cd_Agencia, "
        "Cd_Conta) VALUES (1, 16, 1234, 567890), (1, 17, NULL, NULL)",
        "INSERT INTO CFOP (Cd_Cfop, Ds_Cfop) VALUES (1102, 'COMPRA P/COMERCIALIZACAO')",
        "INSERT INTO NotaEntrada (No_Entrada, Cd_PessoaUsuaria, Cd_Fornecedor, "
        "Cd_TipoNF, No_Nota) VALUES (501, 1, 3, 1, 10)",
        "INSERT INTO ItemNotaEntrada (No_Entrada, Cd_ProdutoItem, No_SitTributaria, "
        "Qt_UnidadeItem, No_Item, Cd_PessoaUsuaria, Cd_Cfop, Vl_IcmsStAnterior, "
        "Vl_BaseCalculoIcmsStAnterior) VALUES (501, 10, '060', 5000, 1, 1, 1102, "
        "12.5, 300.25), (501, 10, NULL, 2, 2, 1, NULL, NULL, NULL)",
        "INSERT INTO Despesa (Cd_PessoaUsuaria, No_Despesa, Cd_SeqDespesa, "
        "Dt_Lancamento) VALUES (1, 1, 1001, '2008-03-10 00:00:00'), "
        "(1, 2, 1002, NULL)",
        "INSERT INTO ItemDespesa (Cd_PessoaUsuaria, No_Despesa, No_Item, "
        "Nm_HistoricoComplementar) VALUES (1, 1, 1, '" +
            long_text + "'), (1, 1, 2, NULL)",
        "INSERT INTO Pagamento (Cd_PessoaUsuaria, Cd_Pagamento, Vl_Principal, Vl_MoraOuMulta, "
        "Vl_Pagamento, Dt_Pagamento, No_PagamentoPor, No_PagamentoDe) "
        "VALUES (1, 1, 10, 0, 10, '2008-03-10 00:00:00', 1, 1)",
        "INSERT INTO LanCaixaGeral (Cd_PessoaUsuaria, No_LancamentoCaixaGeral, "
        "Dt_Lancamento, Ds_Historico) VALUES (1, 1, '2008-03-10 00:00:00', "
        "'PAGAMENTO À VISTA'), (1, 2, '2008-03-11 00:00:00', NULL)",
        "INSERT INTO PagamentoPorCaixa (Cd_PessoaUsuaria, Cd_Pagamento, "
        "Dt_Lancamento, No_LancamentoCaixaGeral) VALUES (1, 1, "
        "'2008-03-10 00:00:00', 1)",
        "INSERT INTO Lmc (Cd_PessoaUsuaria, Cd_Produto, Dt_Movimento, No_Pagina) "
        "VALUES (1, 10, '2008-03-10 00:00:00', 7), (1, 10, '2008-03-11 00:00:00', NULL)",
        "INSERT INTO ContaAReceber (Cd_PessoaUsuaria, Cd_ContaAReceber, Cd_Cliente, "
        "Dt_BloqueioCredito) VALUES (1, 1, 4, '1899-12-30 00:00:00'), "
        "(1, 2, 4, '1960-01-01 00:00:00'), (1, 3, 4, '1960-01-02 00:00:00'), "
        "(1, 4, 4, NULL), (1, 5, 4, '2008-05-10 00:00:00')",
        "INSERT INTO TipoLanCCBancaria (Cd_TipoLanCCBancaria, Ds_TipoLanCCBancaria) "
        "VALUES (1, 'DEPOSITO'), (2, 'CHEQUE EMITIDO'), (3, 'TARIFA')",
    });
  });
  plan.At(403, [=](StepWalk& walk) { EXPECT_EQ(Lines(walk.Db(), kinds_sql), kinds); });
  plan.At(441, [=](StepWalk& walk) {
    db::Connection& db = walk.Db();

    // 312: entered when posted; an expense never posted stays without a date.
    const auto despesas = db.Query("SELECT Dt_Inclusao FROM Despesa ORDER BY No_Despesa").Rows();
    EXPECT_EQ(despesas[0][0].ToDate(), DateTime::Of(2008, 3, 10));
    EXPECT_TRUE(despesas[1][0].IsNull());

    // 318, 324, 328: the seeded codes, accents as written, the old one kept.
    EXPECT_EQ(
        Lines(db, "SELECT Cd_Cfop, Ds_Cfop FROM CFOP ORDER BY Cd_Cfop"),
        (Texts{"1102|COMPRA P/COMERCIALIZACAO", "1551|COMPRA PARA ATIVO IMOBILIZADO (DE)",
               "1556|COMPRA PARA USO OU CONSUMO (DE)",
               "1949|OUTRA ENTRADA DE MERCADORIA NAO ESPECIFICADA(DE)",
               "2551|COMPRA PARA ATIVO IMOBILIZADO (FE)", "2556|COMPRA PARA USO OU CONSUMO (FE)",
               "2949|OUTRA ENTRADA DE MERCADORIA NAO ESPECIFICADA(FE)",
               "5912|MERCADORIA RECEBIDA P/DEMONSTRAÇÃO (DE)",
               "5913|RETORNO MERCADORIA RECEBIDA P/DEMONSTRAÇÃO (DE)"}));

    // 321: zero on what existed, and zero by default on what comes later.
    db.Execute("INSERT INTO NotaSaida (Cd_PessoaUsuaria, Cd_TipoNF, No_Nota) VALUES (1, 1, 104)");
    db.Execute(
        "INSERT INTO ItemNotaSaida (Cd_PessoaUsuaria, No_Nota, Cd_TipoNF, No_Item, "
        "Cd_Produto) VALUES (1, 104, 1, 1, 10)");
    EXPECT_EQ(Lines(db, "SELECT DISTINCT Ic_DestacadoIcmsST FROM NotaSaida"), (Texts{"0"}));
    EXPECT_EQ(Lines(db,
                    "SELECT DISTINCT Vl_IcmsStAnterior, Vl_BaseCalculoIcmsStAnterior "
                    "FROM ItemNotaSaida"),
              (Texts{"0|0"}));

    // 324: the entry items came through the rebuild whole.
    EXPECT_EQ(Lines(db,
                    "SELECT No_Entrada, Cd_ProdutoItem, No_SitTributaria, Qt_UnidadeItem, "
                    "No_Item, Cd_Cfop, Vl_IcmsStAnterior, Vl_BaseCalculoIcmsStAnterior "
                    "FROM ItemNotaEntrada WHERE No_Entrada = 501 ORDER BY No_Item"),
              (Texts{"501|10|060|5000|1|1102|12.5|300.25", "501|10|NULL|2|2|NULL|NULL|NULL"}));

    // 354, 377, 440: the re-typed columns kept their values and take the new
    // widths.
    EXPECT_EQ(Lines(db, "SELECT Nm_HistoricoComplementar FROM ItemDespesa ORDER BY No_Item"),
              (Texts{long_text, "NULL"}));
    db.Execute("UPDATE ItemDespesa SET Nm_HistoricoComplementar = '" + std::string(200, 'x') +
               "' WHERE No_Item = 2");
    EXPECT_EQ(Lines(db, "SELECT Ds_Historico FROM LanCaixaGeral ORDER BY No_LancamentoCaixaGeral"),
              (Texts{"PAGAMENTO À VISTA", "NULL"}));
    db.Execute("UPDATE LanCaixaGeral SET Ds_Historico = '" + std::string(200, 'y') +
               "' WHERE No_LancamentoCaixaGeral = 2");
    EXPECT_EQ(Lines(db,
                    "SELECT Cd_Agencia, Cd_Conta FROM Funcionario WHERE Cd_Funcionario > 15 "
                    "ORDER BY Cd_Funcionario"),
              (Texts{"1234|567890", "NULL|NULL"}));
    db.Execute(
        "UPDATE Funcionario SET Cd_Agencia = '0123-4', Cd_Conta = '00012345-X' "
        "WHERE Cd_Funcionario = 17");

    // 366, 384, 389, 395, 404, 441: the new settings of what existed.
    EXPECT_EQ(Flags(db, "SELECT Ic_ExigirRecebimentoMesmoValorCompra FROM TipoRecebimento"),
              "FFFF");
    EXPECT_EQ(Lines(db,
                    "SELECT DISTINCT Vl_AdmitidoDiferencaValorCompraERecebimento "
                    "FROM TipoRecebimento"),
              (Texts{"0"}));
    EXPECT_EQ(
        Lines(db, "SELECT DISTINCT Qt_LitrosReinicioAutomacao, Qt_ReinicioAutomacao FROM Bomba"),
        (Texts{"0|0"}));
    const auto empresa = db.Query(
        "SELECT Tx_MargemTransferenciaEmbalagemMinima, Tx_MargemTransferenciaEmbalagemMaxima, "
        "Ic_LancarInadiplenciaPerdidaNoFechamentoDiario, Ic_ExigirHodometroNaVenda, "
        "Ic_AceitarClienteSemCpfOuCnpj FROM EmpresaUsuaria");
    EXPECT_DOUBLE_EQ(empresa.Field(0).ToDouble(), 0.7);
    EXPECT_DOUBLE_EQ(empresa.Field(1).ToDouble(), 5.0);
    EXPECT_TRUE(empresa.Field(2).ToBool());
    EXPECT_TRUE(empresa.Field(3).ToBool());
    EXPECT_TRUE(empresa.Field(4).IsNull());
    EXPECT_EQ(Lines(db, "SELECT Vl_OutrosDebitos, Vl_OutrosCreditos FROM Caixa"), (Texts{"0|0"}));

    // 404: only the fourth kind of divergence was renamed.
    Texts renamed = kinds;
    renamed[3] = "4|CONTAS RECEBIDAS SEM BAIXA|2";
    EXPECT_EQ(Lines(db, kinds_sql), renamed);

    // 383, 424: empty prices; the next page number, an unnumbered page stays so.
    EXPECT_EQ(Lines(db, "SELECT No_Pagina, Ds_Precos FROM Lmc ORDER BY Dt_Movimento"),
              (Texts{"8|", "NULL|"}));

    // 429: the existing ledger entries were not made by the system.
    EXPECT_EQ(Flags(db, "SELECT Ic_LancamentoFeitoPeloSistema FROM LanCaixaGeral"), "FF");
    EXPECT_EQ(Lines(db, "SELECT No_LancamentoCaixaGeral FROM PagamentoPorCaixa"), (Texts{"1"}));

    // 431: blocks up to 1 January 1960 cleared, later ones kept.
    EXPECT_EQ(Lines(db,
                    "SELECT Cd_ContaAReceber FROM ContaAReceber "
                    "WHERE Dt_BloqueioCredito IS NOT NULL ORDER BY 1"),
              (Texts{"3", "5"}));

    // 438: only kind 1 names a payee.
    EXPECT_EQ(Flags(db,
                    "SELECT Fl_PermitirFavorecido FROM TipoLanCCBancaria "
                    "ORDER BY Cd_TipoLanCCBancaria"),
              "TFF");
  });
}

// "name left top" of the layout fields stored for `company`, sorted by name.
std::vector<std::string> StoredLayoutFields(StepWalk& walk, int32_t company) {
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
std::vector<int32_t> StoredLayoutForm(StepWalk& walk, int32_t company) {
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

// Rows written at 444, 467 and 470: widened texts, a commitment of
// customer 4, pump 12, a coupon, a printer log and a reduction; then what
// each step did to them.
void PlanCorrections445To500(StepWalk& plan) {
  const std::string day = "'2024-01-02 00:00:00'";
  plan.At(444, [=](StepWalk& walk) {
    walk.Exec({
        "UPDATE EmpresaUsuaria SET Ds_MensagemPDV = 'OBRIGADO E VOLTE SEMPRE'",
        "UPDATE Pessoa SET Ds_Complemento = 'LOJA 1' WHERE Cd_Pessoa = 1",
        "INSERT INTO Empenho (Id_Empenho, Cd_PessoaUsuaria, Cd_Cliente) VALUES ('E-1', 1, 4)",
        "INSERT INTO Bomba (Cd_PessoaUsuaria, Cd_Bomba, De_EnderecoLogicoBico, Cd_Produto) "
        "VALUES (1, 12, '12', 10)",
        "INSERT INTO Lmc (Cd_PessoaUsuaria, Cd_Produto, Dt_Movimento, No_Pagina, Ds_Precos) "
        "VALUES (1, 10, " +
            day + ", 7, '5.79')",
        "INSERT INTO CupomFiscal (Cd_PessoaUsuaria, No_Impressora, No_CupomFiscal, Dt_Emissao, "
        "Cd_Cliente) VALUES (1, 1, 200, " +
            day + ", 4)",
        "INSERT INTO ItemCupomFiscal (Cd_PessoaUsuaria, No_Impressora, No_CupomFiscal, Dt_Emissao, "
        "No_Item, Cd_Produto) VALUES (1, 1, 200, " +
            day + ", 1, 10)",
        "INSERT INTO AutomacaoBomba (Cd_PessoaUsuaria) VALUES (1)",
    });
  });
  plan.At(467, [=](StepWalk& walk) {
    db::Connection& db = walk.Db();
    // A log still allowed documents without an end time; step 468 must not
    // trip over them.
    db.Execute(
        "INSERT INTO LogDocumentoEmitidoECF (Cd_PessoaUsuaria, No_Impressora, Dt_Emissao, No_COO, "
        "Ds_TipoDocumento, Dt_Inicio, Dt_Fim, No_ContadorGNF) VALUES (1, 1, " +
        day + ", 1, 'CF', '2024-01-02 08:00:00', NULL, 4), (1, 1, " + day +
        ", 2, 'RG', '2024-01-02 08:05:00', '2024-01-02 08:06:00', NULL)");
  });
  plan.At(470, [=](StepWalk& walk) {
    db::Connection& db = walk.Db();
    db.Execute(
        "INSERT INTO ReducaoZ (Cd_PessoaUsuaria, Dt_Movimento, No_Impressora, Qt_ContReducoes, "
        "Vl_GTotalFinal, Ds_VersaoSoftwareBasicoECF) VALUES (1, " +
        day + ", 1, 12, 1500.5, '01.03.02')");
  });
  plan.At(500, [=](StepWalk& walk) {
    db::Connection& db = walk.Db();
    EXPECT_EQ(walk.Version(), 500);

    // 451: the user company's default layout.
    EXPECT_EQ(StoredLayoutForm(walk, 1), (std::vector<int32_t>{8000, 0, 111, 52, 115, 1}));
    EXPECT_EQ(StoredLayoutFields(walk, 1), Documented("layout"));

    // 453: a coupon may name a commitment of its customer, and no other.
    const std::string coupon = " WHERE No_CupomFiscal = 200";
    db.Execute("UPDATE CupomFiscal SET Id_Empenho = 'E-1'" + coupon);
    EXPECT_THROW(db.Execute("UPDATE CupomFiscal SET Id_Empenho = 'E-9'" + coupon), Erro);
    EXPECT_EQ(walk.One("SELECT Id_Empenho FROM CupomFiscal" + coupon).ToText(), "E-1");

    // 459 and 469: every product computes its total by rule 1 and is of
    // production type 2; the character code stays empty.
    EXPECT_EQ(RowTexts(db,
                       "SELECT DISTINCT No_CalculoValorTotal, No_TipoProducao, "
                       "Ds_CalculoValorTotal FROM Produto"),
              (Texts{"1|2|-"}));

    // 463, 469, 473, 500: the widened texts kept their values.
    EXPECT_EQ(walk.One("SELECT Ds_MensagemPDV FROM EmpresaUsuaria").ToText(),
              "OBRIGADO E VOLTE SEMPRE");
    EXPECT_EQ(walk.One("SELECT Ds_Complemento FROM Pessoa WHERE Cd_Pessoa = 1").ToText(), "LOJA 1");
    EXPECT_TRUE(walk.One("SELECT Ds_Complemento FROM Pessoa WHERE Cd_Pessoa = 4").IsNull());
    EXPECT_EQ(walk.One("SELECT Ds_Precos FROM Lmc WHERE Dt_Movimento = " + day).ToText(), "5.79");
    EXPECT_EQ(walk.One("SELECT Ds_VersaoSoftwareBasicoECF FROM ReducaoZ").ToText(), "01.03.02");

    // 468: the log was emptied, and a document now needs its end time.
    EXPECT_EQ(walk.One("SELECT COUNT(*) FROM LogDocumentoEmitidoECF").ToInt32(), 0);
    const std::string log =
        "INSERT INTO LogDocumentoEmitidoECF (Cd_PessoaUsuaria, No_Impressora, Dt_Emissao, No_COO, "
        "Ds_TipoDocumento, Dt_Inicio";
    EXPECT_THROW(db.Execute(log + ") VALUES (1, 1, " + day + ", 3, 'CF', " + day + ")"), Erro);
    // 500: a document is neither a withdrawal nor a supply unless it says so.
    db.Execute(log + ", Dt_Fim) VALUES (1, 1, " + day + ", 3, 'CF', " + day + ", " + day + ")");
    EXPECT_EQ(Flags(db, "SELECT Ic_Sangria FROM LogDocumentoEmitidoECF") +
                  Flags(db, "SELECT Ic_Suprimento FROM LogDocumentoEmitidoECF"),
              "FF");

    // 469 and 476: pumps and nozzles are named after the pump number.
    EXPECT_EQ(RowTexts(db, "SELECT Ds_Bomba, Ds_Bico FROM Bomba ORDER BY Cd_Bomba"),
              (Texts{"1|1", "2|2", "12|12"}));

    // The required columns with defaults filled the rows already there (464,
    // 469, 471, 473, 475, 477): all zero but two.
    for (const char* sql :
         {"SELECT MAX(Ic_Excluido + Vl_NaoTributadoICMS + No_ContadorCupomFiscal) FROM CupomFiscal",
          "SELECT MAX(Ic_Excluido) FROM ItemCupomFiscal", "SELECT MAX(Qt_DiasPrazo) FROM ConPag",
          "SELECT MAX(Ic_FazerSangriaDeDinheiroPorLancamento + Ic_ConfirmarDiferencaGtEcfEmCupons) "
          "FROM EmpresaUsuaria"}) {
      EXPECT_EQ(walk.One(sql).ToDouble(), 0.0) << sql;
    }
    EXPECT_EQ(
        Flags(db, "SELECT Ic_GerarAbastecimentoDasDiferencasDeEncerrante FROM AutomacaoBomba"),
        "T");
    EXPECT_EQ(Flags(db, "SELECT Ic_ImprimirNomeCnpjEnderecoFinalCupom FROM ECF"), "TTTTT");

    // 470: the known printer models, all of brand 3 (BEMATECH) and kind ECF-IF.
    EXPECT_EQ(Lines(db, "SELECT DISTINCT Cd_MarcaECF, Ds_TipoECF, Ds_MarcaECF FROM IdentificacaoECF"),
              (Texts{"3|ECF-IF|BEMATECH"}));
    Texts printers = Lines(db,
                           "SELECT Cd_Modelo, Cd_Versao, Ds_ModeloECF, Ds_VersaoSoftwareBasicoECF "
                           "FROM IdentificacaoECF");
    std::sort(printers.begin(), printers.end());
    EXPECT_EQ(printers.size(), 55u);
    EXPECT_EQ(printers, Documented("printer"));
  });
}

}  // namespace bp::testing
