// The daily movement of the generated station: purchases when stock runs
// low, the cash registers of each shift, the coupons with their items, the
// fuelings at the nozzles and the stock-card rows, the printers' daily
// summaries, the daily closing and the fuel book.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "station/seed/gerador_interno.h"

namespace station::gerador {
namespace {

using bp::DateTime;
using bp::Money;
using bp::Null;
using bp::Value;

constexpr double kCuponsDeCombustivel = 0.7;
constexpr int32_t kTurnos = 2;  // 06:00-14:00 and 14:00-22:00

Value Texto(const std::string& s) { return Value(s); }
Value Opcional(int32_t v) { return v ? Value(v) : Value(Null{}); }

bool UltimoDiaDoMes(DateTime dia) { return dia.AddDays(1).Day() == 1; }

}  // namespace

int32_t Lancar(Estado& e, ProdutoG& p, DateTime dia, int32_t tipo, double quantidade,
               std::optional<double> unitario, const std::string& documento,
               const std::string& historico) {
  const double custo_antes = p.saldo.custo_medio;
  p.saldo = station::Movimentar(p.saldo, {tipo, quantidade, unitario});
  if (p.icms > 0) p.credito_icms = p.saldo.custo_medio * p.icms / 100;
  const int32_t id = e.proximo_cardex++;
  e.escritor.Linha(T::Cardex,
                   {Value(e.empresa), Value(id), Value(p.codigo), Value(dia),
                    Value(static_cast<uint8_t>(tipo)), Texto(documento), Value(quantidade),
                    Value(unitario.value_or(custo_antes)), Value(p.saldo.quantidade),
                    Value(Money::FromDouble(p.saldo.custo_medio)),
                    Value(Money::FromDouble(p.credito_icms)),
                    p.combustivel ? Value(p.sis_tubulacao) : Value(Null{}), Texto(historico)});
  if (p.combustivel) (tipo < 20 ? p.entradas_dia : p.saidas_dia) += quantidade;
  return id;
}

namespace {

// An entry invoice of one supplier with its items, their stock-card rows,
// the fuel delivery when it is fuel, and the bill to pay.
void Comprar(Estado& e, DateTime dia, int32_t fornecedor,
             const std::vector<std::pair<size_t, double>>& compras) {
  Sorteio& s = e.sorteio;
  const int32_t entrada = e.proxima_entrada++;
  const int32_t nota = e.proxima_nota_fornecedor++;
  const std::string doc = "NF-" + std::to_string(nota);
  Money total, base, icms, ipi_total;
  bool combustivel = false;
  std::vector<std::vector<Value>> itens;
  int32_t item = 0;
  for (auto [indice, quantidade] : compras) {
    ProdutoG& p = e.produtos[indice];
    combustivel = combustivel || p.combustivel;
    const double custo = p.custo * s.Entre(0.98, 1.03);
    // Lubricants carry IPI; its share per unit enters the final cost.
    const double ipi = p.grupo == 2 ? std::round(custo * quantidade * 0.05 * 100) / 100 : 0.0;
    const double final = custo + ipi / quantidade;
    const Money valor = Centavos(custo * quantidade);
    total += valor + Centavos(ipi);
    ipi_total += Centavos(ipi);
    if (p.icms > 0) {
      base += valor;
      icms += Centavos(custo * quantidade * p.icms / 100);
    }
    // Now and then the card kept the invoice's cost before freight rounding.
    const double no_cartao = s.Chance(0.03) ? std::round(custo * 100) / 100 : final;
    const int32_t lancamento = Lancar(e, p, dia, 10, quantidade, no_cartao, doc,
                                          "COMPRA NF " + std::to_string(nota));
    const int32_t cfop = p.combustivel || p.grupo == 2 ? 1652 : p.icms > 0 ? 1102 : 1403;
    itens.push_back({Value(entrada), Value(p.codigo), Texto(p.sit_tributaria + "0"), Value(quantidade),
                     Value(Money::FromDouble(p.icms)), Value(custo), Value(0.0), Value(0.0),
                     Value(custo * p.icms / 100), Value(final), Texto(std::to_string(cfop)),
                     Value(lancamento), Value(ipi), Value(Money::FromDouble(ipi > 0 ? 5 : 0)),
                     Value(0.0), Value(++item), Value(e.empresa), Value(Money()), Value(Money()),
                     Value(valor), Value(0.0), Value(0.0), Value(cfop)});
    if (p.combustivel) {
      e.escritor.Linha(T::Descarga, {Value(e.empresa), Value(e.proxima_descarga++), Value(p.codigo),
                                     Value(p.tanque), Value(dia.AddSeconds(7 * 3600)),
                                     Value(quantidade), Value(entrada)});
    }
  }
  e.escritor.Linha(T::NotaEntrada,
                   {Value(entrada), Value(e.empresa), Value(fornecedor), Value(uint8_t{2}),
                    Value(nota), Value(dia.AddDays(-1)), Value(dia),
                    Texto(combustivel ? "1652" : "1102"), Value(total - ipi_total), Value(base),
                    Value(icms), Value(Money()), Value(Money()), Value(Money()), Value(Money()),
                    Value(Money()), Value(ipi_total), Value(Money()), Value(total)});
  for (auto& linha : itens) e.escritor.Linha(T::ItemNotaEntrada, std::move(linha));
  const DateTime vencimento = dia.AddDays(combustivel ? 3 : 21);
  const bool pago = vencimento < e.fim;
  e.escritor.Linha(T::ContaAPagar,
                   {Value(e.empresa), Value(e.proxima_conta_pagar++), Value(fornecedor),
                    Texto("NF " + std::to_string(nota)), Value(dia.AddDays(-1)), Value(vencimento),
                    Value(total), Value(pago ? total : Money()),
                    pago ? Value(vencimento) : Value(Null{}), Value(static_cast<uint8_t>(pago ? 2 : 1))});
}

// Fuel is delivered in whole trucks when the tank falls below its mark;
// each supplier of the shop comes on its own weekday.
void Compras(Estado& e, DateTime dia) {
  for (size_t i : e.combustiveis) {
    ProdutoG& p = e.produtos[i];
    if (p.saldo.quantidade > std::max(p.capacidade * 0.3, p.venda_diaria * 2.5)) continue;
    const double espaco = p.capacidade * 0.95 - p.saldo.quantidade;
    const double litros = std::max(5000.0, std::floor(espaco / 5000) * 5000);
    Comprar(e, dia, p.fornecedor, {{i, litros}});
  }
  for (size_t f = 0; f < e.fornecedores.size(); ++f) {
    if (static_cast<int>(f % 5) + 2 != dia.Weekday() && f != 0) continue;
    std::vector<std::pair<size_t, double>> pedido;
    for (size_t i : e.loja) {
      ProdutoG& p = e.produtos[i];
      if (p.tipo == 2 || p.fornecedor != e.fornecedores[f]) continue;
      if (p.saldo.quantidade > p.venda_diaria * 10) continue;
      pedido.push_back({i, std::max(6.0, std::ceil(p.venda_diaria * 28 - p.saldo.quantidade))});
    }
    if (!pedido.empty()) Comprar(e, dia, e.fornecedores[f], pedido);
  }
}

struct ItemG {
  size_t produto = 0;
  double quantidade = 0;
  double preco = 0;
  Money valor;
  int32_t bico = -1;
  int32_t abastecimento = 0;
  int32_t cardex = 0;
  bool sem_imposto = false;  // the older point of sale left its tax codes empty
};

struct CupomG {
  size_t impressora = 0;
  int32_t coo = 0;
  DateTime momento;
  int32_t turno = 0;
  Pagamento pagamento = Pagamento::Dinheiro;
  int32_t cliente = -1;
  std::string placa;
  std::vector<ItemG> itens;
  Money total, produtos, base_icms, icms, subst, isentas, servicos, gt;
  int32_t frentista = 0;
  int32_t conta = 0;
  int32_t cheque_banco = 0, cheque_agencia = 0, cheque_conta = 0;
  std::string cheque_numero;
};

size_t Sorteado(Estado& e, const std::vector<size_t>& indices, const std::vector<double>& pesos) {
  return indices[e.sorteio.Pesado(pesos)];
}

// The coupons of the day, in the order they were printed.
std::vector<CupomG> Cupons(Estado& e, DateTime dia, int64_t n_dia) {
  Sorteio& s = e.sorteio;
  static const double kFatorSemana[] = {0, 0.85, 0.95, 0.95, 0.95, 0.95, 1.15, 1.1};
  const double fator = kFatorSemana[dia.Weekday()] * s.Entre(0.95, 1.05);
  const int32_t quantos = std::max(1, static_cast<int32_t>(std::lround(e.opcoes.cupons_dia * fator)));
  std::vector<int32_t> segundos(static_cast<size_t>(quantos));
  for (auto& x : segundos) x = s.Inteiro(6 * 3600, 22 * 3600 - 1);
  std::sort(segundos.begin(), segundos.end());

  std::vector<double> pesos_combustivel, pesos_loja, pesos_clientes;
  for (size_t i : e.combustiveis) pesos_combustivel.push_back(e.produtos[i].peso);
  for (size_t i : e.loja) pesos_loja.push_back(e.produtos[i].peso);
  for (const auto& c : e.clientes) pesos_clientes.push_back(c.peso);

  std::vector<CupomG> cupons;
  cupons.reserve(segundos.size());
  const int32_t media = e.opcoes.itens_cupom;
  for (int32_t segundo : segundos) {
    CupomG c;
    c.impressora = static_cast<size_t>(s.Inteiro(0, e.opcoes.impressoras - 1));
    ImpressoraG& imp = e.impressoras[c.impressora];
    c.coo = ++imp.coo;
    c.momento = dia.AddSeconds(segundo);
    c.turno = segundo < 14 * 3600 ? 0 : 1;
    const double r = s.Real();
    c.pagamento = r < 0.55 ? Pagamento::Dinheiro : r < 0.80 ? Pagamento::Cartao
                : r < 0.85 ? Pagamento::Cheque : Pagamento::Credito;
    if (c.pagamento == Pagamento::Credito) {
      c.cliente = static_cast<int32_t>(s.Pesado(pesos_clientes));
      const ClienteG& cli = e.clientes[static_cast<size_t>(c.cliente)];
      if (s.Chance(0.8)) c.placa = cli.placas[static_cast<size_t>(s.Inteiro(0, static_cast<int32_t>(cli.placas.size()) - 1))];
    }
    const int32_t n_itens = 1 + s.Inteiro(0, 2 * (media - 1));
    const bool combustivel = s.Chance(kCuponsDeCombustivel);
    for (int32_t k = 0; k < n_itens; ++k) {
      ItemG item;
      ProdutoG* p;
      if (k == 0 && combustivel) {
        item.produto = Sorteado(e, e.combustiveis, pesos_combustivel);
        p = &e.produtos[item.produto];
        // A nozzle of that fuel, and a fill by value or up to the brim.
        std::vector<int32_t> bicos;
        for (size_t b = 0; b < e.bicos.size(); ++b)
          if (e.bicos[b].produto == item.produto) bicos.push_back(static_cast<int32_t>(b));
        item.bico = bicos[static_cast<size_t>(s.Inteiro(0, static_cast<int32_t>(bicos.size()) - 1))];
        static const double kValores[] = {10, 20, 20, 25, 30, 40, 50, 50, 100};
        double litros = p->quantidade_media > 50 ? s.Entre(40, 300)
                        : s.Chance(0.3) ? s.Entre(20, 45) : kValores[s.Inteiro(0, 8)] / p->preco;
        item.quantidade = std::round(litros * 1000) / 1000;
        item.sem_imposto = s.Chance(0.02);
      } else {
        item.produto = Sorteado(e, e.loja, pesos_loja);
        p = &e.produtos[item.produto];
        const double q = s.Real();
        item.quantidade = q < 0.8 ? 1 : q < 0.95 ? 2 : 3;
      }
      item.preco = p->preco;
      item.valor = Centavos(item.quantidade * item.preco);
      c.total += item.valor;
      if (p->tipo == 2) {
        c.servicos += item.valor;
      } else if (p->icms > 0) {
        c.base_icms += item.valor;
        c.icms += Centavos(item.quantidade * item.preco * p->icms / 100);
      } else if (p->sit_tributaria == "06") {
        c.subst += item.valor;
      } else {
        c.isentas += item.valor;
      }
      c.itens.push_back(item);
    }
    imp.gt += c.total;
    c.gt = imp.gt;
    c.frentista = e.frentistas[static_cast<size_t>(
        (n_dia + c.turno + (c.itens[0].bico >= 0 ? c.itens[0].bico : 0)) %
        static_cast<int64_t>(e.frentistas.size()))];
    cupons.push_back(std::move(c));
  }
  return cupons;
}

// The stock, fueling and coupon rows of one coupon.
void GravarCupom(Estado& e, CupomG& c, DateTime dia, const std::vector<int32_t>& caixas) {
  Sorteio& s = e.sorteio;
  ImpressoraG& imp = e.impressoras[c.impressora];
  const int32_t caixa = caixas[c.impressora * kTurnos + static_cast<size_t>(c.turno)];
  const std::string doc = fmt::format("CF-{}-{}", imp.numero, c.coo);
  const bool credito = c.pagamento == Pagamento::Credito;
  const ClienteG* cliente = credito ? &e.clientes[static_cast<size_t>(c.cliente)] : nullptr;

  if (c.pagamento == Pagamento::Cheque) {
    static const int16_t kBancos[] = {1, 104, 237, 341, 409};
    c.cheque_banco = kBancos[s.Inteiro(0, 4)];
    c.cheque_agencia = s.Inteiro(100, 9999);
    c.cheque_conta = s.Inteiro(10000, 999999);
    c.cheque_numero = fmt::format("{:06}", e.proximo_cheque++ % 1000000);
    e.escritor.Linha(T::ConsultaCheque,
                     {Value(static_cast<int16_t>(c.cheque_banco)),
                      Value(static_cast<int16_t>(c.cheque_agencia)), Value(c.cheque_conta),
                      Texto(c.cheque_numero), Value(e.empresa),
                      Texto(fmt::format("{:03}{:04}{:06}{:010}", c.cheque_banco, c.cheque_agencia,
                                        std::stoi(c.cheque_numero), c.cheque_conta)),
                      Value(uint8_t{1}), Texto(Cpf(s.Inteiro(1000000, 99999999))), Value(c.total),
                      Value(dia.AddDays(s.Chance(0.3) ? s.Inteiro(1, 30) : 0)), Value(uint8_t{1}),
                      Value(c.momento), Value(true), Value(true), Value("CHEQUE SEM OCORRENCIAS")});
  }
  for (ItemG& item : c.itens) {
    ProdutoG& p = e.produtos[item.produto];
    if (item.bico >= 0) {
      BicoG& b = e.bicos[static_cast<size_t>(item.bico)];
      item.abastecimento = e.proximo_abastecimento++;
      const double abertura = b.encerrante;
      b.encerrante = std::round((b.encerrante + item.quantidade) * 1000) / 1000;
      const bool cheque = c.pagamento == Pagamento::Cheque;
      const int32_t pagamento = static_cast<int32_t>(c.pagamento);
      e.escritor.Linha(
          T::Abastecimento,
          {Value(e.empresa), Value(item.abastecimento), Texto(b.endereco),
           Value(c.momento.AddSeconds(-60)), Value(++b.contador), Value(item.quantidade),
           Value(Money::FromDouble(item.preco)), Value(item.valor), Value(abertura),
           Value(b.encerrante), Value(uint8_t{1}), Value(true), Value(caixa), Value(c.frentista),
           c.placa.empty() ? Value(Null{}) : Texto(c.placa), Value(static_cast<uint8_t>(pagamento)),
           Value(static_cast<uint8_t>(pagamento == 3 ? 1 : 2)), Value(false),
           cheque ? Value(static_cast<int16_t>(c.cheque_banco)) : Value(Null{}),
           cheque ? Value(static_cast<int16_t>(c.cheque_agencia)) : Value(Null{}),
           cheque ? Value(c.cheque_conta) : Value(Null{}),
           cheque ? Texto(c.cheque_numero) : Value(Null{})});
    }
    if (p.tipo != 2) {
      item.cardex = Lancar(e, p, dia, 20, item.quantidade, std::nullopt, doc,
                               "VENDA CUPOM FISCAL");
    }
  }

  // Credit sales wait for the month's bill, unless the month is still open.
  DateTime fechamento = c.momento, vencimento;
  bool fechada = !credito;
  if (credito) {
    DateTime fim_do_mes = dia;
    while (!UltimoDiaDoMes(fim_do_mes)) fim_do_mes = fim_do_mes.AddDays(1);
    if (fim_do_mes < e.fim) {
      fechada = true;
      fechamento = fim_do_mes.AddSeconds(23 * 3600);
      vencimento = fim_do_mes.AddDays(30);
      auto [conta, nova] = e.conta_do_mes.try_emplace(c.cliente, e.proxima_conta_receber);
      if (nova) ++e.proxima_conta_receber;
      c.conta = conta->second;
      VendaACredito v{c.cliente, c.total, imp.numero, c.coo, dia, {}};
      for (const ItemG& item : c.itens) v.itens.push_back({item.produto, item.quantidade});
      e.vendas_do_mes.push_back(std::move(v));
    }
  }
  const bool combustivel = c.itens[0].bico >= 0;
  const int32_t tp_venda = !credito ? 21 : c.placa.empty() ? 13 : 12;
  e.escritor.Linha(
      T::CupomFiscal,
      {Value(e.empresa), Value(imp.numero), Value(c.coo), Value(dia), Texto(Hora(c.momento)),
       Value(c.total), Value(c.base_icms), Value(c.icms), Value(Money()), Value(Money()),
       Value(Money()), Value(c.total), Value(Money()), Value(c.total), Value(Money()),
       Value(static_cast<uint8_t>(tp_venda)), c.placa.empty() ? Value(Null{}) : Texto(c.placa),
       c.placa.empty() ? Value(Null{}) : Value(s.Inteiro(1000, 400000)),
       Value(static_cast<uint8_t>(cliente && cliente->nota_na_fatura ? 12 : 1)), Value(Null{}),
       fechada ? Value(fechamento) : Value(Null{}), Value(fechada), Opcional(c.conta),
       vencimento.IsEmpty() ? Value(Null{}) : Value(vencimento), Texto(combustivel ? "5656" : "5102"),
       Value(caixa), fechada ? Value(fechamento) : Value(Null{}),
       Value(e.caixas[static_cast<size_t>(caixa) % e.caixas.size()]),
       Value(Null{}), Value(0.0), Value(false), Value(c.gt),
       Value(imp.crz + 1), Value(c.isentas), Value(c.subst), Value(Money()), Value(true),
       cliente ? Value(cliente->codigo) : Value(Null{}),
       credito && c.placa.empty() ? Texto(fmt::format("REQ{:06}", c.coo)) : Value(Null{})});
  int32_t numero = 0;
  for (const ItemG& item : c.itens) {
    const ProdutoG& p = e.produtos[item.produto];
    const bool bico = item.bico >= 0;
    const char* cfop = p.tipo == 2 ? "5933" : p.combustivel ? "5656" : p.icms > 0 ? "5102" : "5405";
    e.escritor.Linha(
        T::ItemCupomFiscal,
        {Value(e.empresa), Value(imp.numero), Value(c.coo), Value(dia),
         Value(static_cast<uint8_t>(++numero)), Value(p.codigo), Value(item.quantidade),
         Value(Money::FromDouble(item.preco)), Value(Money::FromDouble(item.preco)), Value(Money()),
         Value(Money()), item.sem_imposto ? Value(Null{}) : Texto(p.sit_tributaria), Texto(p.unidade),
         Value(p.icms), Value(p.icms > 0 ? 100.0 : 0.0),
         item.sem_imposto ? Value(Null{}) : Texto(p.trib_icms),
         p.combustivel ? Value(p.sis_tubulacao) : Value(Null{}), Value(cfop), Value("00"),
         Opcional(item.abastecimento), Opcional(item.cardex),
         bico ? Value(e.bicos[static_cast<size_t>(item.bico)].codigo) : Value(Null{})});
  }
  imp.bruto += c.total;
  imp.tributado += c.base_icms;
  imp.subst += c.subst;
  imp.isentas += c.isentas;
  imp.nao_incidencia += c.servicos;
}

// Pump calibrations: twenty litres back into the tank, of no value.
void Afericoes(Estado& e, DateTime dia, int32_t caixa) {
  for (BicoG& b : e.bicos) {
    const double abertura = b.encerrante;
    b.encerrante = std::round((b.encerrante + 20) * 1000) / 1000;
    e.escritor.Linha(T::Abastecimento,
                     {Value(e.empresa), Value(e.proximo_abastecimento++), Texto(b.endereco),
                      Value(dia.AddSeconds(6 * 3600 + 600 + b.codigo * 120)), Value(++b.contador),
                      Value(20.0), Value(Money::FromDouble(e.produtos[b.produto].preco)),
                      Value(Money()), Value(abertura), Value(b.encerrante), Value(uint8_t{1}),
                      Value(false), Value(caixa), Value(e.frentistas[0]), Value(Null{}),
                      Value(uint8_t{0}), Value(Null{}), Value(false), Value(Null{}), Value(Null{}),
                      Value(Null{}), Value(Null{})});
  }
}

void FecharDia(Estado& e, DateTime dia, int32_t n_dia) {
  for (ImpressoraG& imp : e.impressoras) {
    ++imp.crz;
    const bool vendeu = imp.coo >= imp.primeiro_do_dia;
    e.escritor.Linha(
        T::MapaResumoECF,
        {Value(e.empresa), Value(imp.numero), Value(dia),
         Value(vendeu ? imp.primeiro_do_dia : imp.coo), Value(imp.coo), Value(imp.crz),
         Value(imp.gt_inicio_dia), Value(imp.gt), Value(imp.bruto), Value(Money()),
         Value(imp.descontos), Value(imp.isentas), Value(imp.nao_incidencia), Value(imp.subst),
         Value(Money()), Value(uint8_t{0}), Value(imp.tributado), Value(Money::FromInt(18)),
         Value(uint8_t{0}), Value(Money()), Value(Money::FromInt(12)), Value(uint8_t{0}),
         Value(Money()), Value(Money::FromInt(25)), Value(uint8_t{1}), Value(Money()),
         Value(Money::FromInt(5))});
    imp.bruto = imp.descontos = imp.isentas = imp.nao_incidencia = imp.subst = imp.tributado =
        Money();
  }
  e.escritor.Linha(T::FecDiario, {Value(e.empresa), Value(dia), Value(dia.AddSeconds(86400 + 900)),
                                  Value(e.usuario_gerente), Value(true)});
  // The fuel book: each fuel's day by its piping system, and the LMC page,
  // whose closing is the measured stock, a little off the book.
  for (size_t i : e.combustiveis) {
    ProdutoG& p = e.produtos[i];
    const double escritural = p.abertura_dia + p.entradas_dia - p.saidas_dia;
    const double medido = std::round(escritural * (1 + e.sorteio.Entre(-0.002, 0.0005)));
    e.escritor.Linha(T::EstoqueSisTubulacao,
                     {Value(e.empresa), Value(p.sis_tubulacao), Value(dia), Value(p.codigo),
                      Value(p.abertura_dia), Value(p.entradas_dia), Value(p.saidas_dia),
                      Value(escritural)});
    e.escritor.Linha(T::Lmc, {Value(e.empresa), Value(p.codigo), Value(dia), Value(n_dia + 1),
                              Value(p.abertura_dia), Value(p.entradas_dia), Value(p.saidas_dia),
                              Value(escritural), Value(medido), Value(medido - escritural),
                              Value(Centavos(p.saidas_dia * p.preco))});
    p.entradas_dia = p.saidas_dia = 0;
  }
}

// Prices move now and then: fuels every six weeks or so, the shop a little
// each month.
void Precos(Estado& e, DateTime dia) {
  Sorteio& s = e.sorteio;
  for (size_t i : e.combustiveis) {
    ProdutoG& p = e.produtos[i];
    if (!s.Chance(1.0 / 45)) continue;
    const double fator = s.Entre(0.97, 1.05);
    p.preco = std::round(p.preco * fator * 1000) / 1000;
    p.custo = std::round(p.custo * fator * 1000) / 1000;
  }
  if (dia.Day() != 1) return;
  for (size_t i : e.loja) {
    ProdutoG& p = e.produtos[i];
    if (!s.Chance(0.3)) continue;
    p.preco = std::round(p.preco * 1.05 * 100) / 100;
    p.custo = std::round(p.custo * 1.05 * 100) / 100;
  }
}

}  // namespace

void GerarDias(Estado& e) {
  const DateTime inicio = e.opcoes.inicio.DatePart();
  // The opening stock of every product, as one entry on the first day.
  for (ProdutoG& p : e.produtos) {
    if (p.tipo == 2) continue;
    Lancar(e, p, inicio, 10, p.estoque_inicial, p.custo, "ESTOQUE INICIAL", "ESTOQUE INICIAL");
    p.entradas_dia = 0;
  }
  for (int32_t d = 0; d < e.opcoes.dias; ++d) {
    const DateTime dia = inicio.AddDays(d);
    for (size_t i : e.combustiveis) e.produtos[i].abertura_dia = e.produtos[i].saldo.quantidade;
    Precos(e, dia);
    Compras(e, dia);
    for (ImpressoraG& imp : e.impressoras) {
      imp.primeiro_do_dia = imp.coo + 1;
      imp.gt_inicio_dia = imp.gt;
    }
    std::vector<CupomG> cupons = Cupons(e, dia, d);

    // The registers of the day, one per printer and shift, with their sales.
    std::vector<int32_t> caixas;
    std::vector<Money> vendas(e.impressoras.size() * kTurnos);
    for (const CupomG& c : cupons) {
      if (c.pagamento == Pagamento::Credito) continue;
      vendas[c.impressora * kTurnos + static_cast<size_t>(c.turno)] += c.total;
    }
    for (size_t imp = 0; imp < e.impressoras.size(); ++imp) {
      for (int32_t t = 0; t < kTurnos; ++t) {
        const int32_t codigo = e.proximo_caixa++;
        caixas.push_back(codigo);
        const size_t k = imp * kTurnos + static_cast<size_t>(t);
        const Money abertura = Money::FromInt(100);
        const Money sangria = Money::FromDouble(std::floor(vendas[k].ToDouble() * 0.8 / 50) * 50);
        const DateTime abre = dia.AddSeconds((6 + 8 * t) * 3600 - 600);
        e.escritor.Linha(T::Caixa,
                         {Value(codigo), Value(e.empresa),
                          Value(e.caixas[static_cast<size_t>(codigo) % e.caixas.size()]),
                          Value(abre), Value(abre.AddSeconds(8 * 3600 + 900)), Value(true),
                          Value(e.impressoras[imp].numero), Value(abertura), Value(vendas[k]),
                          Value(Money()), Value(sangria), Value(abertura + vendas[k] - sangria),
                          Value(Money())});
      }
    }
    if (d % 7 == 3) Afericoes(e, dia, caixas[0]);
    for (CupomG& c : cupons) GravarCupom(e, c, dia, caixas);
    GerarRecebimentosDoDia(e, dia, caixas[0]);
    FecharDia(e, dia, d);
    if (UltimoDiaDoMes(dia)) {
      FaturarMes(e, dia);
      GerarDespesasDoMes(e, dia);
    }
    // PostgreSQL plans the reference checks of the inserts from what it
    // knows of the tables' sizes and keeps those plans; without statistics
    // taken as the tables grow, a check may walk a whole table through an
    // index that only starts with the company.
    if (e.conexao.Kind() == bp::db::DialectKind::kPostgreSQL &&
        (d == 0 || d == 6 || d == 59 || d == 364)) {
      e.escritor.GravarTudo();
      e.conexao.Execute("ANALYZE");
    }
    if (e.opcoes.ao_fim_do_dia) e.opcoes.ao_fim_do_dia(d + 1, e.opcoes.dias);
  }
}

}  // namespace station::gerador
