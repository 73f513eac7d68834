// Steps 200 to 229: package-transfer settings and the clean-up of their
// rules and of implausible transfers, the nozzle-release log, the extra
// identification fields of customers and the receipt adjustment flag.
#include <cstddef>
#include <string>
#include <vector>

#include "bp/db/recordset.h"
#include "bp/schema/corrigir_preco_transferencia.h"
#include "schema/steps/steps_200_297_common.h"

namespace bp::schema::s200 {
namespace {

// One row per nozzle release: who released which pump and how the sale is
// to be paid. The hardware kind comes with step 210.
Table LogLiberacaoBico() {
  return Table{
      "LogLiberacaoBico",
      {NotNull(kEmp, Int()), NotNull("No_Liberacao", Int()), NotNull("Cd_Bomba", TinyInt()),
       NotNull("Cd_Caixa", Int()), Nullable("Cd_Veiculo", VarChar(8)),
       NotNull("Dt_Liberacao", DateTimeType()), Nullable("Ic_BaixaAutomatica", Bit()),
       Nullable("No_TipoPagamento", TinyInt()), Nullable("No_TipoVencimento", TinyInt()),
       Nullable("Cd_Funcionario", Int())},
      PrimaryKey{"XPKLogLiberacaoBico", {kEmp, "No_Liberacao"}},
      {Index{"XIF204LogLiberacaoBico", {kEmp}}, Index{"XIF205LogLiberacaoBico", {kEmp, "Cd_Bomba"}},
       Index{"XIF206LogLiberacaoBico", {kEmp, "Cd_Veiculo"}},
       Index{"XIF414LogLiberacaoBico", {kEmp, "Cd_Funcionario"}}},
      {Ref("R_282", {kEmp, "Cd_Veiculo"}, "Veiculo"), Ref("R_281", {kEmp, "Cd_Bomba"}, "Bomba"),
       Ref("R_280", {kEmp}, "EmpresaUsuaria"),
       Ref("R_284", {kEmp, "Cd_Funcionario"}, "Funcionario")}};
}

Table IdentificacaoDoCliente() {
  return Table{
      "IdentificacaoDoCliente",
      {NotNull(kEmp, Int()), NotNull("Cd_Cliente", Int()), NotNull("Id_CampoExtraCF", VarChar(50)),
       Nullable("Nm_IdentificacaoDoCliente", VarChar(60))},
      PrimaryKey{"XPKIdentificacaoDoCliente", {kEmp, "Cd_Cliente", "Id_CampoExtraCF"}},
      {},
      {Ref("R_287", {kEmp, "Cd_Cliente"}, "Cliente")}};
}

// The transfer rules P of the same company whose entered product is the
// entered product of the rule being judged, narrowed by `condition`.
std::string RulesOfTheEnteredProduct(const std::string& what, const std::string& condition) {
  return Sql({"(SELECT " + what + " FROM ProdutoTransferencia P",
              "        WHERE  P.Cd_PessoaUsuaria = ProdutoTransferencia.Cd_PessoaUsuaria",
              "        AND    P.Cd_ProdutoEntrada = ProdutoTransferencia.Cd_ProdutoEntrada",
              "        AND    " + condition + ")"});
}

// Step 212: a rule is automatic when it is the only rule of its withdrawn
// product; then the rules of an entered product go when that product has
// more than one automatic rule, a rule converting it into itself, or a rule
// that does not multiply (factor up to 1). Products belong to a company, so
// rules are counted within their company.
void LimparRegrasDeTransferencia(StepContext& c) {
  c.Run(
      Data(Sql({"UPDATE ProdutoTransferencia", "SET    Ic_TransferenciaAutomatica = -1",
                "WHERE  (SELECT COUNT(*) FROM ProdutoTransferencia P",
                "        WHERE  P.Cd_PessoaUsuaria = ProdutoTransferencia.Cd_PessoaUsuaria",
                "        AND    P.Cd_ProdutoBaixa = ProdutoTransferencia.Cd_ProdutoBaixa) = 1"})));
  // Written "<> 0" rather than "= -1": SQL Server keeps a true bit as 1.
  c.Run(Data(
      Sql({"DELETE FROM ProdutoTransferencia",
           "WHERE  " + RulesOfTheEnteredProduct("COUNT(*)", "P.Ic_TransferenciaAutomatica <> 0") +
               " > 1"})));
  c.Run(Data(Sql({"DELETE FROM ProdutoTransferencia",
                  "WHERE  EXISTS " +
                      RulesOfTheEnteredProduct("*", "P.Cd_ProdutoBaixa = P.Cd_ProdutoEntrada")})));
  c.Run(Data(
      Sql({"DELETE FROM ProdutoTransferencia",
           "WHERE  EXISTS " + RulesOfTheEnteredProduct("*", "P.Qt_FatorMultiplicacao <= 1")})));
}

// Step 225: transfers that entered more than 500 units per unit withdrawn
// are typing mistakes; they go with their withdrawal and entry rows of the
// stock card. A ratio of exactly 500 stays. A transfer that withdrew nothing
// fails the step on the division by zero, as on SQL Server.
void RemoverTransferenciasImplausiveis(StepContext& c) {
  // The conditions on a transfer row named `t`.
  const auto implausible = [&c](const std::string& t) {
    return c.Quotient(t + ".Qt_UnidadeEntrada", t + ".Qt_UnidadeBaixa") + " > 500";
  };
  const auto withdrawal_row = [](const std::string& t) {
    return "C.Cd_PessoaUsuaria = " + t + ".Cd_PessoaUsuaria AND C.Cd_LancamentoCardex = " + t +
           ".Cd_LancamentoCardexBaixa";
  };
  db::Recordset rows = c.Query(
      Sql({"SELECT I.Cd_PessoaUsuaria, I.Cd_LancamentoCardexBaixa, I.Cd_LancamentoCardexEntrada",
           "FROM   ItemTransfEmbalagem I", "INNER JOIN Cardex C ON " + withdrawal_row("I"),
           "WHERE  " + implausible("I")}));
  if (rows.Eof()) return;
  // The transfers first: their references hold the stock-card rows.
  c.Execute(Sql({"DELETE FROM ItemTransfEmbalagem", "WHERE  " + implausible("ItemTransfEmbalagem"),
                 "AND    EXISTS (SELECT * FROM Cardex C WHERE " +
                     withdrawal_row("ItemTransfEmbalagem") + ")"}));
  for (const auto& row : rows.Rows()) {
    for (const size_t field : {1u, 2u}) {
      c.Execute(Sql({"DELETE FROM Cardex",
                     "WHERE  Cd_PessoaUsuaria = " + std::to_string(row[0].ToInt32()),
                     "AND    Cd_LancamentoCardex = " + std::to_string(row[field].ToInt32())}));
    }
  }
}

}  // namespace

void AddSteps200To229(StepTable& t) {
  t.Add(Step{200, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"EmpresaUsuaria", Nullable("Qt_MaximaTransfEmbalagem", Int())});
             }});
  t.Add(Step{206, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"EmpresaUsuaria",
                               Nullable("Ic_PermitirVisualizarRelRecebimentosNoCaixa", Bit())});
             }});
  t.Add(
      Step{207, Tolerance::kNone, [](StepContext& c) { c.Run(CreateTable{LogLiberacaoBico()}); }});
  t.Add(Step{210, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"EmpresaUsuaria", Nullable("Ds_TextoFinalCF", VarChar(200))});
               c.Run(AddColumn{"LogLiberacaoBico", Nullable("No_TipoHardware", SmallInt())});
               c.Run(CreateIndex{"Abastecimento", Index{"Abastecimento_05", {kEmp, "Ic_Baixado"}}});
             }});
  t.Add(Step{
      212, Tolerance::kNone, [](StepContext& c) {
        c.Run(AddColumn{"ProdutoTransferencia", Unstated("Ic_TransferenciaAutomatica", Bit())});
        c.Run(AddColumn{"EmpresaUsuaria", Unstated("Ic_UtilizaTransferenciaEmbalagem", Bit())});
        LimparRegrasDeTransferencia(c);
      }});
  t.Add(Step{216, Tolerance::kNone,
             [](StepContext& c) { c.Run(CreateTable{IdentificacaoDoCliente()}); }});
  t.Add(Step{218, Tolerance::kNone, [](StepContext& c) {
               // The entry rows of the package transfers get their cost from
               // the withdrawal rows before the new pump setting.
               CorrigirPrecoDaTransferencia(c.Session());
               c.Run(AddColumn{"Bomba", Unstated("Ic_PermitirDigitacaoAbastecimento", Bit())});
             }});
  t.Add(Step{225, Tolerance::kNone, [](StepContext& c) { RemoverTransferenciasImplausiveis(c); }});
  t.Add(Step{229, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"Recebimento", Unstated("Ic_AjusteTipoRecebimento", Bit())});
               // Fifty ranges of ten thousand receipt numbers, each sharing
               // its end with the next one's start; numbers above 500 000
               // stay empty.
               for (int i = 1; i <= 50; ++i) {
                 c.Run(
                     Data(Sql({"UPDATE Recebimento", "SET    Ic_AjusteTipoRecebimento = 0",
                               "WHERE  No_Recebimento BETWEEN " + std::to_string((i - 1) * 10000) +
                                   " AND " + std::to_string(i * 10000)})));
               }
             }});
}

}  // namespace bp::schema::s200
