// Version steps 73 to 97: tank reconciliations, pump and fueling settings,
// repair-shipment CFOPs of product natures and the guarantor of a
// receivable.
#include "schema/steps/steps_073_133_common.h"

namespace bp::schema::s073 {
namespace {

constexpr const char* kEmp = "Cd_PessoaUsuaria";

// Step 73: the stock of each tank measured at a reconciliation, and a remark
// on each receivable.
void Step73(StepContext& c) {
  c.Run(NewTable("ConciliacaoEstoqueTanques",
                 {NotNull("Dt_Conciliacao", DateTimeType()), NotNull(kEmp, Int()),
                  NotNull("No_Tanque", TinyInt()), Nullable("Qt_Estoque", Float())},
                 PrimaryKey{"XPKConciliacaoEstoqueTanques", {kEmp, "No_Tanque", "Dt_Conciliacao"}},
                 {Idx("XIF159ConciliacaoEstoqueTanques", {kEmp, "No_Tanque"})},
                 {Ref("R_222", {kEmp, "No_Tanque"}, "Tanque")}));
  c.Run(AddColumn{"ContaAReceber", Nullable("Ds_Observacao", VarChar(100))});
}

// Step 74: who answers for a pump's fuelings is now set per pump; every pump
// starts with kind 1 and the company-wide setting goes away.
void Step74(StepContext& c) {
  c.Run(AddColumn{"Bomba", Nullable("No_TipoControleResponsabilidade", TinyInt())});
  c.Run(DropColumn{"EmpresaUsuaria", "No_MetodoControleRespBomba"});
  c.Run(Data(Sql({"UPDATE Bomba", "SET    No_TipoControleResponsabilidade = 1"})));
}

// Step 76: the CMC-7 line of the cheque that paid a fueling, indexed for
// look-ups by cheque.
void Step76(StepContext& c) {
  c.Run(AddColumn{"Abastecimento", Nullable("Cd_Cmc7", VarChar(30))});
  c.Run(CreateIndex{"Abastecimento", Idx("XIE4Abastecimento", {"Cd_Cmc7"})});
}

// Step 87: a nozzle can be blocked.
void Step87(StepContext& c) { c.Run(AddColumn{"Bomba", Nullable("Fl_BloquearBico", Bit())}); }

// Step 89: fuelings the automation did not settle may be settled after a
// number of seconds.
void Step89(StepContext& c) {
  c.Run(AddColumn{"EmpresaUsuaria", Nullable("Ic_BaixarAbastecimentoSemBaixaAutomatica", Bit())});
  c.Run(AddColumn{"EmpresaUsuaria",
                  Nullable("Qt_SegundosBaixarAbastecimentoSemBaixaAutomatica", Int())});
}

// Step 92: coupons settled by the automation; a fixed price in a special
// price condition.
void Step92(StepContext& c) {
  c.Run(AddColumn{"CupomFiscal", Nullable("Ic_BaixaAutomatica", Bit())});
  c.Run(AddColumn{"CondEspecialPreco", Nullable("Vl_Preco", MoneyType())});
}

// Step 94: the CFOPs of goods sent for repair, inside and outside the state.
void Step94(StepContext& c) {
  const char* t = "NaturezaProduto";
  c.Run(AddColumn{t, Nullable("Cd_CFOPCompRemessaConsertoInterestadual", VarChar(2))});
  c.Run(AddColumn{t, Nullable("Cd_CFOPRemessaConsertoInterestadual", VarChar(4))});
  c.Run(AddColumn{t, Nullable("Cd_CompCFOPRemessaConsertoEstadual", VarChar(2))});
  c.Run(AddColumn{t, Nullable("Cd_CFOPRemessaConsertoEstadual", VarChar(4))});
}

// Step 97: the guarantor of a receivable, a person.
void Step97(StepContext& c) {
  c.Run(AddColumn{"ContaAReceber", Nullable("Cd_PessoaAvalista", Int())});
  c.Run(AddColumn{"ContaAReceber", Nullable("Ic_Avalista", Bit())});
  c.Run(CreateIndex{"ContaAReceber", Idx("XIF160ContaAReceber", {"Cd_PessoaAvalista"})});
  c.Run(AddForeignKey{"ContaAReceber", Ref("R_223", {"Cd_PessoaAvalista"}, "Pessoa")});
}

}  // namespace

void AddSteps073To097(StepTable& t) {
  t.Add(Step{73, Tolerance::kNone, Step73});
  t.Add(Step{74, Tolerance::kNone, Step74});
  t.Add(Step{76, Tolerance::kNone, Step76});
  t.Add(Step{87, Tolerance::kNone, Step87});
  t.Add(Step{89, Tolerance::kNone, Step89});
  t.Add(Step{92, Tolerance::kNone, Step92});
  t.Add(Step{94, Tolerance::kNone, Step94});
  t.Add(Step{97, Tolerance::kNone, Step97});
}

}  // namespace bp::schema::s073
