// Steps 157 to 164: the keys of the invoice items, coupon discounts, the
// tax-rate slots of the fiscal printers, the company's obsolete settings,
// pump automation and ICMS-ST, and the general stock recomputation.
#include <cstdio>
#include <string>
#include <vector>

#include "bp/datetime.h"
#include "bp/erro.h"
#include "bp/erros.h"
#include "bp/host/bo_estoque.h"
#include "bp/host/bo_sistema.h"
#include "bp/schema/base_schema.h"
#include "schema/steps/steps_142_197_common.h"

namespace bp::schema::steps142 {
namespace {

// The key, indexes and references of the entry-invoice items.
Table ItemNotaEntradaConstraints() {
  Table t;
  t.name = "ItemNotaEntrada";
  t.primary_key = PrimaryKey{"ItemNotaEntrada_01", {kEmp, "No_Entrada", "No_Item"}, true};
  t.indexes = {Index{"XIF143ItemNotaEntrada", {kEmp}},
               Index{"XIF146ItemNotaEntrada", {"Cd_Cfop"}},
               Index{"XIF79ItemNotaEntrada", {"No_Entrada"}},
               Index{"XIF80ItemNotaEntrada", {"Cd_LancamentoCardex", kEmp}},
               Index{"XIF81ItemNotaEntrada", {"Cd_ProdutoItem", kEmp}}};
  t.foreign_keys = {Ref("Pro_IteNotEnt", {kEmp, "Cd_ProdutoItem"}, "Produto", {kEmp, "Cd_Produto"}),
                    Ref("R_207", {"Cd_Cfop"}, "CFOP"),
                    Ref("R_194", {kEmp}, "EmpresaUsuaria"),
                    Ref("Car_IteNotEnt", {kEmp, "Cd_LancamentoCardex"}, "Cardex"),
                    Ref("NotEnt_IteNotEnt", {"No_Entrada"}, "NotaEntrada")};
  return t;
}

// The key, indexes and references of the output-invoice items, including
// those on the fueling and piping-system columns, which an earlier step
// removed: they no longer exist, and re-creating them fails and is skipped.
Table ItemNotaSaidaConstraints() {
  Table t;
  t.name = "ItemNotaSaida";
  t.primary_key = PrimaryKey{"XPKItemNotaSaida", {kEmp, "Cd_TipoNF", "No_Nota", "No_Item"}};
  t.indexes = {Index{"XIF70ItemNotaSaida", {"No_Nota", kEmp, "Cd_TipoNF"}},
               Index{"XIF71ItemNotaSaida", {"Cd_Produto", kEmp}},
               Index{v18::kItemNotaSaidaAbastecimentoIndex, {"Cd_Abastecimento", kEmp}},
               Index{v18::kItemNotaSaidaSisTubulacaoIndex, {"Cd_SisTubulacao", kEmp}},
               Index{"XIF74ItemNotaSaida", {"Cd_LancamentoCardex", kEmp}}};
  t.foreign_keys = {
      Ref("Car_IteNotFis", {kEmp, "Cd_LancamentoCardex"}, "Cardex"),
      Ref("Pro_IteNotSai", {kEmp, "Cd_Produto"}, "Produto"),
      Ref("FK_ItemNotaSaida_NotaSaida", {kEmp, "Cd_TipoNF", "No_Nota"}, "NotaSaida"),
      Ref(v18::kItemNotaSaidaAbastecimentoReference, {kEmp, "Cd_Abastecimento"}, "Abastecimento"),
      Ref(v18::kItemNotaSaidaSisTubulacaoReference, {kEmp, "Cd_SisTubulacao"}, "SisTubulacao")};
  return t;
}

std::string TwoDigits(int n) {
  char text[4];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

Table AutomacaoBomba() {
  return MakeTable("AutomacaoBomba",
                   {NotNull(kEmp, Int()), Nullable("Cd_ModeloAutomacaoBombas", SmallInt()),
                    Nullable("No_CompativelPreset", Int()),
                    Nullable("No_ModoEncontrarQuantidade", Int()),
                    Nullable("No_PortaAutomacao", Int()),
                    Nullable("Qt_AbastecimentosPerdidos", Int()),
                    Nullable("Qt_TempoVerificarAbastecimentosPerdidos", Int()),
                    Nullable("Nm_ComputadorAutomacao", VarChar(30)),
                    Nullable("No_ContadorAutomacaoBombas", Int())},
                   {"XPKAutomacaoBomba", {kEmp}}, {},
                   {Ref("R_257", {kEmp}, "EmpresaUsuaria")});
}

}  // namespace

void AddSteps157To164(StepTable& t) {
  // Step 157: re-creates the keys, indexes and references of the invoice
  // items (a failure there is skipped), then adds the coupon discount.
  t.Add(Step{157, Tolerance::kSkipUntilMarked, [](StepContext& c) {
               RecreateConstraints(c, ItemNotaEntradaConstraints());
               RecreateConstraints(c, ItemNotaSaidaConstraints());
               c.EndTolerance();
               c.Run(AddColumn{"EmpresaUsuaria", Unstated("Ic_PermitirDescontoCF", Bit())});
               c.Run(AddColumn{"CupomFiscal", Unstated("Vl_DescontoCF", MoneyType())});
             }});

  // Step 158: tax-rate slots 01 to 16 of the fiscal printer (type and rate).
  t.Add(Step{158, Tolerance::kNone, [](StepContext& c) {
               std::vector<Column> slots;
               for (int n = 1; n <= 16; ++n) {
                 slots.push_back(Nullable("Tp_T" + TwoDigits(n), TinyInt()));
                 slots.push_back(Nullable("Al_T" + TwoDigits(n), MoneyType()));
               }
               AddColumns(c, "ECF", slots);
             }});

  // Step 160: drops company settings nothing reads any more; adds whether
  // entry invoices must have their payables and expenses their counterpart
  // typed in.
  t.Add(Step{160, Tolerance::kNone, [](StepContext& c) {
               for (const char* column :
                    {"Qt_DiasApNota", "Dt_UltimoDiaApNota", "No_MaxPagLF",
                     "Qt_MaxConVenXCFEmitido", "Tp_ConRecFatCar", "Tp_ConRecFatBal",
                     "Tp_ConRecFatBan", "Dt_InicialLmc", "Dt_UltimaVerificacaoConsistenciaDosDados",
                     "Dt_UltimoDiaEnvioEMailCliente", "Qt_TamCodBarrasCracha",
                     "Qt_MaximoPermitidoParaBancoHoras"}) {
                 c.Run(DropColumn{"EmpresaUsuaria", column});
               }
               AddColumns(c, "EmpresaUsuaria",
                          {Nullable("Ic_ExigirDigitacaoContasAPagarNotaEntrada", Bit()),
                           Nullable("Ic_ExigirDigitacaoContrapartidaDespesa", Bit())});
             }});

  // Step 162: pump-automation settings; ICMS-ST paid in advance (rates,
  // bases and values) on natures, entry items, products, invoices and
  // customers.
  t.Add(Step{162, Tolerance::kNone, [](StepContext& c) {
               c.Run(CreateTable{AutomacaoBomba()});
               c.Run(AddColumn{"NaturezaProduto", Nullable("Ic_DestacarIcmsST", Bit())});
               AddColumns(c, "ItemNotaEntrada",
                          {Nullable("Vl_IcmsStAnterior", MoneyType()),
                           Nullable("Vl_BaseCalculoIcmsStAnterior", MoneyType())});
               AddColumns(c, "Produto",
                          {Nullable("Tx_IcmsStAnterior", MoneyType()),
                           Nullable("Vl_BaseCalculoIcmsStAnterior", MoneyType())});
               AddColumns(c, "NotaSaida",
                          {Nullable("Vl_IcmsStAnterior", MoneyType()),
                           Nullable("Vl_BaseCalculoIcmsStAnterior", MoneyType())});
               c.Run(AddColumn{"Cliente", Nullable("Ic_DestacarIcmsST", Bit())});
             }});

  // Step 164: the host recomputes the stock of the user company from
  // 1 January 2005; a refusal fails the step with the host's message.
  t.Add(Step{164, Tolerance::kNone, [](StepContext& c) {
               auto recalculo = c.Session().CriarRecalculoGeralEstoque();
               std::string mensagem;
               if (!recalculo->Recalcular(c.Session().Cd_PessoaUsuaria(), DateTime::Of(2005, 1, 1),
                                          mensagem)) {
                 throw Erro(kErroNegocio, RetornaDescricaoErro(kErroNegocio) + mensagem,
                            c.Origin());
               }
             }});
}

}  // namespace bp::schema::steps142
