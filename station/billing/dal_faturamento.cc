#include "station/billing/dal_faturamento.h"

#include <string>
#include <vector>

namespace station {
namespace {

using bp::Value;

// A coupon pending billing: a concluded credit sale (by card, plate or
// requisition) of a customer, not deleted and under no receivable yet. `t`
// names the coupon table ("c." or nothing).
std::string Pendente(const std::string& t) {
  return " " + t + "Cd_PessoaUsuaria = ? AND " + t + "Tp_Venda IN (?, ?, ?) AND " + t +
         "Ic_CupomConcluido <> ? AND " + t + "Ic_Excluido = ? AND " + t +
         "Cd_ContaAReceber IS NULL AND " + t + "Cd_Cliente IS NOT NULL";
}

std::vector<Value> Pendente(int32_t empresa) {
  return {Value(empresa), Value(11), Value(12), Value(13), Value(false), Value(false)};
}

constexpr const char* kColunasCupom =
    "SELECT c.Cd_Cliente, p.Nm_Pessoa, c.No_Impressora, c.No_CupomFiscal, c.Dt_Emissao, "
    "c.Cd_Veiculo, c.No_Km, c.Vl_TotalLiquido, c.Dt_Vencimento FROM CupomFiscal c "
    "JOIN Pessoa p ON p.Cd_Pessoa = c.Cd_Cliente WHERE";

constexpr const char* kOrdemCupom =
    " ORDER BY c.Cd_Cliente, c.Dt_Emissao, c.No_Impressora, c.No_CupomFiscal";

// The coupon items with their coupon beside each, and the condition that
// keeps those (not deleted) under one receivable.
constexpr const char* kItens =
    " FROM ItemCupomFiscal i JOIN CupomFiscal c ON c.Cd_PessoaUsuaria = i.Cd_PessoaUsuaria "
    "AND c.No_Impressora = i.No_Impressora AND c.No_CupomFiscal = i.No_CupomFiscal "
    "AND c.Dt_Emissao = i.Dt_Emissao ";
constexpr const char* kDaConta =
    " WHERE c.Cd_PessoaUsuaria = ? AND c.Cd_ContaAReceber = ? AND i.Ic_Excluido = ?";
const std::string kItensDaConta = std::string(kItens) + kDaConta;

// An invoice line's grouping values, nulls read as blank or zero so that a
// line reads back the same on every database.
constexpr const char* kChaveDaLinha =
    "i.Cd_Produto, i.Vl_UnitVenda, COALESCE(i.No_SitTributaria, '') AS No_SitTributaria, "
    "COALESCE(i.Tx_Icms, 0) AS Tx_Icms, "
    "CASE WHEN COALESCE(c.Fl_IssRetido, 0) <> 0 THEN 1 ELSE 0 END AS Fl_IssRetido, "
    "COALESCE(i.Tx_BaseCalculo, 0) AS Tx_BaseCalculo, COALESCE(i.No_TribIcms, '') AS "
    "No_TribIcms";

// The amount of an item: quantity times price, rounded to the cent.
constexpr const char* kValorDoItem = "ROUND(CAST(i.Qt_Unidade * i.Vl_UnitVenda AS NUMERIC), 2)";

// Goods only: a service (product type 2) is not invoiced unless the company
// invoices every line.
constexpr const char* kSoMercadorias =
    " AND EXISTS (SELECT 1 FROM Produto pr WHERE pr.Cd_PessoaUsuaria = i.Cd_PessoaUsuaria "
    "AND pr.Cd_Produto = i.Cd_Produto AND COALESCE(pr.No_Tipo, 0) <> ?)";

constexpr int32_t kTipoServico = 2;
// Billing this many coupons at once makes the coupon statistics worth renewing.
constexpr int64_t kCuponsParaEstatisticas = 1000;

bp::Money Dinheiro(const bp::db::Recordset& rs) {
  return rs.Eof() || rs.Field(0).IsNull() ? bp::Money() : rs.Field(0).ToMoney();
}

}  // namespace

bp::db::Recordset DALFaturamento::CuponsAFatura(int32_t Cd_PessoaUsuaria,
                                                bp::DateTime Dt_Faturamento) {
  std::vector<Value> p = Pendente(Cd_PessoaUsuaria);
  p.push_back(Value(Dt_Faturamento.DatePart().AddDays(1)));
  return Conexao().Query(kColunasCupom + Pendente("c.") + " AND c.Dt_Emissao < ?" + kOrdemCupom, p);
}

bp::db::Recordset DALFaturamento::CuponsAFaturaSeletivo(int32_t Cd_PessoaUsuaria,
                                                        int32_t Cd_Pessoa) {
  std::vector<Value> p = Pendente(Cd_PessoaUsuaria);
  p.push_back(Value(Cd_Pessoa));
  return Conexao().Query(kColunasCupom + Pendente("c.") + " AND c.Cd_Cliente = ?" + kOrdemCupom, p);
}

bp::db::Recordset DALFaturamento::NotasFiscaisDoFaturamento(int32_t Cd_PessoaUsuaria,
                                                            int32_t inicial, int32_t final_) {
  return Conexao().Query(
      "SELECT n.Cd_ContaAReceber, n.No_Nota, n.Cd_TipoNF, n.Cd_Pessoa, p.Nm_Pessoa, "
      "n.Dt_Emissao, n.Hr_Emissao, n.Cd_Cfop, n.Vl_TotProd, n.Vl_BasCalIcms, n.Vl_Icms, "
      "n.Vl_Total FROM NotaSaida n LEFT JOIN Pessoa p ON p.Cd_Pessoa = n.Cd_Pessoa "
      "WHERE n.Cd_PessoaUsuaria = ? AND n.Cd_ContaAReceber BETWEEN ? AND ? "
      "ORDER BY n.Cd_ContaAReceber, n.No_Nota",
      {Value(Cd_PessoaUsuaria), Value(inicial), Value(final_)});
}

bp::db::Recordset DALFaturamento::ContaAReceberDoFaturamento(int32_t Cd_PessoaUsuaria,
                                                             int32_t inicial, int32_t final_) {
  return Conexao().Query(
      "SELECT r.Cd_ContaAReceber, r.Cd_Cliente, p.Nm_Pessoa, r.Dt_Emissao, r.Dt_Vencimento, "
      "r.Vl_Debito, r.Vl_Desconto, r.Vl_Acrescimo, r.Vl_SaldoDebito FROM ContaAReceber r "
      "LEFT JOIN Pessoa p ON p.Cd_Pessoa = r.Cd_Cliente "
      "WHERE r.Cd_PessoaUsuaria = ? AND r.Cd_ContaAReceber BETWEEN ? AND ? "
      "ORDER BY r.Cd_ContaAReceber",
      {Value(Cd_PessoaUsuaria), Value(inicial), Value(final_)});
}

bool DALFaturamento::MudarCupomPendenteParaFaturado(int32_t Cd_PessoaUsuaria, int32_t Cd_Cliente,
                                                    int32_t Cd_ContaAReceber,
                                                    bp::DateTime Dt_Faturamento,
                                                    bp::DateTime Dt_Vencimento,
                                                    int32_t Cd_Funcionario) {
  std::vector<Value> p = {Value(Cd_ContaAReceber), Value(true),           Value(Dt_Faturamento),
                          Value(Dt_Vencimento),    Value(Cd_Funcionario), Value(Dt_Faturamento)};
  for (Value& v : Pendente(Cd_PessoaUsuaria)) p.push_back(std::move(v));
  p.push_back(Value(Cd_Cliente));
  p.push_back(Value(Dt_Faturamento.DatePart().AddDays(1)));
  const int64_t faturados = Conexao().Execute(
      "UPDATE CupomFiscal SET Cd_ContaAReceber = ?, FL_Fechada = ?, Dt_Fechamento = ?, "
      "Dt_Vencimento = ?, Cd_FuncionarioEfeFechamento = ?, Dt_EfeFechamento = ? WHERE" +
          Pendente("") + " AND Cd_Cliente = ? AND Dt_Emissao < ?",
      p);
  // PostgreSQL's planner still believes no coupon carries the new receivable
  // and joins the invoice lines of thousands of coupons by nested scans (3 s
  // for 10 000 coupons); statistics taken now, inside the transaction, count
  // its own updated rows. A user without the right gets a warning, no error.
  if (faturados >= kCuponsParaEstatisticas &&
      Conexao().Kind() == bp::db::DialectKind::kPostgreSQL) {
    Conexao().Execute("ANALYZE CupomFiscal");
  }
  return true;
}

bp::Money DALFaturamento::TotalDosCuponsDaConta(int32_t Cd_PessoaUsuaria,
                                                int32_t Cd_ContaAReceber) {
  return Dinheiro(
      Conexao().Query("SELECT SUM(Vl_TotalLiquido) FROM CupomFiscal WHERE Cd_PessoaUsuaria = ? "
                      "AND Cd_ContaAReceber = ?",
                      {Value(Cd_PessoaUsuaria), Value(Cd_ContaAReceber)}));
}

bp::db::Recordset DALFaturamento::LinhasDaNota(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber,
                                               bool todas_as_linhas) {
  std::vector<Value> p = {Value(Cd_PessoaUsuaria), Value(Cd_ContaAReceber), Value(false)};
  if (!todas_as_linhas) p.push_back(Value(kTipoServico));
  return Conexao().Query(std::string("SELECT ") + kChaveDaLinha + kItensDaConta +
                             (todas_as_linhas ? "" : kSoMercadorias) +
                             " GROUP BY 1, 2, 3, 4, 5, 6, 7 ORDER BY 1, 2",
                         p);
}

bp::Money DALFaturamento::ValorDaLinha(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber,
                                       const bp::host::ChaveLinhaNota& k) {
  // Prices and rates are compared within a tolerance: a rate read through a
  // single-precision value does not equal its stored double exactly.
  return Dinheiro(Conexao().Query(
      std::string("SELECT SUM(") + kValorDoItem + ")" + kItensDaConta +
          " AND i.Cd_Produto = ? AND ABS(i.Vl_UnitVenda - ?) < 0.00005 "
          "AND COALESCE(i.No_SitTributaria, '') = ? AND ABS(COALESCE(i.Tx_Icms, 0) - ?) < 0.0001 "
          "AND CASE WHEN COALESCE(c.Fl_IssRetido, 0) <> 0 THEN 1 ELSE 0 END = ? "
          "AND ABS(COALESCE(i.Tx_BaseCalculo, 0) - ?) < 0.0001 "
          "AND COALESCE(i.No_TribIcms, '') = ?",
      {Value(Cd_PessoaUsuaria), Value(Cd_ContaAReceber), Value(false), Value(k.Cd_Produto),
       Value(k.Vl_UnitVenda), Value(k.No_SitTributaria), Value(static_cast<double>(k.Tx_Icms)),
       Value(k.Fl_IssRetido ? 1 : 0), Value(static_cast<double>(k.Tx_BaseCalculo)),
       Value(k.No_TribIcms)}));
}

bp::db::Recordset DALFaturamento::TotaisPorVeiculo(int32_t Cd_PessoaUsuaria,
                                                   int32_t Cd_ContaAReceber) {
  return Conexao().Query(
      "SELECT COALESCE(c.Cd_Veiculo, '') AS Cd_Veiculo, MAX(c.Dt_Emissao) AS Dt_Emissao, "
      "SUM(c.Vl_TotalLiquido) AS SomaDeVl_TotalLiquido, r.Vl_Debito AS Vl_Debito, "
      "(SELECT SUM(t.Vl_TotalLiquido) FROM CupomFiscal t WHERE t.Cd_PessoaUsuaria = "
      "r.Cd_PessoaUsuaria AND t.Cd_ContaAReceber = r.Cd_ContaAReceber) AS Vl_Total "
      "FROM CupomFiscal c JOIN ContaAReceber r ON r.Cd_PessoaUsuaria = c.Cd_PessoaUsuaria "
      "AND r.Cd_ContaAReceber = c.Cd_ContaAReceber "
      "WHERE c.Cd_PessoaUsuaria = ? AND c.Cd_ContaAReceber = ? "
      "GROUP BY COALESCE(c.Cd_Veiculo, ''), r.Vl_Debito, r.Cd_PessoaUsuaria, r.Cd_ContaAReceber "
      "ORDER BY 1",
      {Value(Cd_PessoaUsuaria), Value(Cd_ContaAReceber)});
}

bp::db::Recordset DALFaturamento::ItensDosCupons(int32_t Cd_PessoaUsuaria,
                                                 int32_t Cd_ContaAReceber) {
  return Conexao().Query(
      std::string("SELECT pr.Nm_Produto, c.Dt_Emissao, i.Qt_Unidade, i.Vl_UnitVenda, "
                  "c.Id_CampoExtraCF, c.Cd_Veiculo, c.Nm_IdCliente, c.No_Km, i.Qt_KmPorLitro, "
                  "p.Nm_Pessoa AS Nm_IdentificacaoDoCliente") +
          kItens +
          "JOIN Produto pr ON pr.Cd_PessoaUsuaria = i.Cd_PessoaUsuaria "
          "AND pr.Cd_Produto = i.Cd_Produto LEFT JOIN Pessoa p ON p.Cd_Pessoa = c.Cd_Cliente" +
          kDaConta + " ORDER BY c.Dt_Emissao, c.No_Impressora, c.No_CupomFiscal, i.No_Item",
      {Value(Cd_PessoaUsuaria), Value(Cd_ContaAReceber), Value(false)});
}

bp::db::Recordset DALFaturamento::VeiculosDaConta(int32_t Cd_PessoaUsuaria,
                                                  int32_t Cd_ContaAReceber) {
  return Conexao().Query(
      std::string("SELECT c.Cd_Veiculo, v.Nm_Marca, v.Nm_Cor, SUM(i.Qt_Unidade) AS Qt_Litros") +
          kItens +
          "LEFT JOIN Veiculo v ON v.Cd_PessoaUsuaria = c.Cd_PessoaUsuaria "
          "AND v.Cd_Veiculo = c.Cd_Veiculo" +
          kDaConta +
          " AND c.Cd_Veiculo IS NOT NULL AND i.Cd_SisTubulacao IS NOT NULL "
          "GROUP BY c.Cd_Veiculo, v.Nm_Marca, v.Nm_Cor ORDER BY c.Cd_Veiculo",
      {Value(Cd_PessoaUsuaria), Value(Cd_ContaAReceber), Value(false)});
}

bp::db::Recordset DALFaturamento::LeiturasDeHodometro(int32_t Cd_PessoaUsuaria,
                                                      int32_t Cd_ContaAReceber,
                                                      const std::string& Cd_Veiculo) {
  return Conexao().Query(
      "SELECT No_Km FROM CupomFiscal WHERE Cd_PessoaUsuaria = ? AND Cd_ContaAReceber = ? "
      "AND Cd_Veiculo = ? AND No_Km IS NOT NULL AND No_Km > 0 "
      "ORDER BY Dt_Emissao, No_Impressora, No_CupomFiscal",
      {Value(Cd_PessoaUsuaria), Value(Cd_ContaAReceber), Value(Cd_Veiculo)});
}

}  // namespace station
