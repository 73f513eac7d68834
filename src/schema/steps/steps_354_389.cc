// Steps 354 to 389: wider history texts of expenses and of the general cash
// ledger, cheque consultations, the payment report's work table, purchase
// value checks of the means of receipt, settings of bank slips, pumps and
// package transfers, and the price line of the fuel book.
#include <string>

#include "schema/steps/steps_308_441_common.h"

namespace bp::schema::s308 {

void AddSteps354To389(StepTable& t) {
  // Step 354: the complementary history of an expense item grows to 200
  // characters; the texts are carried over through a temporary column.
  t.Add(Step{354, Tolerance::kNone, [](StepContext& c) {
               c.Run(RetypeColumn{"ItemDespesa",
                                  Nullable("Nm_HistoricoComplementar", VarChar(200)), "Temp"});
             }});

  // Step 356: the kind of consultation made for each of the two documents
  // of a cheque consultation.
  t.Add(Step{356, Tolerance::kNone, [](StepContext& c) {
               AddColumns(c, "ConsultaCheque",
                          {Nullable("No_TipoConsulta0", Int()), Nullable("No_TipoConsulta1", Int())});
             }});

  // Step 361: work table of a payment report.
  t.Add(Step{361, Tolerance::kNone, [](StepContext& c) {
               c.Run(NewTable("TempRelPagamento1",
                              {Unstated("Ds_Origem", VarChar(100)), Unstated("Cd_Pessoa", Int()),
                               Unstated("Nm_Pessoa", VarChar(100)),
                               Unstated("Dt_Pagamento", DateTimeType()),
                               Unstated("No_ContasAPagar", Int()),
                               Unstated("Dt_Vencimento", DateTimeType()),
                               Unstated("No_Nota", Int()),
                               Unstated("Id_DocumentoFornecedor", VarChar(50)),
                               Unstated("Vl_Pagamento", Float())}));
             }});

  // Step 366: whether a means of receipt must receive exactly the purchase
  // value, and the difference it admits; off and zero for those that exist.
  t.Add(Step{366, Tolerance::kNone, [](StepContext& c) {
               AddColumns(c, "TipoRecebimento",
                          {Nullable("Ic_ExigirRecebimentoMesmoValorCompra", Bit()),
                           Nullable("Vl_AdmitidoDiferencaValorCompraERecebimento", MoneyType())});
               Update(c, "TipoRecebimento",
                      {{"Ic_ExigirRecebimentoMesmoValorCompra", "0"},
                       {"Vl_AdmitidoDiferencaValorCompraERecebimento", "0"}});
             }});

  // Step 373: the change of a coupon item's value made when the coupon ends.
  t.Add(Step{373, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"ItemCupomFiscal", Nullable("Vl_AltFinalCupom", MoneyType())});
             }});

  // Step 374: the history text of a bank-account entry.
  t.Add(Step{374, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"LanCcBancaria", Nullable("Ds_Historico", VarChar(200))});
             }});

  // Step 377: the history of the general cash ledger grows to 200
  // characters through a temporary column; the ledger's key and the
  // reference of the cash payments to it are made again.
  t.Add(Step{377, Tolerance::kNone, [](StepContext& c) {
               c.Run(RetypeColumn{"LanCaixaGeral", Unstated("Ds_Historico", VarChar(200)),
                                  "Ds_Historico2"});
               c.Run(DropForeignKey{"PagamentoPorCaixa", "R_255"});
               c.Run(DropPrimaryKey{"LanCaixaGeral", "XPKLanCaixaGeral"});
               c.Run(AddPrimaryKey{"LanCaixaGeral",
                                   PrimaryKey{"XPKLanCaixaGeral", {kEmp, "No_LancamentoCaixaGeral"}}});
               c.Run(AddForeignKey{"PagamentoPorCaixa",
                                   ForeignKey{"R_255", {kEmp, "No_LancamentoCaixaGeral"},
                                              "LanCaixaGeral"}});
             }});

  // Step 379: how bank slips are printed and the bank that issues them.
  t.Add(Step{379, Tolerance::kNone, [](StepContext& c) {
               AddColumns(c, "EmpresaUsuaria",
                          {Nullable("No_TipoImpressaoBoleta", SmallInt()),
                           Nullable("Cd_BancoEmissaoBoleta", SmallInt())});
             }});

  // Step 383: the prices of the day on a fuel-book page; empty on the pages
  // that exist. A later step widens it.
  t.Add(Step{383, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"Lmc", Unstated("Ds_Precos", VarChar(20))});
               Update(c, "Lmc", {{"Ds_Precos", "''"}});
             }});

  // Step 384: after how many litres, and how many times, the pump
  // automation is restarted; zero on the pumps that exist.
  t.Add(Step{384, Tolerance::kNone, [](StepContext& c) {
               AddColumns(c, "Bomba",
                          {Nullable("Qt_LitrosReinicioAutomacao", Int()),
                           Nullable("Qt_ReinicioAutomacao", Int())});
               Update(c, "Bomba", {{"Qt_LitrosReinicioAutomacao", "0"}, {"Qt_ReinicioAutomacao", "0"}});
             }});

  // Step 387: a cheque released although its consultation found
  // restrictions.
  t.Add(Step{387, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"ConsultaCheque", Nullable("Ic_LiberadoComRestricoes", Bit())});
             }});

  // Step 389: the smallest and the largest margin a package transfer may
  // have; 0.7 and 5 for the companies that exist.
  t.Add(Step{389, Tolerance::kNone, [](StepContext& c) {
               AddColumns(c, "EmpresaUsuaria",
                          {Nullable("Tx_MargemTransferenciaEmbalagemMinima", MoneyType()),
                           Nullable("Tx_MargemTransferenciaEmbalagemMaxima", MoneyType())});
               Update(c, "EmpresaUsuaria",
                      {{"Tx_MargemTransferenciaEmbalagemMinima", "0.7"},
                       {"Tx_MargemTransferenciaEmbalagemMaxima", "5"}});
             }});
}

}  // namespace bp::schema::s308
