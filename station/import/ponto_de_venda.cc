#include "station/import/ponto_de_venda.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "bp/erro.h"
#include "bp/format.h"
#include "bp/money.h"
#include "station/session/objeto_de_sessao.h"
#include "station/session/transacao.h"
#include "station/stock/recalculo_estoque.h"

namespace station {
namespace {

using bp::DateTime;
using bp::Money;
using bp::Null;
using bp::Value;

using Linha = std::vector<std::pair<const char*, Value>>;

struct Bico {
  int32_t numero = 0;
  std::string endereco;
  int32_t produto = 0;
  Value sis_tubulacao;
  double preco = 0;
};

struct Produto {
  int32_t codigo = 0;
  double preco = 0;
};

class Escrita {
 public:
  Escrita(bp::db::Connection& c) : c_(c) {}

  void Inserir(const char* tabela, const Linha& linha) {
    std::string colunas, marcas;
    std::vector<Value> valores;
    for (const auto& [nome, valor] : linha) {
      colunas += (colunas.empty() ? "" : ", ") + std::string(nome);
      marcas += marcas.empty() ? "?" : ", ?";
      valores.push_back(valor);
    }
    c_.Execute("INSERT INTO " + std::string(tabela) + " (" + colunas + ") VALUES (" + marcas + ")",
               valores);
    ++linhas_[tabela];
  }
  std::map<std::string, int32_t>& Linhas() { return linhas_; }

 private:
  bp::db::Connection& c_;
  std::map<std::string, int32_t> linhas_;
};

Value Opcional(const std::string& texto) { return texto.empty() ? Value(Null{}) : Value(texto); }

std::vector<Bico> Bicos(bp::db::Connection& c, int32_t empresa) {
  std::vector<Bico> bicos;
  bp::db::Recordset rs = c.Query(
      "SELECT b.Cd_Bomba, b.De_EnderecoLogicoBico, b.Cd_Produto, b.Cd_SisTubulacao, p.Vl_Preco "
      "FROM Bomba b JOIN Produto p ON p.Cd_PessoaUsuaria = b.Cd_PessoaUsuaria AND "
      "p.Cd_Produto = b.Cd_Produto WHERE b.Cd_PessoaUsuaria = ? ORDER BY b.Cd_Bomba",
      {Value(empresa)});
  for (; !rs.Eof(); rs.MoveNext())
    bicos.push_back({InteiroOuZero(rs.Field(0)), TextoOuVazio(rs.Field(1)),
                     InteiroOuZero(rs.Field(2)), rs.Field(3),
                     rs.Field(4).IsNull() ? 5.0 : rs.Field(4).ToDouble()});
  return bicos;
}

std::vector<Produto> ProdutosDaLoja(bp::db::Connection& c, int32_t empresa) {
  std::vector<Produto> produtos;
  bp::db::Recordset rs = c.Query(
      "SELECT Cd_Produto, Vl_Preco FROM Produto WHERE Cd_PessoaUsuaria = ? AND Fl_VendBomba = ? "
      "AND Cd_Produto NOT IN (SELECT Cd_Produto FROM Bomba) ORDER BY Cd_Produto",
      {Value(empresa), Value(false)});
  for (; !rs.Eof(); rs.MoveNext())
    produtos.push_back(
        {InteiroOuZero(rs.Field(0)), rs.Field(1).IsNull() ? 10.0 : rs.Field(1).ToDouble()});
  return produtos;
}

// The known customers' vehicles (plate, customer).
std::vector<std::pair<std::string, int32_t>> VeiculosConhecidos(bp::db::Connection& c,
                                                                int32_t empresa) {
  std::vector<std::pair<std::string, int32_t>> veiculos;
  bp::db::Recordset rs = c.Query(
      "SELECT Cd_Veiculo, Cd_Cliente FROM Veiculo WHERE Cd_PessoaUsuaria = ? AND Cd_Cliente IS "
      "NOT NULL ORDER BY Cd_Veiculo",
      {Value(empresa)});
  for (; !rs.Eof() && veiculos.size() < 3; rs.MoveNext())
    veiculos.emplace_back(TextoOuVazio(rs.Field(0)), InteiroOuZero(rs.Field(1)));
  return veiculos;
}

std::string Hora(DateTime momento) { return bp::Format(momento, "hh:Nn:ss"); }

}  // namespace

int32_t PrimeiroCodigoDoPontoDeVenda(int32_t caixa) { return 9'000'000 + caixa * 100'000; }

std::map<std::string, int32_t> EscreverDiaDoPontoDeVenda(Sessao& sessao,
                                                         const OpcoesPontoDeVenda& o) {
  bp::db::Connection& c = sessao.Dal().Conexao();
  const int32_t empresa = sessao.Cd_PessoaUsuaria();
  bp::db::Recordset caixa = c.Query(
      "SELECT Dt_Abertura, No_Impressora FROM Caixa WHERE Cd_PessoaUsuaria = ? AND "
      "Cd_Caixa = ?",
      {Value(empresa), Value(o.caixa)});
  if (caixa.Eof()) RegistroNaoEncontrado("station.PontoDeVenda");
  const bp::db::Recordset ja =
      c.Query("SELECT COUNT(*) FROM CupomFiscal WHERE Cd_PessoaUsuaria = ? AND Cd_Caixa = ?",
              {Value(empresa), Value(o.caixa)});
  if (InteiroOuZero(ja.Field(0)) > 0)
    throw bp::Erro(bp::db::kErroComando,
                   "O caixa " + std::to_string(o.caixa) + " já tem cupons neste banco.",
                   "station.PontoDeVenda");
  const DateTime abertura = DataOuVazia(caixa.Field(0));
  const Value impressora = Value(static_cast<uint8_t>(InteiroOuZero(caixa.Field(1))));
  const DateTime dia = o.agora.DatePart();
  const std::vector<Bico> bicos = Bicos(c, empresa);
  const std::vector<Produto> loja = ProdutosDaLoja(c, empresa);
  const auto conhecidos = VeiculosConhecidos(c, empresa);
  const bp::db::Recordset tipo_rec =
      c.Query("SELECT MIN(Cd_TipoRecebimento) FROM TipoRecebimento WHERE Cd_PessoaUsuaria = ?",
              {Value(empresa)});
  const Value tipo_recebimento = tipo_rec.Field(0);
  if (bicos.empty()) RegistroNaoEncontrado("station.PontoDeVenda");
  // The printer's numbers go on from its last coupon, above the history's.
  const bp::db::Recordset ultimo = c.Query(
      "SELECT MAX(No_CupomFiscal) FROM CupomFiscal WHERE Cd_PessoaUsuaria = ? AND "
      "No_Impressora = ?",
      {Value(empresa), impressora});
  const int32_t primeiro_coo = std::max(500'000, InteiroOuZero(ultimo.Field(0)) + 1);

  return EmTransacao(c, "PontoDeVenda", [&] {
    Escrita w(c);
    const int32_t base = PrimeiroCodigoDoPontoDeVenda(o.caixa);
    // Persons new to the station, each a customer with a vehicle.
    std::vector<std::pair<std::string, int32_t>> veiculos = conhecidos;
    for (int32_t k = 0; k < 3; ++k) {
      const int32_t pessoa = base + k;
      const std::string placa = bp::Format(static_cast<double>(o.caixa % 100 * 10 + k), "0000");
      w.Inserir("Pessoa", {{"Cd_Pessoa", pessoa},
                           {"Nm_Pessoa", "CLIENTE DO CAIXA " + std::to_string(o.caixa) + "-" +
                                             std::to_string(k + 1)},
                           {"No_TipoPessoa", uint8_t{1}},
                           {"Nm_Cidade", "CAMPINAS"},
                           {"Ds_SiglaUF", "SP"},
                           {"Dt_Inclusao", dia}});
      w.Inserir("Cliente", {{"Cd_PessoaUsuaria", empresa},
                            {"Cd_Cliente", pessoa},
                            {"Tp_ImpNf", uint8_t{1}},
                            {"Ic_Bloqueado", false},
                            {"Dt_Cadastro", dia}});
      w.Inserir("Veiculo", {{"Cd_PessoaUsuaria", empresa},
                            {"Cd_Veiculo", "PDV" + placa},
                            {"Cd_Cliente", pessoa},
                            {"Nm_Marca", "FIAT"},
                            {"Nm_Modelo", "UNO"}});
      veiculos.emplace_back("PDV" + placa, pessoa);
    }

    const int32_t itens = std::max(1, o.itens_cupom);
    const int64_t janela = std::max<int64_t>(60, o.agora.Seconds() - abertura.Seconds());
    int32_t abastecimento = base, cardex = base, recebimento = base;
    std::vector<std::pair<int32_t, Money>> a_receber;  // coupons waiting for a receipt
    for (int32_t n = 0; n < o.cupons; ++n) {
      const DateTime momento = abertura.AddSeconds(janela * n / std::max(1, o.cupons));
      const int32_t coo = primeiro_coo + n;
      // Every other coupon is a credit sale, the new customers' first.
      const bool credito = n % 2 == 1;
      const size_t qual = (conhecidos.size() + n / 2) % veiculos.size();
      const auto& veiculo = veiculos[qual];
      Money total;
      std::vector<Linha> linhas;
      for (int32_t i = 0; i < itens; ++i) {
        const bool combustivel = i == 0;
        const Bico& b = bicos[n % bicos.size()];
        const Produto p =
            combustivel || loja.empty() ? Produto{b.produto, b.preco} : loja[(n + i) % loja.size()];
        const double quantidade = combustivel ? 10 + n % 30 : 1;
        const Money valor = Money::FromDouble(std::round(quantidade * p.preco * 100) / 100);
        total += valor;
        Value cd_abastecimento = Null{};
        if (combustivel) {
          cd_abastecimento = ++abastecimento;
          // A fuelling names only a vehicle the station already knows.
          w.Inserir("Abastecimento",
                    {{"Cd_PessoaUsuaria", empresa},
                     {"Cd_Abastecimento", abastecimento},
                     {"De_EnderecoLogicoBico", b.endereco},
                     {"Dt_Termino", momento.AddSeconds(-60)},
                     {"Qt_Litros", quantidade},
                     {"Vl_Unitario", Money::FromDouble(p.preco)},
                     {"Vl_Total", valor},
                     {"Tp_OrigemRegistro", uint8_t{1}},
                     {"Ic_Baixado", true},
                     {"Cd_Caixa", o.caixa},
                     {"Cd_Veiculo", credito && qual < conhecidos.size() ? Opcional(veiculo.first)
                                                                        : Value(Null{})}});
        }
        w.Inserir("Cardex", {{"Cd_PessoaUsuaria", empresa},
                             {"Cd_LancamentoCardex", ++cardex},
                             {"Cd_Produto", p.codigo},
                             {"Dt_Emissao", dia},
                             {"No_Tipo", uint8_t{20}},
                             {"Nm_Doc", std::to_string(coo)},
                             {"Qt_Unidade", quantidade},
                             {"Vl_Unitario", p.preco},
                             {"Cd_SisTubulacao", combustivel ? b.sis_tubulacao : Value(Null{})},
                             {"Ds_Historico", "VENDA CUPOM FISCAL"}});
        linhas.push_back(
            {{"Cd_PessoaUsuaria", empresa},
             {"No_Impressora", impressora},
             {"No_CupomFiscal", coo},
             {"Dt_Emissao", dia},
             {"No_Item", static_cast<uint8_t>(i + 1)},
             {"Cd_Produto", p.codigo},
             {"Qt_Unidade", quantidade},
             {"Vl_UnitTabela", Money::FromDouble(p.preco)},
             {"Vl_UnitVenda", Money::FromDouble(p.preco)},
             {"Cd_SisTubulacao", combustivel ? b.sis_tubulacao : Value(Null{})},
             {"Cd_Abastecimento", cd_abastecimento},
             {"Cd_LancamentoCardex", cardex},
             {"Cd_Bomba", combustivel ? Value(static_cast<uint8_t>(b.numero)) : Value(Null{})}});
      }
      w.Inserir("CupomFiscal",
                {{"Cd_PessoaUsuaria", empresa},
                 {"No_Impressora", impressora},
                 {"No_CupomFiscal", coo},
                 {"Dt_Emissao", dia},
                 {"Hr_Emissao", Hora(momento)},
                 {"Vl_TotProd", total},
                 {"Vl_Total", total},
                 {"Vl_DesAcr", Money()},
                 {"Vl_TotalLiquido", total},
                 {"Tp_Venda", static_cast<uint8_t>(credito ? 12 : 21)},
                 {"Cd_Veiculo", credito ? Value(veiculo.first) : Value(Null{})},
                 {"Cd_Cliente", credito ? Value(veiculo.second) : Value(Null{})},
                 {"Cd_Caixa", o.caixa},
                 {"Ic_CupomConcluido", true},
                 {"Dt_Conclusao", momento},
                 {"Dt_Movimento", n % 5 == 0 ? Value(Null{}) : Value(dia)},
                 {"Cd_SequenciaNotaCupom", n % 3 == 0 ? Value(n + 1) : Value(Null{})},
                 {"No_ContadorCupomFiscal", coo}});
      for (const Linha& linha : linhas) w.Inserir("ItemCupomFiscal", linha);
      if (!credito) a_receber.emplace_back(coo, total);
      // Cash coupons are received three at a time.
      if (a_receber.size() == 3 || (n + 1 == o.cupons && !a_receber.empty())) {
        Money recebido;
        for (const auto& [_, valor] : a_receber) recebido += valor;
        w.Inserir("Recebimento", {{"Cd_PessoaUsuaria", empresa},
                                  {"No_Recebimento", ++recebimento},
                                  {"Cd_TipoRecebimento", tipo_recebimento},
                                  {"Dt_Recebimento", momento},
                                  {"Vl_Recebimento", recebido},
                                  {"Dt_Lancamento", momento},
                                  {"Cd_Caixa", o.caixa}});
        for (const auto& [numero, valor] : a_receber)
          w.Inserir("RecebimentoCupom", {{"Cd_PessoaUsuaria", empresa},
                                         {"No_Recebimento", recebimento},
                                         {"No_Impressora", impressora},
                                         {"No_CupomFiscal", numero},
                                         {"Dt_Emissao", dia},
                                         {"Vl_Recebido", valor}});
        a_receber.clear();
      }
    }
    // The stock card's balances after the day, as the point of sale keeps them.
    RecalculoEstoque recalculo(sessao);
    std::vector<int32_t> produtos;
    for (const Bico& b : bicos) produtos.push_back(b.produto);
    for (const Produto& p : loja) produtos.push_back(p.codigo);
    for (int32_t p : produtos)
      if (!recalculo.Recalcular(empresa, p, dia))
        throw bp::Erro(bp::db::kErroComando, recalculo.Motivo(), "station.PontoDeVenda");
    return w.Linhas();
  });
}

}  // namespace station
