// Steps 142 to 151: payables of entry invoices, customer commitments, the
// change flag of the means of receipt, the general cash ledger and the
// bank-account entries of payments and receipts.
#include <string>
#include <vector>

#include "schema/steps/steps_142_197_common.h"

namespace bp::schema::steps142 {
namespace {

Table ContaAPagarDeNotaEntrada() {
  return MakeTable(
      "ContaAPagarDeNotaEntrada",
      {NotNull(kEmp, Int()), NotNull("No_ContasAPagar", Int()), NotNull("Cd_Fornecedor", Int()),
       NotNull("Cd_TipoNF", TinyInt()), NotNull("No_Nota", Int())},
      {"XPKContaAPagarDeNotaEntrada", {kEmp, "No_ContasAPagar", "Cd_Fornecedor", "Cd_TipoNF", "No_Nota"}},
      {Index{"XIF204ContaAPagarDeNotaEntrada", {kEmp, "No_ContasAPagar"}},
       Index{"XIF205ContaAPagarDeNotaEntrada", {kEmp, "Cd_Fornecedor", "Cd_TipoNF", "No_Nota"}}},
      // An entry invoice is keyed by its entry number; the reference goes to
      // the unique supplier-invoice columns instead.
      {Ref("R_248", {kEmp, "Cd_Fornecedor", "Cd_TipoNF", "No_Nota"}, "NotaEntrada",
           {kEmp, "Cd_Fornecedor", "Cd_TipoNF", "No_Nota"}),
       Ref("R_247", {kEmp, "No_ContasAPagar"}, "ContaAPagar")});
}

Table Empenho() {
  return MakeTable("Empenho",
                   {NotNull("Id_Empenho", VarChar(18)), Nullable("No_Situacao", TinyInt()),
                    Nullable("Ds_Observacao", VarChar(250)), Nullable("Vl_Total", MoneyType()),
                    Nullable("Dt_Emissao", DateTimeType()), NotNull(kEmp, Int()),
                    NotNull("Cd_Cliente", Int())},
                   {"XPKEmpenho", {kEmp, "Cd_Cliente", "Id_Empenho"}},
                   {Index{"XIF184Empenho", {kEmp}}, Index{"XIF186Empenho", {kEmp, "Cd_Cliente"}}},
                   {Ref("R_252", {kEmp, "Cd_Cliente"}, "Cliente"),
                    Ref("R_250", {kEmp}, "EmpresaUsuaria")});
}

Table ItemEmpenho() {
  return MakeTable("ItemEmpenho",
                   {Nullable("Vl_Unitario", MoneyType()), Nullable("Qt_Unidade", Float()),
                    NotNull("No_Item", TinyInt()), NotNull("Id_Empenho", VarChar(18)),
                    NotNull(kEmp, Int()), NotNull("Cd_Cliente", Int()),
                    NotNull("Cd_Produto", Int())},
                   {"XPKItemEmpenho", {"No_Item", "Id_Empenho", kEmp, "Cd_Cliente"}},
                   {Index{"XIF183ItemEmpenho", {"Id_Empenho", kEmp, "Cd_Cliente"}},
                    Index{"XIF186ItemEmpenho", {kEmp, "Cd_Produto"}}},
                   {Ref("R_253", {kEmp, "Cd_Produto"}, "Produto"),
                    Ref("R_249", {kEmp, "Cd_Cliente", "Id_Empenho"}, "Empenho")});
}

// The history text starts at 100 characters; a later step widens it to 200.
Table LanCaixaGeral() {
  return MakeTable("LanCaixaGeral",
                   {NotNull(kEmp, Int()), NotNull("No_LancamentoCaixaGeral", Int()),
                    NotNull("Dt_Lancamento", DateTimeType()), Nullable("Vl_Saldo", MoneyType()),
                    Nullable("Vl_Lancamento", MoneyType()), Nullable("Ds_Historico", VarChar(100))},
                   {"XPKLanCaixaGeral", {kEmp, "No_LancamentoCaixaGeral"}},
                   {Index{"XIF187LanCaixaGeral", {kEmp}}},
                   {Ref("R_254", {kEmp}, "EmpresaUsuaria")});
}

Table PagamentoPorCaixa() {
  return MakeTable(
      "PagamentoPorCaixa",
      {NotNull(kEmp, Int()), NotNull("Cd_Pagamento", Int()),
       NotNull("Dt_Lancamento", DateTimeType()), NotNull("No_LancamentoCaixaGeral", Int())},
      {"XPKPagamentoPorCaixa", {kEmp, "Cd_Pagamento", "Dt_Lancamento", "No_LancamentoCaixaGeral"}},
      {Index{"XIF176PagamentoPorCaixa", {kEmp, "Cd_Pagamento"}},
       Index{"XIF188PagamentoPorCaixa", {kEmp, "Dt_Lancamento", "No_LancamentoCaixaGeral"}}},
      {Ref("R_241", {kEmp, "Cd_Pagamento"}, "Pagamento"),
       Ref("R_255", {kEmp, "No_LancamentoCaixaGeral"}, "LanCaixaGeral")});
}

Table LanCcBancaria() {
  return MakeTable(
      "LanCcBancaria",
      {NotNull(kEmp, Int()), NotNull("No_LanCcBancaria", Int()), NotNull("Cd_Banco", SmallInt()),
       NotNull("Cd_Agencia", SmallInt()), NotNull("Cd_Conta", Int()),
       Nullable("Cd_TipoLanCCBancaria", TinyInt()), NotNull("Ic_Conciliado", Bit()),
       Nullable("Dt_LanRealizado", DateTimeType()), NotNull("Dt_LanPrevisto", DateTimeType()),
       NotNull("Vl_Saldo", MoneyType()), NotNull("Vl_Lancamento", MoneyType()),
       Nullable("Id_Lancamento", VarChar(10))},
      {"XPKLanCcBancaria", {kEmp, "No_LanCcBancaria"}},
      {Index{"XIF165LanCcBancaria", {kEmp, "Cd_Banco", "Cd_Agencia", "Cd_Conta"}},
       Index{"XIF166LanCcBancaria", {"Cd_TipoLanCCBancaria"}},
       Index{"XIF189LanCcBancaria", {kEmp}}},
      {Ref("R_256", {kEmp}, "EmpresaUsuaria"),
       Ref("R_231", {"Cd_TipoLanCCBancaria"}, "TipoLanCCBancaria"),
       Ref("R_230", {kEmp, "Cd_Banco", "Cd_Agencia", "Cd_Conta"}, "ConBan")});
}

Table PagamentoPorLanCcBancaria() {
  return MakeTable("PagamentoPorLanCcBancaria",
                   {NotNull(kEmp, Int()), NotNull("Cd_Pagamento", Int()),
                    NotNull("No_LanCcBancaria", Int())},
                   {"XPKPagamentoPorLanCcBancaria", {kEmp, "Cd_Pagamento", "No_LanCcBancaria"}},
                   {Index{"XIF172PagamentoPorLanCcBancaria", {kEmp, "Cd_Pagamento"}},
                    Index{"XIF173PagamentoPorLanCcBancaria", {"No_LanCcBancaria", kEmp}}},
                   {Ref("R_238", {kEmp, "No_LanCcBancaria"}, "LanCcBancaria"),
                    Ref("R_237", {kEmp, "Cd_Pagamento"}, "Pagamento")});
}

Table RecebimentoPorLanCcBancaria() {
  return MakeTable(
      "RecebimentoPorLanCcBancaria",
      {NotNull(kEmp, Int()), NotNull("No_Recebimento", Int()), NotNull("No_LanCcBancaria", Int())},
      {"XPKRecebimentoPorLanCcBancaria", {kEmp, "No_Recebimento", "No_LanCcBancaria"}},
      {Index{"XIF178RecebimentoPorLanCcBancaria", {kEmp, "No_Recebimento"}},
       Index{"XIF179RecebimentoPorLanCcBancaria", {"No_LanCcBancaria", kEmp}}},
      {Ref("R_245", {kEmp, "No_LanCcBancaria"}, "LanCcBancaria"),
       Ref("R_244", {kEmp, "No_Recebimento"}, "Recebimento")});
}

}  // namespace

void AddSteps142To151(StepTable& t) {
  // Step 142: links payables to the entry invoices they come from.
  t.Add(Step{142, Tolerance::kNone,
             [](StepContext& c) { c.Run(CreateTable{ContaAPagarDeNotaEntrada()}); }});

  // Step 147: customer commitments (pre-authorised purchase orders).
  t.Add(Step{147, Tolerance::kNone, [](StepContext& c) {
               c.Run(CreateTable{Empenho()});
               c.Run(CreateTable{ItemEmpenho()});
             }});

  // Step 148: commitments start over empty; means of receipt learn whether
  // they give change, which only cash (payment type 3) does.
  t.Add(Step{148, Tolerance::kNone, [](StepContext& c) {
               ReplaceTables(c, {Empenho(), ItemEmpenho()});
               c.Run(AddColumn{"TipoRecebimento", Nullable("Fl_PermitirTrocoNaVenda", Bit())});
               c.Run(Portable("UPDATE TipoRecebimento SET Fl_PermitirTrocoNaVenda = 0 "
                              "WHERE No_TipoPagamento <> 3"));
               c.Run(Portable("UPDATE TipoRecebimento SET Fl_PermitirTrocoNaVenda = -1 "
                              "WHERE No_TipoPagamento = 3"));
             }});

  // Step 149: the kinds of payable, the general cash ledger, and payments
  // from the cash ledger pointing at its entries.
  t.Add(Step{149, Tolerance::kNone, [](StepContext& c) {
               c.Run(SeedRows{"TipoContaAPagar",
                              {"Cd_TipoContaAPagar", "Ds_ContaAPagar"},
                              {{Value(int32_t{1}), Value("DM-DUPLICATA MERCANTIL")},
                               {Value(int32_t{2}), Value("NP-NOTA PROMISSORIA")},
                               {Value(int32_t{3}), Value("CH-CHEQUE")},
                               {Value(int32_t{4}), Value("OUTROS")}}});
               c.Run(CreateTable{LanCaixaGeral()});
               ReplaceTables(c, {PagamentoPorCaixa()});
             }});

  // Step 151: bank-account entries in their new shape, for payments and now
  // also for receipts.
  t.Add(Step{151, Tolerance::kNone, [](StepContext& c) {
               ReplaceTables(c, {LanCcBancaria(), PagamentoPorLanCcBancaria()});
               c.Run(CreateTable{RecebimentoPorLanCcBancaria()});
             }});
}

}  // namespace bp::schema::steps142
