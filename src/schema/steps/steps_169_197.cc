// Steps 169 to 197: odometers, customer groups and sales commissions, the
// card model, the company's default customer group and cheque acceptance.
#include <string>
#include <utility>
#include <vector>

#include "schema/steps/steps_142_197_common.h"

namespace bp::schema::steps142 {
namespace {

Table GrupoCliente() {
  return MakeTable("GrupoCliente",
                   {NotNull("Cd_GrupoCliente", Int()), NotNull("Nm_GrupoCliente", NVarChar(30))},
                   {"XPKGrupoCliente", {"Cd_GrupoCliente"}});
}

// The commission grid: one rate per customer group, product group and
// function; from step 179 on also per company.
Table GradeComissao(bool per_company) {
  std::vector<Column> columns = {NotNull("Cd_GrupoCliente", Int()), NotNull("Cd_GrupoProduto", Int()),
                                 NotNull("Cd_Funcao", Int()), Nullable("Tx_Comissao", MoneyType())};
  std::vector<std::string> key = {"Cd_GrupoCliente", "Cd_GrupoProduto", "Cd_Funcao"};
  std::vector<Index> indexes = {Index{"XIF193GradeComissao", {"Cd_GrupoCliente"}},
                                Index{"XIF194GradeComissao", {"Cd_GrupoProduto"}},
                                Index{"XIF195GradeComissao", {"Cd_Funcao"}}};
  std::vector<ForeignKey> references = {Ref("R_262", {"Cd_Funcao"}, "Funcao"),
                                        Ref("R_261", {"Cd_GrupoProduto"}, "GrupoProduto"),
                                        Ref("R_260", {"Cd_GrupoCliente"}, "GrupoCliente")};
  if (per_company) {
    columns.insert(columns.begin(), NotNull(kEmp, Int()));
    key.insert(key.begin(), kEmp);
    indexes.push_back(Index{"XIF202GradeComissao", {kEmp}});
    references.insert(references.begin(), Ref("R_278", {kEmp}, "EmpresaUsuaria"));
  }
  return MakeTable("GradeComissao", std::move(columns), {"XPKGradeComissao", std::move(key)},
                   std::move(indexes), std::move(references));
}

Table TipoCartao() {
  return MakeTable("TipoCartao",
                   {NotNull("Cd_TipoCartao", Int()), NotNull("Nm_TipoCartao", VarChar(20)),
                    Nullable("No_PessoaImpressaNoCupom", TinyInt())},
                   {"XPKTipoCartao", {"Cd_TipoCartao"}});
}

Table Cartao() {
  return MakeTable("Cartao",
                   {NotNull(kEmp, Int()), NotNull("Cd_Cartao", Int()), NotNull("Cd_TipoCartao", Int()),
                    NotNull("Cd_Cliente", Int()), NotNull("Nm_Pessoa", VarChar(40)),
                    Nullable("No_TipoPessoa", TinyInt()), Nullable("Cd_CnpjCpf", VarChar(18)),
                    Nullable("Cd_IEstRg", VarChar(25))},
                   {"XPKCartao", {kEmp, "Cd_TipoCartao", "Cd_Cartao"}},
                   {Index{"XIF196Cartao", {kEmp}}, Index{"XIF197Cartao", {"Cd_TipoCartao"}},
                    Index{"XIF203Cartao", {kEmp, "Cd_Cliente"}}},
                   {Ref("R_275", {kEmp, "Cd_Cliente"}, "Cliente"),
                    Ref("R_265", {kEmp}, "EmpresaUsuaria"),
                    Ref("R_266", {"Cd_TipoCartao"}, "TipoCartao")});
}

Table TipoCartaoCliente() {
  return MakeTable("TipoCartaoCliente",
                   {NotNull("Cd_TipoCartao", Int()), NotNull("Cd_Cliente", Int()),
                    NotNull(kEmp, Int()), Nullable("No_ProcedimentoAutorizacao", Int()),
                    Nullable("No_Estabelecimento", Int())},
                   {"XPKTipoCartaoCliente", {"Cd_TipoCartao"}},
                   {Index{"XIF202TipoCartaoCliente", {kEmp, "Cd_Cliente"}}},
                   {Ref("R_274", {kEmp, "Cd_Cliente"}, "Cliente"),
                    Ref("R_273", {"Cd_TipoCartao"}, "TipoCartao")});
}

Table VendaCartaoPorCupomFiscal() {
  const std::vector<std::string> coupon = {kEmp, "No_Impressora", "No_CupomFiscal", "Dt_Emissao"};
  return MakeTable("VendaCartaoPorCupomFiscal",
                   {NotNull(kEmp, Int()), NotNull("No_Impressora", TinyInt()),
                    NotNull("No_CupomFiscal", Int()), NotNull("Dt_Emissao", DateTimeType()),
                    NotNull("Cd_TipoCartao", Int()), NotNull("Cd_Cartao", Int()),
                    Nullable("Ic_Aprovado", Bit()), Nullable("Dt_Aprovacao", DateTimeType())},
                   {"XPKVendaCartaoPorCupomFiscal",
                    {kEmp, "No_Impressora", "No_CupomFiscal", "Dt_Emissao", "Cd_TipoCartao",
                     "Cd_Cartao"}},
                   {Index{"XIF276VendaCartaoPorCupomFiscal", coupon},
                    Index{"XIF277VendaCartaoPorCupomFiscal", {kEmp, "Cd_TipoCartao", "Cd_Cartao"}}},
                   {Ref("R_269", {kEmp, "Cd_TipoCartao", "Cd_Cartao"}, "Cartao"),
                    Ref("R_268", coupon, "CupomFiscal")});
}

}  // namespace

void AddSteps169To197(StepTable& t) {
  // Step 169: the pump's odometer mode; no customer has to give the
  // odometer reading at a sale yet.
  t.Add(Step{169, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"Bomba", Nullable("No_Hodometro", Int())});
               c.Run(AddColumn{"Cliente", Nullable("Ic_ExigirHodometroNaVenda", Bit())});
               SetInEveryRow(c, "Cliente", "Ic_ExigirHodometroNaVenda", "0");
             }});

  // Step 170: the odometer reading of a fueling.
  t.Add(Step{170, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"Abastecimento", Nullable("No_Hodometro", Int())});
             }});

  // Step 174: customer groups (every customer starts in group 1, GERAL),
  // the commission grid, the seller of a coupon and commission settings.
  t.Add(Step{174, Tolerance::kNone, [](StepContext& c) {
               c.Run(CreateTable{GrupoCliente()});
               c.Run(SeedRows{"GrupoCliente",
                              {"Cd_GrupoCliente", "Nm_GrupoCliente"},
                              {{Value(int32_t{1}), Value("GERAL")}}});
               c.Run(CreateTable{GradeComissao(false)});
               c.Run(AddColumn{"Cliente", Nullable("Cd_GrupoCliente", Int())});
               c.Run(CreateIndex{"Cliente", Index{"XIF192Cliente", {"Cd_GrupoCliente"}}});
               c.Run(AddForeignKey{"Cliente", Ref("R_259", {"Cd_GrupoCliente"}, "GrupoCliente")});
               c.Run(AddColumn{"CupomFiscal", Nullable("Cd_Vendedor", Int())});
               c.Run(CreateIndex{"CupomFiscal", Index{"XIF196CupomFiscal", {kEmp, "Cd_Vendedor"}}});
               c.Run(AddForeignKey{"CupomFiscal",
                                   Ref("R_263", {kEmp, "Cd_Vendedor"}, "Funcionario")});
               AddColumns(c, "EmpresaUsuaria",
                          {Nullable("Ic_EmpresaPagaComissao", Bit()),
                           Nullable("Tx_ComissaoPadrao", MoneyType())});
               AddColumns(c, "ItemCupomFiscal",
                          {Nullable("Qt_KmPorLitro", MoneyType()),
                           Nullable("Vl_ComissaoVendedor", MoneyType())});
               SetInEveryRow(c, "Cliente", "Cd_GrupoCliente", "1");
             }});

  // Step 177: the card model: card types, cards by type, the types each
  // customer accepts and the card of each coupon; products can be
  // deactivated (all start active); users may or may not register gauge
  // tests (none may at first).
  t.Add(Step{177, Tolerance::kNone, [](StepContext& c) {
               c.Run(DropTable{"Cartao"});
               c.Run(CreateTable{TipoCartao()});
               c.Run(CreateTable{Cartao()});
               c.Run(CreateTable{TipoCartaoCliente()});
               c.Run(CreateTable{VendaCartaoPorCupomFiscal()});
               c.Run(DropColumn{"CupomFiscal", "No_Cartao"});
               c.Run(AddColumn{"Cliente", Nullable("No_LayOutArqImpCartoes", Int())});
               c.Run(AddColumn{"Produto", Nullable("Ic_Ativo", Bit())});
               c.Run(AddColumn{"Usuario", Nullable("FlMPermitidoAfericoes", VarChar(1))});
               SetInEveryRow(c, "Produto", "Ic_Ativo", "-1");
               SetInEveryRow(c, "Usuario", "FlMPermitidoAfericoes", "'0'");
             }});

  // Step 179: the commission grid starts over, now per company.
  t.Add(Step{179, Tolerance::kNone,
             [](StepContext& c) { ReplaceTables(c, {GradeComissao(true)}); }});

  // Step 180: the customer group new customers get.
  t.Add(Step{180, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"EmpresaUsuaria", Nullable("Cd_GrupoClientePadrao", Int())});
               c.Run(CreateIndex{"EmpresaUsuaria",
                                 Index{"XIF203EmpresaUsuaria", {"Cd_GrupoClientePadrao"}}});
               c.Run(AddForeignKey{"EmpresaUsuaria",
                                   Ref("R_279", {"Cd_GrupoClientePadrao"}, "GrupoCliente")});
             }});

  // Step 186: which cheques of unapproved, unrated or unregistered
  // customers the station accepts.
  t.Add(Step{186, Tolerance::kNone, [](StepContext& c) {
               AddColumns(c, "EmpresaUsuaria",
                          {Nullable("Ic_AceitarChClienteNaoAutorizado", Bit()),
                           Nullable("Ic_AceitarChClienteCreditoADefinir", Bit()),
                           Nullable("Ic_AceitarChPreClienteNaoCadastrado", Bit())});
             }});

  // Step 192: how many open items a card type allows (none for the
  // existing types).
  t.Add(Step{192, Tolerance::kNone, [](StepContext& c) {
               Column column = NotNull("Qt_PendenciasPermitidas", Int());
               column.default_value = Value(int32_t{0});
               c.Run(AddColumn{"TipoCartao", column});
             }});

  // Step 197: the version number moved on with no change to the schema.
  t.Add(Step{197, Tolerance::kNone, [](StepContext&) {}});
}

}  // namespace bp::schema::steps142
