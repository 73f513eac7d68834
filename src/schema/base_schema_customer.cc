// Base schema, customer and financial area: payment conditions, customers
// and their cards, receivables, cash-register periods, receipts and cheques,
// banks and bank accounts, suppliers and payables, expenses, ledger accounts
// and the employees' current accounts.
#include <string>

#include "bp/schema/base_schema.h"
#include "schema/base_schema_builder.h"

namespace bp::schema::base {
namespace {

const std::string kEmp = "Cd_PessoaUsuaria";

void AddCustomers(Builder& b) {
  b.Table("ConPag",
          {NotNull(kEmp, Int()),
           NotNull("Cd_Pag", Int()),
           Nullable("Ds_Pag", VarChar(30)),
           Nullable("Qt_Parcelas", TinyInt())},
          Key("PK_ConPag", {kEmp, "Cd_Pag"}));
  b.Reference("ConPag", "FK_ConPag_EmpresaUsuaria", {kEmp}, "EmpresaUsuaria");

  // Customers of a company; the customer code is the customer's person code.
  // The billing of coupons reads the discount and surcharge rates, the
  // collection type (the first of the three indicators that is set) and
  // whether the last derived date is the due date itself.
  b.Table("Cliente",
          {NotNull(kEmp, Int()),
           NotNull("Cd_Cliente", Int()),
           Nullable("Cd_Pag", Int()),
           Nullable("Cd_CarCob", VarChar(3)),
           Nullable("Vl_LimiteCredito", MoneyType()),
           Nullable("Tx_Desconto", MoneyType()),
           Nullable("Tx_Acrescimo", MoneyType()),
           Nullable("Ic_CobrancaCarteira", Bit()),
           Nullable("Ic_CobrancaBoleta", Bit()),
           Nullable("Ic_CobrancaBanco", Bit()),
           Nullable("Ic_DataLimiteNoVencimento", Bit()),
           Nullable("Tp_ImpNf", TinyInt()),
           Nullable("Ic_Bloqueado", Bit()),
           Nullable("Dt_Cadastro", DateTimeType())},
          Key("PK_Cliente", {kEmp, "Cd_Cliente"}));
  b.Reference("Cliente", "FK_Cliente_EmpresaUsuaria", {kEmp}, "EmpresaUsuaria");
  b.Reference("Cliente", "FK_Cliente_Pessoa", {"Cd_Cliente"}, "Pessoa", {"Cd_Pessoa"});

  // Customer cards of the first card model (replaced by a later version).
  b.Table("Cartao",
          {NotNull(kEmp, Int()),
           NotNull("No_Cartao", VarChar(20)),
           NotNull("Cd_Cliente", Int()),
           Nullable("Nm_Portador", VarChar(40)),
           Nullable("Dt_Validade", DateTimeType()),
           Nullable("Ic_Bloqueado", Bit())},
          Key("PK_Cartao", {kEmp, "No_Cartao"}));
  b.Reference("Cartao", "FK_Cartao_Cliente", {kEmp, "Cd_Cliente"}, "Cliente");

  // Receivables: a customer's billed coupons become one receivable.
  b.Table("ContaAReceber",
          {NotNull(kEmp, Int()),
           NotNull("Cd_ContaAReceber", Int()),
           NotNull("Cd_Cliente", Int()),
           Nullable("Cd_Pessoa", Int()),
           Nullable("Dt_Emissao", DateTimeType()),
           Nullable("Dt_Vencimento", DateTimeType()),
           Nullable("Dt_VencimentoOriginal", DateTimeType()),
           Nullable("No_Parcela", TinyInt()),
           Nullable("Qt_Parcelas", TinyInt()),
           Nullable("Tp_Documento", TinyInt()),
           Nullable("Vl_DespesaCobranca", MoneyType()),
           Nullable("Vl_Debito", MoneyType()),
           Nullable("Vl_Desconto", MoneyType()),
           Nullable("Vl_Acrescimo", MoneyType()),
           Nullable("Vl_Pagamentos", MoneyType()),
           Nullable("Vl_SaldoDebito", MoneyType()),
           Nullable("Dt_Cadastro", DateTimeType()),
           Nullable("Cd_Funcionario", Int()),
           Nullable("Ic_Faturada", Bit()),
           Nullable("Tp_Cobranca", VarChar(1)),
           Nullable("Dt_Cobranca", DateTimeType()),
           Nullable("Dt_Limite", DateTimeType()),
           Nullable("Dt_Protesto", DateTimeType()),
           Nullable("Dt_Pagamento", DateTimeType()),
           Nullable("Dt_BloqueioCredito", DateTimeType())},
          Key("PK_ContaAReceber", {kEmp, "Cd_ContaAReceber"}));
  b.Index("ContaAReceber", "IX_ContaAReceber_Cliente", {kEmp, "Cd_Cliente"});
  b.Reference("ContaAReceber", "FK_ContaAReceber_Cliente", {kEmp, "Cd_Cliente"}, "Cliente");
}

void AddCashAndReceipts(Builder& b) {
  // Means of receipt; the two ledger-account columns are dropped later.
  b.Table("TipoRecebimento",
          {NotNull(kEmp, Int()),
           NotNull("Cd_TipoRecebimento", Int()),
           NotNull("Nm_TipoRecebimento", VarChar(40)),
           Nullable("No_TipoPagamento", TinyInt()),
           Nullable("Cd_ContaContabilVendaAcertada", Int()),
           Nullable("Cd_ContaContabilVendaACredito", Int()),
           Nullable("Ic_Ativo", Bit())},
          Key("PK_TipoRecebimento", {kEmp, "Cd_TipoRecebimento"}));
  b.Reference("TipoRecebimento", "FK_TipoRecebimento_EmpresaUsuaria", {kEmp}, "EmpresaUsuaria");

  // Cash-register periods, each opened by an employee; numbered across the
  // database.
  b.Table("Caixa",
          {NotNull("Cd_Caixa", Int()),
           NotNull(kEmp, Int()),
           NotNull("Cd_Funcionario", Int()),
           NotNull("Dt_Abertura", DateTimeType()),
           Nullable("Dt_Fechamento", DateTimeType()),
           Nullable("Ic_Fechado", Bit()),
           Nullable("No_Impressora", TinyInt()),
           Nullable("Vl_Abertura", MoneyType()),
           Nullable("Vl_Vendas", MoneyType()),
           Nullable("Vl_Recebimentos", MoneyType()),
           Nullable("Vl_Sangria", MoneyType()),
           Nullable("Vl_Fechamento", MoneyType()),
           Nullable("Vl_Diferenca", MoneyType())},
          Key("PK_Caixa", {"Cd_Caixa"}));
  b.Index("Caixa", "IX_Caixa_Abertura", {kEmp, "Dt_Abertura"});
  b.Reference("Caixa", "FK_Caixa_Funcionario", {kEmp, "Cd_Funcionario"}, "Funcionario");

  // Receipts: money, cheques and other means received against a debit
  // document (Tp_DocDebito, No_DocDebito); the "Rec" columns describe a
  // received cheque, the "0"/"1" columns the two parties' documents.
  b.Table("Recebimento",
          {NotNull(kEmp, Int()),
           NotNull("No_Recebimento", Int()),
           Nullable("Tp_DocDebito", TinyInt()),
           Nullable("No_DocDebito", Int()),
           Nullable("Cd_TipoRecebimento", Int()),
           Nullable("Cd_Cmc7Rec", VarChar(30)),
           Nullable("Cd_BancoRec", SmallInt()),
           Nullable("Cd_AgenciaRec", SmallInt()),
           Nullable("Cd_ContaRec", Int()),
           Nullable("Nm_IdDocumentoRec", VarChar(10)),
           Nullable("Tp_Operacao", TinyInt()),
           Nullable("Cd_Tipo0", TinyInt()),
           Nullable("Cd_Tipo1", TinyInt()),
           Nullable("Cd_CgcCpf0", VarChar(18)),
           Nullable("Cd_CgcCpf1", VarChar(18)),
           Nullable("Dt_Recebimento", DateTimeType()),
           Nullable("Vl_Recebimento", MoneyType()),
           Nullable("Qt_DiasAtraso", Int()),
           Nullable("Vl_Amortizacao", MoneyType()),
           Nullable("Vl_JurosRec", MoneyType()),
           Nullable("Tx_MoraRec", MoneyType()),
           Nullable("Dt_Lancamento", DateTimeType()),
           Nullable("Cd_Caixa", Int()),
           Nullable("No_Sangria", Int())},
          Key("PK_Recebimento", {kEmp, "No_Recebimento"}));
  b.Reference("Recebimento", "FK_Recebimento_TipoRecebimento", {kEmp, "Cd_TipoRecebimento"},
              "TipoRecebimento");
  b.Reference("Recebimento", "FK_Recebimento_Caixa", {"Cd_Caixa"}, "Caixa");

  // Which coupons a receipt paid.
  const std::vector<std::string> coupon = {kEmp, "No_Impressora", "No_CupomFiscal", "Dt_Emissao"};
  b.Table("RecebimentoCupom",
          {NotNull(kEmp, Int()),
           NotNull("No_Recebimento", Int()),
           NotNull("No_Impressora", TinyInt()),
           NotNull("No_CupomFiscal", Int()),
           NotNull("Dt_Emissao", DateTimeType()),
           Nullable("Vl_Recebido", MoneyType())},
          Key("PK_RecebimentoCupom",
              {kEmp, "No_Recebimento", "No_Impressora", "No_CupomFiscal", "Dt_Emissao"}));
  b.Reference("RecebimentoCupom", "FK_RecebimentoCupom_Recebimento", {kEmp, "No_Recebimento"},
              "Recebimento");
  b.Reference("RecebimentoCupom", "FK_RecebimentoCupom_CupomFiscal", coupon, "CupomFiscal");

  // Received cheques gathered into deposit batches.
  b.Table("ChequeEmLote",
          {NotNull(kEmp, Int()),
           NotNull("No_Lote", Int()),
           NotNull("No_Recebimento", Int()),
           Nullable("Dt_Lote", DateTimeType()),
           Nullable("Dt_Deposito", DateTimeType())},
          Key("PK_ChequeEmLote", {kEmp, "No_Lote", "No_Recebimento"}));

  // Consultations of a cheque with a credit-check service, by bank, branch,
  // account and cheque number.
  b.Table("ConsultaCheque",
          {NotNull("Cd_Banco", SmallInt()),
           NotNull("Cd_Agencia", SmallInt()),
           NotNull("Cd_Conta", Int()),
           NotNull("Nm_IdDocumento", VarChar(10)),
           Nullable(kEmp, Int()),
           Nullable("Cd_Cmc7", VarChar(30)),
           Nullable("No_TipoPessoa", TinyInt()),
           Nullable("Cd_CpfCnpj", VarChar(18)),
           Nullable("Vl_Cheque", MoneyType()),
           Nullable("Dt_Deposito", DateTimeType()),
           Nullable("Tp_Operacao", TinyInt()),
           Nullable("Dt_Consulta", DateTimeType()),
           Nullable("Ic_Consultado", Bit()),
           Nullable("Ic_Aprovado", Bit()),
           Nullable("Ds_Resultado", VarChar(250))},
          Key("PK_ConsultaCheque", {"Cd_Banco", "Cd_Agencia", "Cd_Conta", "Nm_IdDocumento"}));
}

void AddBanksAndPayables(Builder& b) {
  b.Table("Banco", {NotNull("Cd_Banco", SmallInt()), NotNull("Nm_Banco", VarChar(40))},
          Key("PK_Banco", {"Cd_Banco"}));

  // The company's bank accounts.
  b.Table("ConBan",
          {NotNull(kEmp, Int()),
           NotNull("Cd_Banco", SmallInt()),
           NotNull("Cd_Agencia", SmallInt()),
           NotNull("Cd_Conta", Int()),
           Nullable("Nm_ConBan", VarChar(40)),
           Nullable("Vl_Saldo", MoneyType())},
          Key("PK_ConBan", {kEmp, "Cd_Banco", "Cd_Agencia", "Cd_Conta"}));
  b.Reference("ConBan", "FK_ConBan_Banco", {"Cd_Banco"}, "Banco");
  b.Reference("ConBan", "FK_ConBan_EmpresaUsuaria", {kEmp}, "EmpresaUsuaria");

  b.Table("TipoLanCCBancaria",
          {NotNull("Cd_TipoLanCCBancaria", TinyInt()),
           Nullable("Ds_TipoLanCCBancaria", VarChar(30)),
           Nullable("Tp_Natureza", TinyInt())},  // 1 credit, 2 debit
          Key("PK_TipoLanCCBancaria", {"Cd_TipoLanCCBancaria"}));

  // Suppliers of a company; the supplier code is the supplier's person code.
  b.Table("Fornecedor",
          {NotNull(kEmp, Int()),
           NotNull("Cd_Fornecedor", Int()),
           Nullable("Nm_Contato", VarChar(40)),
           Nullable("Ic_Ativo", Bit())},
          Key("PK_Fornecedor", {kEmp, "Cd_Fornecedor"}));
  b.Reference("Fornecedor", "FK_Fornecedor_EmpresaUsuaria", {kEmp}, "EmpresaUsuaria");
  b.Reference("Fornecedor", "FK_Fornecedor_Pessoa", {"Cd_Fornecedor"}, "Pessoa", {"Cd_Pessoa"});

  // Payables of the first payables model (replaced by a later version).
  b.Table("ContaAPagar",
          {NotNull(kEmp, Int()),
           NotNull("No_ContasAPagar", Int()),
           NotNull("Cd_Fornecedor", Int()),
           Nullable("No_SeqDespesa", Int()),
           Nullable("Id_DocumentoFornecedor", VarChar(25)),
           Nullable("Dt_Emissao", DateTimeType()),
           Nullable("Dt_Vencimento", DateTimeType()),
           Nullable("Vl_Debito", MoneyType()),
           Nullable("Vl_Pagamentos", MoneyType()),
           Nullable("Dt_Pagamento", DateTimeType()),
           Nullable("No_Situacao", TinyInt())},
          Key("PK_ContaAPagar", {kEmp, "No_ContasAPagar"}));
  b.Reference("ContaAPagar", "FK_ContaAPagar_Fornecedor", {kEmp, "Cd_Fornecedor"}, "Fornecedor");
}

void AddLedgerAndExpenses(Builder& b) {
  b.Table("TipoDespesa", {NotNull("Cd_Despesa", Int()), NotNull("Nm_Despesa", VarChar(40))},
          Key("PK_TipoDespesa", {"Cd_Despesa"}));

  // Ledger accounts, arranged in four levels.
  const std::string t = "ContaContabil";
  b.Table(t,
          {NotNull(kEmp, Int()),
           NotNull("Cd_ContaContabil", Int()),
           NotNull("Nm_ContaContabil", VarChar(40)),
           Nullable("Cd_Nivel1", Int()),
           Nullable("Cd_Nivel2", Int()),
           Nullable("Cd_Nivel3", Int()),
           Nullable("Cd_Nivel4", Int()),
           Nullable("Cd_Despesa", Int()),
           Nullable("Tp_Conta", TinyInt())},
          Key("ContaContabil_02", {kEmp, "Cd_ContaContabil"}));
  b.Index(t, "XIF138ContaContabil", {"Cd_Despesa"});
  b.Index(t, "XIF26ContaContabil", {kEmp});
  b.Index(t, "ContaContabil_01", {"Cd_Nivel1", "Cd_Nivel2", "Cd_Nivel3"});
  b.Reference(t, "R_177", {"Cd_Despesa"}, "TipoDespesa");
  b.Reference(t, "EmpUsu_ConCon", {kEmp}, "EmpresaUsuaria");

  // Expenses: numbered per company (No_Despesa) and across the database
  // (Cd_SeqDespesa, which the current-account entries refer to).
  b.Table("Despesa",
          {NotNull(kEmp, Int()),
           NotNull("No_Despesa", Int()),
           NotNull("Cd_SeqDespesa", Int()),
           Nullable("Cd_Fornecedor", Int()),
           Nullable("Cd_ContaContabil", Int()),
           Nullable("Cd_Caixa", Int()),
           Nullable("Dt_Lancamento", DateTimeType()),
           Nullable("Dt_Emissao", DateTimeType()),
           Nullable("Dt_Vencimento", DateTimeType()),
           Nullable("Id_Documento", VarChar(25)),
           Nullable("Vl_Despesa", MoneyType()),
           Nullable("Ds_Despesa", VarChar(60))},
          Key("PK_Despesa", {kEmp, "No_Despesa"}));
  b.Index("Despesa", "IX_Despesa_SeqDespesa", {"Cd_SeqDespesa"}, /*unique=*/true);
  b.Reference("Despesa", "FK_Despesa_EmpresaUsuaria", {kEmp}, "EmpresaUsuaria");

  b.Table("ItemDespesa",
          {NotNull(kEmp, Int()),
           NotNull("No_Despesa", Int()),
           NotNull("No_Item", SmallInt()),
           Nullable("Cd_ContaContabil", Int()),
           Nullable("Vl_Item", MoneyType()),
           Nullable("Nm_HistoricoComplementar", VarChar(100))},
          Key("PK_ItemDespesa", {kEmp, "No_Despesa", "No_Item"}));
  b.Reference("ItemDespesa", "FK_ItemDespesa_Despesa", {kEmp, "No_Despesa"}, "Despesa");

  // Current-account entries of employees (replaced later by the entries of
  // any person).
  const std::string cc = "LanCCFuncionario";
  b.Table(cc,
          {NotNull("Cd_Funcionario", Int()),
           NotNull("Dt_Lancamento", DateTimeType()),
           NotNull("No_LancamentoCcFuncionario", Int()),
           Nullable("Ds_Historico", VarChar(60)),
           Nullable("Vl_Lancamento", MoneyType()),
           Nullable("Vl_Saldo", MoneyType()),
           Nullable("Tp_Lancamento", TinyInt()),
           Nullable("Fl_Digitado", Bit()),
           Nullable("Cd_SeqDespesa", Int())},
          Key("LanCCFuncionario_01", {"Cd_Funcionario", "Dt_Lancamento",
                                      "No_LancamentoCcFuncionario"}));
  b.Index(cc, "XIF84LanCCFuncionario", {"Cd_SeqDespesa"});
  b.Index(cc, "LanCCFuncionario_02", {"Cd_SeqDespesa"});
  b.Reference(cc, "Des_LanCCFun", {"Cd_SeqDespesa"}, "Despesa");
  b.Reference(cc, "FK_LanCCFuncionario_Pessoa", {"Cd_Funcionario"}, "Pessoa", {"Cd_Pessoa"});
}

}  // namespace

void AddCustomerTables(Builder& b) {
  AddCustomers(b);
  AddCashAndReceipts(b);
  AddBanksAndPayables(b);
  AddLedgerAndExpenses(b);
}

}  // namespace bp::schema::base
