// Version steps 120 to 124: the keys of the fuelings re-created, company
// counters dropped, the current accounts of employees widened to any person,
// cheques in batches tied to their receipts.
#include <string>

#include "schema/steps/steps_073_133_common.h"

namespace bp::schema::s073 {
namespace {

constexpr const char* kEmp = "Cd_PessoaUsuaria";

// Step 120 (every failing statement is skipped): re-creates the key, indexes
// and references of the fuelings (the key stays while coupon items refer to
// it); the company no longer keeps its own sequence counters and limits, and
// it names the ledger account of bad debts; the means of receipt lose their
// two sale accounts.
void Step120(StepContext& c) {
  RecreateKeysIndexesAndReferences(
      c, "Abastecimento", PrimaryKey{"Abastecimento_01", {kEmp, "Cd_Abastecimento"}},
      {Idx("XIE4Abastecimento", {"Cd_Cmc7"}), Idx("XIF1Abastecimento", {kEmp}),
       Idx("XIF11Abastecimento", {"Cd_Veiculo", kEmp}),
       Idx("XIF123Abastecimento", {"De_EnderecoLogicoBico"}),
       Idx("XIF13Abastecimento", {"Cd_Caixa"}),
       Idx("XIF5Abastecimento", {"Cd_Banco", "Cd_Agencia", "Cd_Conta", "Nm_IdDocumento"}),
       Idx("Abastecimento_03", {"Dt_Termino", "De_EnderecoLogicoBico"}),
       Idx("Abastecimento_04", {kEmp, "De_EnderecoLogicoBico", "Ic_Baixado"})},
      {Ref("R_161", {"De_EnderecoLogicoBico"}, "Bomba", {"De_EnderecoLogicoBico"}),
       Ref("ConChe_Abas", {"Cd_Banco", "Cd_Agencia", "Cd_Conta", "Nm_IdDocumento"},
           "ConsultaCheque"),
       Ref("Cai_Aba", {"Cd_Caixa"}, "Caixa"), Ref("Vei_Aba", {kEmp, "Cd_Veiculo"}, "Veiculo"),
       Ref("EmpUsu_Abas", {kEmp}, "EmpresaUsuaria")});

  for (const char* counter : {"Qt_MaxItens", "Qt_MaxPro", "Qt_MaxSer", "No_SeqDespesa",
                              "No_SeqItemDespesa", "No_SeqLanCCFuncionario", "No_SeqLanCCBancaria",
                              "No_SeqContasAPagar", "No_SeqLanBancoHoras"}) {
    c.Run(DropColumn{"EmpresaUsuaria", counter});
  }
  c.Run(AddColumn{"EmpresaUsuaria", Nullable("Cd_ContaContabilInadiplencia", Int())});
  c.Run(DropColumn{"TipoRecebimento", "Cd_ContaContabilVendaAcertada"});
  c.Run(DropColumn{"TipoRecebimento", "Cd_ContaContabilVendaACredito"});
}

// Step 121: the current-account entries of employees become those of any
// person. The entries move to the new table, which keeps the old key, index
// and reference names; they are put on it once the old table is gone.
void Step121(StepContext& c) {
  const char* t = "LanCCPessoa";
  Table table;
  table.name = t;
  table.columns = {NotNull("Cd_Pessoa", Int()),
                   NotNull("Dt_Lancamento", DateTimeType()),
                   NotNull("No_LancamentoCcPessoa", Int()),
                   Nullable("Ds_Historico", VarChar(60)),
                   Nullable("Vl_Lancamento", MoneyType()),
                   Nullable("Vl_Saldo", MoneyType()),
                   Nullable("Tp_Lancamento", TinyInt()),
                   Nullable("Fl_Digitado", Bit()),
                   Nullable("Cd_SeqDespesa", Int())};
  c.Run(CreateTable{table});
  c.Run(Data(Sql({
      "INSERT INTO LanCCPessoa (Cd_Pessoa, Dt_Lancamento, No_LancamentoCcPessoa, Ds_Historico,",
      "                         Vl_Lancamento, Vl_Saldo, Tp_Lancamento, Fl_Digitado, "
      "Cd_SeqDespesa)",
      "SELECT Cd_Funcionario, Dt_Lancamento, No_LancamentoCcFuncionario, Ds_Historico,",
      "       Vl_Lancamento, Vl_Saldo, Tp_Lancamento, Fl_Digitado, Cd_SeqDespesa",
      "FROM   LanCCFuncionario",
  })));
  c.Run(DropTable{"LanCCFuncionario"});
  c.Run(AddPrimaryKey{t, PrimaryKey{"LanCCFuncionario_01",
                                    {"Cd_Pessoa", "Dt_Lancamento", "No_LancamentoCcPessoa"}}});
  c.Run(CreateIndex{t, Idx("XIF327LanCCPessoa", {"Cd_Pessoa"})});
  c.Run(CreateIndex{t, Idx("XIF84LanCCPessoa", {"Cd_SeqDespesa"})});
  c.Run(CreateIndex{t, Idx("LanCCFuncionario_02", {"Cd_SeqDespesa"})});
  c.Run(AddForeignKey{t, Ref("R_228", {"Cd_Pessoa"}, "Pessoa")});
  c.Run(AddForeignKey{t, Ref("Des_LanCCFun", {"Cd_SeqDespesa"}, "Despesa", {"Cd_SeqDespesa"})});
}

// Step 124: other expenses on an output invoice; a cheque in a batch refers
// to the receipt it came in.
void Step124(StepContext& c) {
  c.Run(AddColumn{"NotaSaida", Nullable("Vl_OutrasDespesas", MoneyType())});
  c.Run(AddForeignKey{"ChequeEmLote", Ref("R_229", {kEmp, "No_Recebimento"}, "Recebimento")});
}

}  // namespace

void AddSteps120To124(StepTable& t) {
  t.Add(Step{120, Tolerance::kSkipAll, Step120});
  t.Add(Step{121, Tolerance::kNone, Step121});
  t.Add(Step{124, Tolerance::kNone, Step124});
}

}  // namespace bp::schema::s073
