#include "station/billing/objetos_faturamento.h"

#include <cmath>
#include <string>
#include <vector>

#include "bp/erro.h"
#include "bp/erros.h"
#include "station/session/numeracao.h"
#include "station/session/transacao.h"

namespace station {
namespace {

using bp::Money;
using bp::Value;

constexpr const char* kMaiorConta =
    "SELECT MAX(Cd_ContaAReceber) FROM ContaAReceber WHERE Cd_PessoaUsuaria = ?";
constexpr const char* kMaiorNota =
    "SELECT MAX(No_Nota) FROM NotaSaida WHERE Cd_PessoaUsuaria = ? AND Cd_TipoNF = ?";

// The invoice operation of the coupons already registered by the ECF: CFOP
// 5929 within the state, 6929 towards another.
constexpr int32_t kOperacaoNotaCupom = 91;
const bp::host::OperacaoNota kOperacaoCupons = {"5929", "00", "6929", "00"};

bool Sim(const Value& v) { return !v.IsNull() && !v.IsEmpty() && v.ToBool(); }
double NumeroOuZero(const Value& v) { return v.IsNull() ? 0.0 : v.ToDouble(); }
Value DataOuNulo(bp::DateTime d) { return d.IsEmpty() ? Value(bp::Null{}) : Value(d); }
Value TextoOuNulo(const std::string& s) { return s.empty() ? Value(bp::Null{}) : Value(s); }

// A money amount rounded to the cent, half away from zero.
Money Centavos(double valor) { return Money::FromDouble(std::round(valor * 100) / 100); }

// The line's amount: quantity times unit price, back in money.
Money ValorDoItem(const bp::host::ItemNotaSaida& item) {
  return Money::FromDouble(item.Qt_Unidade * item.Vl_UnitVenda.ToDouble());
}

std::vector<Value> CamposDaConta(const bp::host::RegistroContaAReceber& r) {
  return {Value(r.Cd_Cliente),
          Value(r.Cd_Pessoa),
          DataOuNulo(r.Dt_Emissao),
          DataOuNulo(r.Dt_Vencimento),
          DataOuNulo(r.Dt_VencimentoOriginal),
          Value(r.No_Parcela),
          Value(r.Qt_Parcelas),
          Value(r.Tp_Documento),
          Value(r.Vl_DespesaCobranca),
          Value(r.Vl_Debito),
          Value(r.Vl_Desconto),
          Value(r.Vl_Acrescimo),
          Value(r.Vl_Pagamentos),
          Value(r.Vl_SaldoDebito),
          DataOuNulo(r.Dt_Cadastro),
          Value(r.Cd_Funcionario),
          Value(r.Ic_Faturada),
          TextoOuNulo(r.Tp_Cobranca),
          DataOuNulo(r.Dt_Cobranca),
          DataOuNulo(r.Dt_Limite),
          DataOuNulo(r.Dt_Protesto)};
}

constexpr const char* kColunasDaConta =
    "Cd_Cliente, Cd_Pessoa, Dt_Emissao, Dt_Vencimento, Dt_VencimentoOriginal, No_Parcela, "
    "Qt_Parcelas, Tp_Documento, Vl_DespesaCobranca, Vl_Debito, Vl_Desconto, Vl_Acrescimo, "
    "Vl_Pagamentos, Vl_SaldoDebito, Dt_Cadastro, Cd_Funcionario, Ic_Faturada, Tp_Cobranca, "
    "Dt_Cobranca, Dt_Limite, Dt_Protesto";

}  // namespace

void BOCliente::Carregar() {
  bp::host::RegistroCliente& r = Registro();
  const bp::db::Recordset rs = Conexao().Query(
      "SELECT Tx_Desconto, Tx_Acrescimo, Ic_CobrancaCarteira, Ic_CobrancaBoleta, "
      "Ic_CobrancaBanco, Ic_DataLimiteNoVencimento, Tp_ImpNf, Ds_ObservacaoNfFatura "
      "FROM Cliente WHERE Cd_PessoaUsuaria = ? AND Cd_Cliente = ?",
      {Value(r.Cd_PessoaUsuaria), Value(r.Cd_Cliente)});
  if (rs.Eof()) RegistroNaoEncontrado("BOCliente");
  r.Cd_Pessoa = r.Cd_Cliente;
  r.Tx_Desconto = NumeroOuZero(rs["Tx_Desconto"]);
  r.Tx_Acrescimo = NumeroOuZero(rs["Tx_Acrescimo"]);
  r.Ic_CobrancaTipo[0] = Sim(rs["Ic_CobrancaCarteira"]);
  r.Ic_CobrancaTipo[1] = Sim(rs["Ic_CobrancaBoleta"]);
  r.Ic_CobrancaTipo[2] = Sim(rs["Ic_CobrancaBanco"]);
  r.Ic_DataLimiteNoVencimento = Sim(rs["Ic_DataLimiteNoVencimento"]);
  r.Tp_ImpNf = static_cast<uint8_t>(InteiroOuZero(rs["Tp_ImpNf"]));
  r.Ds_ObservacaoNfFatura = TextoOuVazio(rs["Ds_ObservacaoNfFatura"]);
}

void BOContaAReceber::Incluir() {
  bp::db::Connection& c = Conexao();
  bp::host::RegistroContaAReceber& r = Registro();
  std::vector<Value> p = {Value(r.Cd_PessoaUsuaria), Value(0)};
  for (Value& v : CamposDaConta(r)) p.push_back(std::move(v));
  const std::string sql = std::string(
                              "INSERT INTO ContaAReceber (Cd_PessoaUsuaria, "
                              "Cd_ContaAReceber, ") +
                          kColunasDaConta +
                          ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                          "?, ?, ?)";
  r.Cd_ContaAReceber =
      InserirNumerado(c, kMaiorConta, {Value(r.Cd_PessoaUsuaria)}, [&](int32_t numero) {
        p[1] = Value(numero);
        c.Execute(sql, p);
      });
}

void BOContaAReceber::Alterar() {
  bp::host::RegistroContaAReceber& r = Registro();
  std::string sql = "UPDATE ContaAReceber SET ";
  std::string colunas = kColunasDaConta;
  for (size_t inicio = 0; inicio < colunas.size();) {
    size_t fim = colunas.find(", ", inicio);
    if (fim == std::string::npos) fim = colunas.size();
    sql += colunas.substr(inicio, fim - inicio) + " = ?" + (fim < colunas.size() ? ", " : "");
    inicio = fim + 2;
  }
  sql += " WHERE Cd_PessoaUsuaria = ? AND Cd_ContaAReceber = ?";
  std::vector<Value> p = CamposDaConta(r);
  p.push_back(Value(r.Cd_PessoaUsuaria));
  p.push_back(Value(r.Cd_ContaAReceber));
  if (Conexao().Execute(sql, p) == 0) RegistroNaoEncontrado("BOContaAReceber");
}

void BONotaSaida::Preparar() {
  bp::host::RegistroNotaSaida& r = Registro();
  r.No_Nota = ProximoNumero(Conexao(), kMaiorNota,
                            {Value(r.Cd_PessoaUsuaria), Value(static_cast<int32_t>(r.Cd_TipoNF))});
}

bp::host::OperacaoNota BONotaSaida::Operacao() {
  if (Registro().Cd_Operacao != kOperacaoNotaCupom) RegistroNaoEncontrado("OperacaoNotaSaida");
  return kOperacaoCupons;
}

std::string BONotaSaida::UFDestinatario() {
  const bp::db::Recordset rs = Conexao().Query("SELECT Ds_SiglaUF FROM Pessoa WHERE Cd_Pessoa = ?",
                                               {Value(Registro().Cd_Pessoa)});
  return rs.Eof() ? std::string() : TextoOuVazio(rs.Field(0));
}

void BONotaSaida::Calcular() {
  bp::host::RegistroNotaSaida& r = Registro();
  Money produtos, base, icms;
  for (const bp::host::ItemNotaSaida& item : Itens()) {
    const Money valor = ValorDoItem(item);
    produtos += valor;
    if (item.Tx_Icms <= 0) continue;
    const double base_item = valor.ToDouble() * item.Tx_BaseCalculo / 100;
    base += Centavos(base_item);
    icms += Centavos(base_item * item.Tx_Icms / 100);
  }
  r.Vl_TotProd = produtos;
  r.Vl_BasCalIcms = base;
  r.Vl_Icms = icms;
}

void BONotaSaida::Gravar() {
  bp::db::Connection& c = Conexao();
  bp::host::RegistroNotaSaida& r = Registro();
  const std::string observacao = r.Ds_ObservacaoCliente.empty()
                                     ? r.Ds_Observacao
                                     : r.Ds_Observacao + " - " + r.Ds_ObservacaoCliente;
  const bool itens = !Itens().empty();
  std::vector<Value> p = {Value(r.Cd_PessoaUsuaria),
                          Value(static_cast<int32_t>(r.Cd_TipoNF)),
                          Value(0),
                          Value(r.Cd_Pessoa),
                          Value(r.Cd_Operacao),
                          itens ? TextoOuNulo(Itens()[0].Cd_CfopItem) : Value(bp::Null{}),
                          itens ? TextoOuNulo(Itens()[0].Cd_CompCFOP) : Value(bp::Null{}),
                          DataOuNulo(r.Dt_Emissao),
                          Value(r.Hr_Emissao),
                          DataOuNulo(r.Dt_Emissao),
                          DataOuNulo(r.Dt_Vencimento),
                          Value(r.Cd_ContaAReceber),
                          TextoOuNulo(r.Cd_Veiculo),
                          Value(r.No_Km),
                          Value(r.Vl_TotProd),
                          Value(r.Vl_BasCalIcms),
                          Value(r.Vl_Icms),
                          Value(r.Vl_Total),
                          Value(r.Vl_TotalLiquido),
                          Value(observacao),
                          Value(false),
                          Value(r.Ic_Concluido),
                          Value(false)};
  EmTransacao(c, "BONotaSaida.Gravar", [&] {
    r.No_Nota = InserirNumerado(
        c, kMaiorNota, {Value(r.Cd_PessoaUsuaria), Value(static_cast<int32_t>(r.Cd_TipoNF))},
        [&](int32_t numero) {
          p[2] = Value(numero);
          c.Execute(
              "INSERT INTO NotaSaida (Cd_PessoaUsuaria, Cd_TipoNF, No_Nota, Cd_Pessoa, "
              "Cd_Operacao, Cd_Cfop, Cd_CompCFOP, Dt_Emissao, Hr_Emissao, Dt_Saida, "
              "Dt_Vencimento, Cd_ContaAReceber, Cd_Veiculo, No_Km, Vl_TotProd, Vl_BasCalIcms, "
              "Vl_Icms, Vl_Total, Vl_TotalLiquido, Ds_Observacao, Ic_Impressa, Ic_Concluido, "
              "Ic_Cancelada) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
              "?, ?, ?)",
              p);
        });
    for (bp::host::ItemNotaSaida& item : Itens()) {
      item.No_Nota = r.No_Nota;
      c.Execute(
          "INSERT INTO ItemNotaSaida (Cd_PessoaUsuaria, No_Nota, Cd_TipoNF, No_Item, "
          "Cd_Produto, Qt_Unidade, Vl_UnitVenda, No_SitTributaria, Tx_Icms, Cd_CfopItem, "
          "Cd_CompCFOP, Tx_BaseCalculo, No_TribIcms, Vl_IcmsStAnterior, "
          "Vl_BaseCalculoIcmsStAnterior) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
          {Value(item.Cd_PessoaUsuaria), Value(item.No_Nota),
           Value(static_cast<int32_t>(item.Cd_TipoNF)), Value(static_cast<int32_t>(item.No_Item)),
           Value(item.Cd_Produto), Value(item.Qt_Unidade), Value(item.Vl_UnitVenda),
           TextoOuNulo(item.No_SitTributaria), Value(static_cast<double>(item.Tx_Icms)),
           TextoOuNulo(item.Cd_CfopItem), TextoOuNulo(item.Cd_CompCFOP),
           Value(static_cast<double>(item.Tx_BaseCalculo)), TextoOuNulo(item.No_TribIcms),
           Value(item.Vl_IcmsStAnterior), Value(item.Vl_BaseCalculoIcmsStAnterior)});
    }
  });
}

}  // namespace station
