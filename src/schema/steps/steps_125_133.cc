// Version steps 125 to 133: the payables model (payables, their kinds,
// payments, what they settle and how they were paid), cash supplies, and
// the collection portfolio of a customer as a number.
#include <string>

#include "schema/steps/steps_073_133_common.h"

namespace bp::schema::s073 {
namespace {

constexpr const char* kEmp = "Cd_PessoaUsuaria";

// Step 125: the payables model. The old table of payables is replaced by one
// with the supplier's document, bar code, bank and kind of payable; a payment
// settles payables or expenses (PagamentoDe...) and is made from the cash
// ledger, a bank-account entry or a person's current account
// (PagamentoPor...). Tables come before the tables that refer to them.
void Step125(StepContext& c) {
  c.Run(DropTable{"ContaAPagar"});

  c.Run(NewTable("TipoContaAPagar",
                 {NotNull("Cd_TipoContaAPagar", Int()), Nullable("Ds_ContaAPagar", VarChar(30))},
                 PrimaryKey{"XPKTipoContaAPagar", {"Cd_TipoContaAPagar"}}));

  c.Run(NewTable(
      "ContaAPagar",
      {NotNull(kEmp, Int()), NotNull("No_ContasAPagar", Int()), Nullable("No_Situacao", TinyInt()),
       Nullable("Id_DocumentoFornecedor", VarChar(25)), Nullable("Cd_FPag", TinyInt()),
       Nullable("No_CodigoBarras", VarChar(47)), Nullable("Qt_DiasProtesto", TinyInt()),
       Nullable("Cd_BancoContaAPagar", SmallInt()), Nullable("Dt_Vencimento", DateTimeType()),
       Nullable("Vl_MoraDiaria", MoneyType()), Nullable("Vl_Debito", MoneyType()),
       Nullable("Vl_Acrescimo", MoneyType()), Nullable("Vl_MoraMulta", MoneyType()),
       Nullable("Vl_Descontos", MoneyType()), Nullable("Vl_Pagamentos", MoneyType()),
       Nullable("Vl_SaldoDebito", MoneyType()), Nullable("No_SeqDespesa", Int()),
       NotNull("Cd_Fornecedor", Int()), NotNull("Cd_TipoContaAPagar", Int())},
      PrimaryKey{"ContasAPagar_01", {kEmp, "No_ContasAPagar"}},
      {Idx("XIF122ContaAPagar", {kEmp}), Idx("XIF123ContaAPagar", {"Cd_BancoContaAPagar"}),
       Idx("XIF128ContaAPagar", {"Cd_Fornecedor", kEmp}),
       Idx("XIF180ContaAPagar", {"Cd_TipoContaAPagar"}), Idx("ContasAPagar_02", {"No_SeqDespesa"})},
      {Ref("R_246", {"Cd_TipoContaAPagar"}, "TipoContaAPagar"),
       Ref("R_162", {"Cd_BancoContaAPagar"}, "Banco"), Ref("R_158", {kEmp}, "EmpresaUsuaria"),
       Ref("R_157", {kEmp, "Cd_Fornecedor"}, "Fornecedor")}));

  c.Run(NewTable(
      "ContaAPagarDeDespesa",
      {NotNull(kEmp, Int()), NotNull("No_ContasAPagar", Int()), NotNull("No_Despesa", Int())},
      PrimaryKey{"XPKContaAPagarDeDespesa", {kEmp, "No_ContasAPagar", "No_Despesa"}},
      {Idx("XIF177ContaAPagarDeDespesa", {kEmp, "No_ContasAPagar"}),
       Idx("XIF178ContaAPagarDeDespesa", {kEmp, "No_Despesa"})},
      {Ref("R_243", {kEmp, "No_Despesa"}, "Despesa"),
       Ref("R_242", {kEmp, "No_ContasAPagar"}, "ContaAPagar")}));

  // Bank-account entries as the payables model first knew them; the columns
  // and the reference to the company that later versions add are not here.
  c.Run(NewTable("LanCcBancaria",
                 {NotNull(kEmp, Int()), NotNull("No_LanCcBancaria", Int()),
                  NotNull("Cd_Banco", SmallInt()), NotNull("Cd_Agencia", SmallInt()),
                  NotNull("Cd_Conta", Int()), Nullable("Cd_TipoLanCCBancaria", TinyInt()),
                  NotNull("Ic_Conciliado", Bit()), Nullable("Dt_LanRealizado", DateTimeType()),
                  NotNull("Dt_LanPrevisto", DateTimeType()), NotNull("Vl_Saldo", MoneyType()),
                  NotNull("Vl_Lancamento", MoneyType()), Nullable("Id_Lancamento", VarChar(10))},
                 PrimaryKey{"XPKLanCcBancaria", {kEmp, "No_LanCcBancaria"}},
                 {Idx("XIF165LanCcBancaria", {kEmp, "Cd_Banco", "Cd_Agencia", "Cd_Conta"}),
                  Idx("XIF166LanCcBancaria", {"Cd_TipoLanCCBancaria"})},
                 {Ref("R_231", {"Cd_TipoLanCCBancaria"}, "TipoLanCCBancaria"),
                  Ref("R_230", {kEmp, "Cd_Banco", "Cd_Agencia", "Cd_Conta"}, "ConBan")}));

  c.Run(NewTable("Pagamento",
                 {NotNull(kEmp, Int()), NotNull("Cd_Pagamento", Int()),
                  NotNull("Vl_Principal", MoneyType()), NotNull("Vl_MoraOuMulta", MoneyType()),
                  NotNull("Vl_Pagamento", MoneyType()), NotNull("Dt_Pagamento", DateTimeType()),
                  NotNull("No_PagamentoPor", Int()), NotNull("No_PagamentoDe", Int())},
                 PrimaryKey{"XPKPagamento", {kEmp, "Cd_Pagamento"}},
                 {Idx("XIF167Pagamento", {kEmp})}, {Ref("R_232", {kEmp}, "EmpresaUsuaria")}));

  c.Run(NewTable(
      "PagamentoDeConta",
      {NotNull("Cd_Pagamento", Int()), NotNull(kEmp, Int()), NotNull("No_ContasAPagar", Int())},
      PrimaryKey{"XPKPagamentoDeConta", {kEmp, "No_ContasAPagar", "Cd_Pagamento"}},
      {Idx("XIF168PagamentoDeConta", {kEmp, "Cd_Pagamento"}),
       Idx("XIF169PagamentoDeConta", {kEmp, "No_ContasAPagar"})},
      {Ref("R_234", {kEmp, "No_ContasAPagar"}, "ContaAPagar"),
       Ref("R_233", {kEmp, "Cd_Pagamento"}, "Pagamento")}));

  c.Run(
      NewTable("PagamentoDeDespesa",
               {NotNull(kEmp, Int()), NotNull("Cd_Pagamento", Int()), NotNull("No_Despesa", Int())},
               PrimaryKey{"XPKPagamentoDeDespesa", {kEmp, "No_Despesa", "Cd_Pagamento"}},
               {Idx("XIF170PagamentoDeDespesa", {kEmp, "Cd_Pagamento"}),
                Idx("XIF171PagamentoDeDespesa", {kEmp, "No_Despesa"})},
               {Ref("R_236", {kEmp, "No_Despesa"}, "Despesa"),
                Ref("R_235", {kEmp, "Cd_Pagamento"}, "Pagamento")}));

  // Payments from the cash ledger; the ledger itself and the reference to it
  // come with a later version, which re-creates this table.
  c.Run(NewTable(
      "PagamentoPorCaixa",
      {NotNull(kEmp, Int()), NotNull("Cd_Pagamento", Int()),
       NotNull("Dt_Lancamento", DateTimeType()), NotNull("No_LancamentoCaixaGeral", Int())},
      PrimaryKey{"XPKPagamentoPorCaixa",
                 {kEmp, "Cd_Pagamento", "Dt_Lancamento", "No_LancamentoCaixaGeral"}},
      {Idx("XIF176PagamentoPorCaixa", {kEmp, "Cd_Pagamento"})},
      {Ref("R_241", {kEmp, "Cd_Pagamento"}, "Pagamento")}));

  c.Run(NewTable(
      "PagamentoPorLanCcBancaria",
      {NotNull(kEmp, Int()), NotNull("Cd_Pagamento", Int()), NotNull("No_LanCcBancaria", Int())},
      PrimaryKey{"XPKPagamentoPorLanCcBancaria", {kEmp, "Cd_Pagamento", "No_LanCcBancaria"}},
      {Idx("XIF172PagamentoPorLanCcBancaria", {kEmp, "Cd_Pagamento"}),
       Idx("XIF173PagamentoPorLanCcBancaria", {"No_LanCcBancaria", kEmp})},
      {Ref("R_238", {kEmp, "No_LanCcBancaria"}, "LanCcBancaria"),
       Ref("R_237", {kEmp, "Cd_Pagamento"}, "Pagamento")}));

  c.Run(NewTable(
      "PagamentoPorLanCcPessoa",
      {NotNull("Cd_Pessoa", Int()), NotNull("Dt_Lancamento", DateTimeType()),
       NotNull("No_LancamentoCcPessoa", Int()), NotNull(kEmp, Int()),
       NotNull("Cd_Pagamento", Int())},
      PrimaryKey{"XPKPagamentoPorLanCcPessoa",
                 {"Cd_Pessoa", "Dt_Lancamento", "No_LancamentoCcPessoa", kEmp, "Cd_Pagamento"}},
      {Idx("XIF174PagamentoPorLanCcPessoa",
           {"Cd_Pessoa", "Dt_Lancamento", "No_LancamentoCcPessoa"}),
       Idx("XIF175PagamentoPorLanCcPessoa", {kEmp, "Cd_Pagamento"})},
      {Ref("R_240", {kEmp, "Cd_Pagamento"}, "Pagamento"),
       Ref("R_239", {"Cd_Pessoa", "Dt_Lancamento", "No_LancamentoCcPessoa"}, "LanCCPessoa")}));
}

// Step 131: receipts that are cash supplies, and the supplies of a
// cash-register period.
void Step131(StepContext& c) {
  c.Run(AddColumn{"Recebimento", Unstated("Ic_Suprimento", Bit())});
  c.Run(AddColumn{"Caixa", Unstated("Vl_Suprimento", MoneyType())});
}

// Step 133: the collection portfolio of a customer becomes a number. The
// codes come back as integers; a blank code becomes no code.
void Step133(StepContext& c) {
  RecreateThroughTemporaryColumn(
      c, "Cliente", Nullable("Cd_CarCob", Int()), "tempCd_CarCob",
      "CASE WHEN LTRIM(RTRIM(tempCd_CarCob)) = '' THEN Null ELSE CAST(tempCd_CarCob AS int) END");
}

}  // namespace

void AddSteps125To133(StepTable& t) {
  t.Add(Step{125, Tolerance::kNone, Step125});
  t.Add(Step{131, Tolerance::kNone, Step131});
  t.Add(Step{133, Tolerance::kNone, Step133});
}

}  // namespace bp::schema::s073
