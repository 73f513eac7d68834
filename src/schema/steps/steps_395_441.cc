// Steps 395 to 441: company settings, the work tables of reports, cash
// divergences, fuel-book parameters and page numbers, NBM product groups,
// the general cash ledger's link to the cash register, credit blocks,
// cheque layouts, payees of bank entries and the employees' bank data.
#include <string>

#include "bp/datetime.h"
#include "schema/steps/steps_308_441_common.h"

namespace bp::schema::s308 {
namespace {

CreateTable TipoDivergenciaCaixa() {
  return NewTable("TipoDivergenciaCaixa",
                  {NotNull("Cd_TipoDivergenciaCaixa", Int()),
                   Nullable("Ds_DivergenciaCaixa", VarChar(40)),
                   Nullable("No_NaturezaDivergencia", Int())},
                  PrimaryKey{"XPKTipoDivergenciaCaixa", {"Cd_TipoDivergenciaCaixa"}});
}

CreateTable DivergenciaCaixa() {
  return NewTable("DivergenciaCaixa",
                  {NotNull("Cd_Caixa", Int()), NotNull("Cd_TipoDivergenciaCaixa", Int()),
                   Nullable("Vl_Divergencia", MoneyType()),
                   Nullable("Ds_Divergencia", VarChar(200))},
                  PrimaryKey{"XPKDivergenciaCaixa", {"Cd_Caixa", "Cd_TipoDivergenciaCaixa"}},
                  {Index{"XIF215DivergenciaCaixa", {"Cd_Caixa"}},
                   Index{"XIF216DivergenciaCaixa", {"Cd_TipoDivergenciaCaixa"}}},
                  {ForeignKey{"R_297", {"Cd_TipoDivergenciaCaixa"}, "TipoDivergenciaCaixa"},
                   ForeignKey{"R_296", {"Cd_Caixa"}, "Caixa"}});
}

// The kinds of divergence, each with its nature (1 or 2).
SeedRows KindsOfDivergence() {
  SeedRows seed{"TipoDivergenciaCaixa",
                {"Cd_TipoDivergenciaCaixa", "Ds_DivergenciaCaixa", "No_NaturezaDivergencia"},
                {}};
  const struct {
    int32_t code;
    const char* text;
    int32_t nature;
  } kinds[] = {{1, "CUPONS SEM VENDA", 1},
               {2, "OUTROS RECEBIMENTOS EM DINHEIRO", 1},
               {3, "VENDAS SEM CUPOM", 2},
               {4, "CONTAS RECEBIDA SEM BAIXA", 2},
               {5, "CREDITO CLIENTES", 2}};
  for (const auto& kind : kinds) {
    seed.rows.push_back({Value(kind.code), Value(kind.text), Value(kind.nature)});
  }
  return seed;
}

CreateTable LayoutCheque() {
  std::vector<Column> columns = {NotNull("Cd_Banco", SmallInt())};
  for (const char* name :
       {"Qt_DistanciaTopoValor", "Qt_DistanciaEsquerdaValor", "Qt_CaracteresValor",
        "Qt_DistanciaTopoExtenso1", "Qt_DistanciaEsquerdaExtenso1", "Qt_CaracteresExtenso1",
        "Qt_DistanciaTopoExtenso2", "Qt_DistanciaEsquerdaExtenso2", "Qt_CaracteresExtenso2",
        "Qt_DistanciaTopoFavorecido", "Qt_DistanciaEsquerdaFavorecido", "Qt_CaracteresFavorecido",
        "Qt_DistanciaTopoData", "Qt_DistanciaEsquerdaLocalidade", "Qt_DistanciaEsquerdaDiaMes",
        "Qt_DistanciaEsquerdaExtensoMes", "Qt_DistanciaEsquerdaAno"}) {
    columns.push_back(Nullable(name, Int()));
  }
  return NewTable("LayoutCheque", std::move(columns), PrimaryKey{"XPKLayoutCheque", {"Cd_Banco"}},
                  {}, {ForeignKey{"R_299", {"Cd_Banco"}, "Banco"}});
}

// Three products side by side on each line of a product report.
CreateTable TempRelProduto5() {
  std::vector<Column> columns;
  for (const char* n : {"1", "2", "3"}) {
    const std::string suffix = n;
    columns.push_back(NotNull("Cd_Produto" + suffix, Int()));
    columns.push_back(NotNull("Nm_Produto" + suffix, VarChar(40)));
    columns.push_back(Nullable("Vl_Preco" + suffix, Float()));
    columns.push_back(Nullable("Cd_CodBarras" + suffix, VarChar(15)));
  }
  return NewTable("TempRelProduto5", std::move(columns));
}

}  // namespace

void AddSteps395To441(StepTable& t) {
  // Step 395: whether the daily closing posts receivables given up as lost;
  // on for the companies that exist.
  t.Add(Step{395, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"EmpresaUsuaria",
                               Nullable("Ic_LancarInadiplenciaPerdidaNoFechamentoDiario", Bit())});
               Update(c, "EmpresaUsuaria", {{"Ic_LancarInadiplenciaPerdidaNoFechamentoDiario", "-1"}});
             }});

  // Step 398: work table of a receipt report (shares of each means of
  // receipt in its group and in the sales).
  t.Add(Step{398, Tolerance::kNone, [](StepContext& c) {
               c.Run(NewTable("TempRelRecebimento4",
                              {Nullable("Nm_GrupoRecebimento", CaseInsensitive(VarChar(40))),
                               Nullable("Nm_TipoRecebimento", CaseInsensitive(VarChar(40))),
                               Nullable("Vl_SomaGrupo", MoneyType()),
                               Nullable("Vl_SomaTipo", MoneyType()),
                               Nullable("Vl_VendaTotal", MoneyType()),
                               Nullable("Tx_ParticipacaoDaFormaNoGrupo", MoneyType()),
                               Nullable("Tx_ParticipacaoDaFormaNaVenda", MoneyType()),
                               Nullable("Tx_ParticipacaoDoGrupoNaVenda", MoneyType())}));
             }});

  // Step 401: work table of a cash report.
  t.Add(Step{401, Tolerance::kNone, [](StepContext& c) {
               const ColumnType label = CaseInsensitive(VarChar(80));
               c.Run(NewTable("TempRelCaixa14",
                              {Unstated("Label1", label), Unstated("Label2", label),
                               Unstated("Label3", label), Unstated("Label4", label),
                               Unstated("Cd_Grupo", CaseInsensitive(VarChar(5))),
                               Unstated("Nm_Grupo", label), Nullable("Cd_Item", Int()),
                               Unstated("Nm_Item", label), Nullable("Valor1", MoneyType()),
                               Nullable("Valor2", MoneyType()), Nullable("Valor3", MoneyType())}));
             }});

  // Step 403: the kinds of cash divergence, and the divergences found in a
  // cash-register period.
  t.Add(Step{403, Tolerance::kNone, [](StepContext& c) {
               c.Run(TipoDivergenciaCaixa());
               c.Run(KindsOfDivergence());
               c.Run(DivergenciaCaixa());
             }});

  // Step 404: other debits and credits of a cash-register period, zero on
  // those that exist; the fourth kind of divergence gets its plural right.
  t.Add(Step{404, Tolerance::kNone, [](StepContext& c) {
               AddColumns(c, "Caixa",
                          {Nullable("Vl_OutrosDebitos", MoneyType()),
                           Nullable("Vl_OutrosCreditos", MoneyType())});
               Update(c, "Caixa", {{"Vl_OutrosDebitos", "0"}, {"Vl_OutrosCreditos", "0"}});
               Update(c, "TipoDivergenciaCaixa",
                      {{"Ds_DivergenciaCaixa", "'CONTAS RECEBIDAS SEM BAIXA'"}},
                      "Cd_TipoDivergenciaCaixa = 4");
             }});

  // Step 415: work table of a receivables report.
  t.Add(Step{415, Tolerance::kNone, [](StepContext& c) {
               c.Run(NewTable("TempContaAReceber10",
                              {Nullable("No_Grupo", Int()),
                               Nullable("Nm_Grupo", CaseInsensitive(VarChar(200))),
                               Nullable("No_Lancamento", Int()),
                               Nullable("Label1", CaseInsensitive(VarChar(100))),
                               Nullable("Ds_Lancamento", CaseInsensitive(VarChar(200))),
                               Nullable("Vl_Lancamento", MoneyType())}));
             }});

  // Step 417: a remark per product printed in the fuel book.
  t.Add(Step{417, Tolerance::kNone, [](StepContext& c) {
               c.Run(NewTable("ParametroLmc",
                              {NotNull(kEmp, Int()), NotNull("Cd_Produto", Int()),
                               Nullable("Ds_Observacao", VarChar(250))},
                              PrimaryKey{"XPKParametroLmc", {kEmp, "Cd_Produto"}}, {},
                              {ForeignKey{"R_298", {kEmp, "Cd_Produto"}, "Produto"}}));
             }});

  // Step 420: how many copies of the paper roll a fiscal printer prints.
  t.Add(Step{420, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"ECF", Nullable("Qt_ViasBobinaECF", Int())});
             }});

  // Step 423: product groups by NBM code, and the group of each product.
  t.Add(Step{423, Tolerance::kNone, [](StepContext& c) {
               c.Run(NewTable("GrupoNBM",
                              {NotNull("Cd_GrupoNBM", Int()),
                               Nullable("Nm_GrupoNBM", CaseInsensitive(VarChar(30)))},
                              PrimaryKey{"PK_GrupoNBM", {"Cd_GrupoNBM"}}));
               c.Run(AddColumn{"Produto", Nullable("Cd_GrupoNBM", Int())});
             }});

  // Step 424: the fuel-book pages are numbered from one more.
  t.Add(Step{424, Tolerance::kNone,
             [](StepContext& c) { Update(c, "Lmc", {{"No_Pagina", "No_Pagina + 1"}}); }});

  // Step 429: whether the sales registers' receipts go to the general cash
  // ledger; which ledger entries the system made (none of the existing
  // ones), and the cash-register period an entry comes from.
  t.Add(Step{429, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"EmpresaUsuaria",
                               Nullable("Ic_LancarRecebimentosCaixaDeVendasNoCaixaGeral", Bit())});
               AddColumns(c, "LanCaixaGeral",
                          {Nullable("Ic_LancamentoFeitoPeloSistema", Bit()),
                           Nullable("Cd_Caixa", Int())});
               c.Run(CreateIndex{"LanCaixaGeral", Index{"XIF220LanCaixaGeral", {"Cd_Caixa"}}});
               c.Run(AddForeignKey{"LanCaixaGeral", ForeignKey{"R_301", {"Cd_Caixa"}, "Caixa"}});
               Update(c, "LanCaixaGeral", {{"Ic_LancamentoFeitoPeloSistema", "0"}},
                      "Ic_LancamentoFeitoPeloSistema IS NULL");
             }});

  // Step 431: credit blocks dated on or before 1 January 1960 are empty
  // dates, not blocks.
  t.Add(Step{431, Tolerance::kNone, [](StepContext& c) {
               Update(c, "ContaAReceber", {{"Dt_BloqueioCredito", "Null"}},
                      "Dt_BloqueioCredito <= '" + c.Dal().FormatDate(DateTime::Of(1960, 1, 1)) +
                          "'");
             }});

  // Step 433: whether a customer may be registered without CPF or CNPJ.
  t.Add(Step{433, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"EmpresaUsuaria", Nullable("Ic_AceitarClienteSemCpfOuCnpj", Bit())});
             }});

  // Step 436: receivables below this value are charged the bank-slip
  // expense.
  t.Add(Step{436, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"EmpresaUsuaria",
                               Nullable("Vl_ContaAReceberAbaixoDesteDeveraCobrarDespesaBoleta",
                                        MoneyType())});
             }});

  // Step 437: where each bank's cheque form takes the value, the amount in
  // words, the payee and the date.
  t.Add(Step{437, Tolerance::kNone, [](StepContext& c) { c.Run(LayoutCheque()); }});

  // Step 438: the kinds of bank entry that name a payee (only kind 1 of
  // those that exist), and the payee of an entry.
  t.Add(Step{438, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"TipoLanCCBancaria", Nullable("Fl_PermitirFavorecido", Bit())});
               c.Run(AddColumn{"LanCcBancaria", Nullable("Nm_Favorecido", VarChar(50))});
               Update(c, "TipoLanCCBancaria", {{"Fl_PermitirFavorecido", "0"}},
                      "Cd_TipoLanCCBancaria <> 1");
               Update(c, "TipoLanCCBancaria", {{"Fl_PermitirFavorecido", "-1"}},
                      "Cd_TipoLanCCBancaria = 1");
             }});

  // Step 440: an employee's bank branch and account become texts, kept
  // through temporary columns.
  t.Add(Step{440, Tolerance::kNone, [](StepContext& c) {
               c.Run(RetypeColumn{"Funcionario", Unstated("Cd_Agencia", VarChar(10)), "Cd_Agencia2"});
               c.Run(RetypeColumn{"Funcionario", Unstated("Cd_Conta", VarChar(20)), "Cd_Conta2"});
             }});

  // Step 441: whether a sale asks for the odometer, on for the companies
  // that exist; work table of a product report.
  t.Add(Step{441, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"EmpresaUsuaria", Nullable("Ic_ExigirHodometroNaVenda", Bit())});
               Update(c, "EmpresaUsuaria", {{"Ic_ExigirHodometroNaVenda", "-1"}});
               c.Run(TempRelProduto5());
             }});
}

}  // namespace bp::schema::s308
