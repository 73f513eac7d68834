// The demo station's billing: customer 100's credit coupons of the last days
// of the history within one month, pending billing over three vehicles with odometer readings;
// the history's first three credit customers with a discount, a surcharge
// and the invoice at billing; the company issuing invoices at billing.
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "bp/value.h"
#include "station/seed/seed.h"

namespace station {
namespace {

using D = EstacaoDemo;
using bp::Value;

struct VeiculoDemo {
  const char* placa;
  const char* marca;
  const char* modelo;
  const char* cor;
  int32_t km_final;  // the reading of the vehicle's last coupon
};

const VeiculoDemo kFrota[] = {
    {D::kPlacaCredito, nullptr, nullptr, nullptr, D::kHodometroCredito},
    {"DEF5678", "VOLKSWAGEN", "DELIVERY 9.160", "PRATA", 128400},
    {"GHI9012", "FORD", "CARGO 816", "AZUL", 76150},
};
constexpr int kVeiculos = 3;
constexpr int kCuponsPorDia = 4;
constexpr int kDiasMinimos = 5;
constexpr int kKmPorAbastecimento = 180;
constexpr int32_t kVendaACreditoPlaca = 12;
constexpr uint8_t kImpNfNaFatura = 12;

void Empresa(bp::db::Connection& c) {
  c.Execute("UPDATE EmpresaUsuaria SET Ic_EmitirNfNoFaturamento = ? WHERE Cd_PessoaUsuaria = ?",
            {Value(true), Value(D::kEmpresa)});
}

void Veiculos(bp::db::Connection& c) {
  for (int v = 1; v < kVeiculos; ++v) {
    const VeiculoDemo& k = kFrota[v];
    c.Execute(
        "INSERT INTO Veiculo (Cd_PessoaUsuaria, Cd_Veiculo, Cd_Cliente, Nm_Marca, "
        "Nm_Modelo, Nm_Cor, No_AnoFabricacao, Qt_CapacidadeTanque, No_KmAtual) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {Value(D::kEmpresa), Value(k.placa), Value(D::kClienteCredito), Value(k.marca),
         Value(k.modelo), Value(k.cor), Value(int16_t{2008}), Value(150.0), Value(k.km_final)});
  }
}

// Cash coupons of the history's last days with a fuel item, each day's first
// ones, plus the first coupon of every fuel price met in those days, so that
// a fuel whose price changed shows both prices.
// The days the coupons come from: the history's last days within the seed
// date's month, at most kDiasDeFaturamento of them; when that month holds
// fewer than kDiasMinimos days of history (a seed early in a month), the last
// days of the month before.
std::pair<bp::DateTime, bp::DateTime> DiasDosCupons(bp::DateTime agora) {
  bp::DateTime fim = agora.DatePart();
  const bp::DateTime ultimo = fim.AddDays(-1);
  const bp::DateTime mes = bp::DateTime::Of(ultimo.Year(), ultimo.Month(), 1);
  if (fim.Days() - mes.Days() < kDiasMinimos) fim = mes;
  bp::DateTime inicio = fim.AddDays(-D::kDiasDeFaturamento);
  if (inicio < mes && fim > mes) inicio = mes;
  return {inicio, fim};
}

std::vector<std::vector<Value>> CuponsEscolhidos(bp::db::Connection& c, bp::DateTime agora) {
  const auto [inicio, fim] = DiasDosCupons(agora);
  const bp::db::Recordset rs = c.Query(
      "SELECT DISTINCT c.No_Impressora, c.No_CupomFiscal, c.Dt_Emissao, i.Cd_Produto, "
      "i.Vl_UnitVenda FROM CupomFiscal c JOIN ItemCupomFiscal i ON "
      "i.Cd_PessoaUsuaria = c.Cd_PessoaUsuaria AND i.No_Impressora = c.No_Impressora AND "
      "i.No_CupomFiscal = c.No_CupomFiscal AND i.Dt_Emissao = c.Dt_Emissao "
      "JOIN Produto p ON p.Cd_PessoaUsuaria = i.Cd_PessoaUsuaria AND p.Cd_Produto = i.Cd_Produto "
      "WHERE c.Cd_PessoaUsuaria = ? AND c.Tp_Venda = ? AND c.Cd_Cliente IS NULL "
      "AND c.Ic_CupomConcluido <> ? AND p.Fl_VendBomba <> ? "
      "AND c.Dt_Emissao >= ? AND c.Dt_Emissao < ? "
      "ORDER BY c.Dt_Emissao, c.No_Impressora, c.No_CupomFiscal",
      {Value(D::kEmpresa), Value(21), Value(false), Value(false),
       Value(inicio), Value(fim)});
  std::set<std::tuple<int32_t, int32_t, int64_t>> escolhidos;
  std::set<std::pair<int32_t, int64_t>> precos;
  std::vector<std::vector<Value>> lista;
  std::map<int64_t, int> por_dia;
  for (const auto& row : rs.Rows()) {
    const auto chave =
        std::make_tuple(row[0].ToInt32(), row[1].ToInt32(), row[2].ToDate().Seconds());
    const auto preco = std::make_pair(row[3].ToInt32(), row[4].ToMoney().Raw());
    const bool novo_preco = precos.insert(preco).second;
    if (escolhidos.count(chave)) continue;
    if (!novo_preco && por_dia[row[2].ToDate().Days()] >= kCuponsPorDia) continue;
    ++por_dia[row[2].ToDate().Days()];
    escolhidos.insert(chave);
    lista.push_back({row[0], row[1], row[2]});
  }
  return lista;
}

// The coupons become customer 100's credit sales, the vehicles taking turns
// and each vehicle's odometer growing up to its last reading.
void CuponsDoCliente(bp::db::Connection& c, bp::DateTime agora) {
  const std::vector<std::vector<Value>> cupons = CuponsEscolhidos(c, agora);
  int por_veiculo[kVeiculos] = {0, 0, 0};
  for (size_t k = 0; k < cupons.size(); ++k) por_veiculo[k % kVeiculos]++;
  const bp::DateTime vencimento = agora.DatePart().AddDays(30);
  for (size_t k = 0; k < cupons.size(); ++k) {
    const int v = static_cast<int>(k % kVeiculos);
    const int restantes = --por_veiculo[v];
    const int32_t km = kFrota[v].km_final - restantes * kKmPorAbastecimento;
    c.Execute(
        "UPDATE CupomFiscal SET Tp_Venda = ?, Cd_Cliente = ?, Cd_Veiculo = ?, No_Km = ?, "
        "Nm_IdCliente = ?, Dt_Vencimento = ? WHERE Cd_PessoaUsuaria = ? AND "
        "No_Impressora = ? AND No_CupomFiscal = ? AND Dt_Emissao = ?",
        {Value(kVendaACreditoPlaca), Value(D::kClienteCredito), Value(kFrota[v].placa), Value(km),
         Value(kFrota[v].placa), Value(vencimento), Value(D::kEmpresa), cupons[k][0], cupons[k][1],
         cupons[k][2]});
  }
}

// The history's first three credit customers: a discount of 5 %, a
// surcharge of 2.5 %, the invoice at billing.
void Clientes(bp::db::Connection& c) {
  const bp::db::Recordset rs = c.Query(
      "SELECT Cd_Cliente FROM Cliente WHERE Cd_PessoaUsuaria = ? AND Cd_Cliente > ? "
      "ORDER BY Cd_Cliente",
      {Value(D::kEmpresa), Value(D::kClienteRestrito)});
  const char* ajustes[] = {"Tx_Desconto = ?", "Tx_Acrescimo = ?", "Tp_ImpNf = ?"};
  const Value valores[] = {Value(bp::Money::FromInt(5)), Value(bp::Money::FromDouble(2.5)),
                           Value(kImpNfNaFatura)};
  for (size_t k = 0; k < 3 && k < rs.Rows().size(); ++k) {
    c.Execute(std::string("UPDATE Cliente SET ") + ajustes[k] +
                  " WHERE Cd_PessoaUsuaria = ? AND Cd_Cliente = ?",
              {valores[k], Value(D::kEmpresa), rs.Rows()[k][0]});
  }
}

}  // namespace

void SeedFaturamento(bp::db::Connection& c, bp::DateTime agora) {
  Empresa(c);
  Veiculos(c);
  CuponsDoCliente(c, agora);
  Clientes(c);
}

}  // namespace station
