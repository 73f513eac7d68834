// The month's end of the generated station: each credit customer's sales
// billed into one receivable (with the invoice of the coupons when the
// customer asks for it), the receipts of the bills on the days they are
// paid, the monthly expenses and the employees' advances.
#include <cmath>
#include <map>
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

Value Texto(const std::string& s) { return Value(s); }

// The invoice of a customer's coupons of the month (operation 91). The
// point of sale of that time also took the goods out of stock again for the
// invoice, so each item has a stock-card row of its own.
void NotaDosCupons(Estado& e, const ClienteG& cliente, int32_t conta, DateTime dia,
                   DateTime vencimento, const std::vector<const VendaACredito*>& vendas) {
  std::map<size_t, double> quantidades;
  for (const VendaACredito* v : vendas) {
    for (auto [produto, quantidade] : v->itens) quantidades[produto] += quantidade;
  }
  const int32_t nota = e.proxima_nota_saida++;
  const std::string doc = "NF-" + std::to_string(nota);
  Money total, base, icms;
  std::vector<std::vector<Value>> itens;
  int16_t numero = 0;
  for (auto [indice, quantidade] : quantidades) {
    ProdutoG& p = e.produtos[indice];
    const Money valor = Centavos(quantidade * p.preco);
    total += valor;
    if (p.icms > 0) {
      base += valor;
      icms += Centavos(quantidade * p.preco * p.icms / 100);
    }
    const int32_t cardex = p.tipo == 2 ? 0
                           : Lancar(e, p, dia, 20, quantidade, std::nullopt, doc,
                                    "NOTA FISCAL " + std::to_string(nota));
    itens.push_back({Value(e.empresa), Value(nota), Value(uint8_t{1}), Value(++numero),
                     Value(p.codigo), Value(quantidade), Value(Money::FromDouble(p.preco)),
                     Value(Money::FromDouble(p.preco)), Value(Money()), Value(Money()),
                     Texto(p.sit_tributaria), Value(p.icms), Value("5929"), Value("00"),
                     Value(p.icms > 0 ? 100.0 : 0.0), Texto(p.trib_icms), Value(false),
                     p.combustivel ? Value(p.sis_tubulacao) : Value(Null{}),
                     cardex ? Value(cardex) : Value(Null{})});
  }
  e.escritor.Linha(T::NotaSaida,
                   {Value(e.empresa), Value(uint8_t{1}), Value(nota), Value(cliente.codigo),
                    Value(91), Value("5929"), Value("00"), Value(dia), Value("23:10:00"),
                    Value(dia), Value(vencimento), Value(conta), Value(total), Value(base),
                    Value(icms), Value(total), Value(total),
                    Texto("NOTA FISCAL REFERENTE AOS CUPONS FISCAIS DO MES " +
                          fmt::format("{:02}/{}", dia.Month(), dia.Year())),
                    Value(true), Value(e.gerente), Value(true), Value(dia), Value(uint8_t{1})});
  for (auto& linha : itens) e.escritor.Linha(T::ItemNotaSaida, std::move(linha));
}

}  // namespace

void FaturarMes(Estado& e, DateTime ultimo_dia) {
  Sorteio& s = e.sorteio;
  std::map<int32_t, std::vector<const VendaACredito*>> por_cliente;
  for (const VendaACredito& v : e.vendas_do_mes) por_cliente[v.cliente_indice].push_back(&v);
  const DateTime emissao = ultimo_dia.AddSeconds(23 * 3600);
  for (const auto& [indice, vendas] : por_cliente) {
    const ClienteG& cliente = e.clientes[static_cast<size_t>(indice)];
    const int32_t conta = e.conta_do_mes.at(indice);
    Money debito;
    for (const VendaACredito* v : vendas) debito += v->valor;
    const Money despesa = cliente.boleta ? Money::FromDouble(2.5) : Money();
    DateTime vencimento = ultimo_dia.AddDays(30);
    if (vencimento.Weekday() == 1) vencimento = vencimento.AddDays(1);

    // Most bills are paid on time, some late with interest, a few never.
    const double r = s.Real();
    const int32_t atraso = r < 0.8 ? -s.Inteiro(0, 3) : r < 0.95 ? s.Inteiro(1, 20) : 100000;
    const DateTime pagamento = vencimento.AddDays(atraso);
    const bool pago = atraso < 100000 && pagamento < e.fim;
    const Money juros =
        atraso > 0 && pago ? Centavos((debito + despesa).ToDouble() * 0.001 * atraso) : Money();
    e.escritor.Linha(
        T::ContaAReceber,
        {Value(e.empresa), Value(conta), Value(cliente.codigo), Value(cliente.codigo),
         Value(emissao), Value(vencimento), Value(vencimento), Value(uint8_t{1}), Value(uint8_t{1}),
         Value(uint8_t{1}), Value(despesa), Value(debito), Value(Money()), Value(juros),
         Value(pago ? debito + despesa + juros : Money()),
         Value(pago ? Money() : debito + despesa), Value(emissao), Value(e.gerente), Value(true),
         Texto(cliente.boleta ? "B" : "C"), Value(emissao), Value(vencimento.AddDays(5)),
         pago ? Value(pagamento) : Value(Null{}),
         // The point of sale wrote the empty date where no block was set.
         pago ? Value(DateTime()) : Value(Null{})});
    if (pago) {
      e.receitas[pagamento.Days()].push_back(
          {conta, indice, debito + despesa + juros, std::max(0, atraso),
           cliente.boleta ? 5 : s.Chance(0.7) ? 1 : 2});
    }
    if (cliente.nota_na_fatura) NotaDosCupons(e, cliente, conta, ultimo_dia, vencimento, vendas);
  }
  e.vendas_do_mes.clear();
  e.conta_do_mes.clear();
}

void GerarRecebimentosDoDia(Estado& e, DateTime dia, int32_t caixa) {
  auto it = e.receitas.find(dia.Days());
  if (it == e.receitas.end()) return;
  Sorteio& s = e.sorteio;
  for (const ReceitaAgendada& r : it->second) {
    const ClienteG& cliente = e.clientes[static_cast<size_t>(r.cliente_indice)];
    const bool cheque = r.tipo_recebimento == 2;
    const DateTime quando = dia.AddSeconds(s.Inteiro(8 * 3600, 18 * 3600));
    const Money juros = r.atraso > 0 ? r.valor - Centavos(r.valor.ToDouble() / (1 + 0.001 * r.atraso))
                                     : Money();
    e.escritor.Linha(
        T::Recebimento,
        {Value(e.empresa), Value(e.proximo_recebimento++), Value(uint8_t{1}), Value(r.conta),
         Value(r.tipo_recebimento), cheque ? Value(int16_t{237}) : Value(Null{}),
         cheque ? Value(static_cast<int16_t>(s.Inteiro(100, 9999))) : Value(Null{}),
         cheque ? Value(s.Inteiro(10000, 999999)) : Value(Null{}),
         cheque ? Texto(fmt::format("{:06}", s.Inteiro(1, 999999))) : Value(Null{}),
         Value(uint8_t{1}), Value(static_cast<uint8_t>(cliente.empresa ? 2 : 1)),
         Texto(cliente.documento), Value(quando), Value(r.valor), Value(r.atraso),
         Value(r.valor - juros), Value(juros), Value(Money::FromInt(3)), Value(quando),
         Value(caixa)});
  }
  e.receitas.erase(it);
}

void GerarDespesasDoMes(Estado& e, DateTime ultimo_dia) {
  Sorteio& s = e.sorteio;
  struct Conta {
    int32_t fornecedor;  // index into the suppliers, -1 for none
    int32_t conta;
    const char* descricao;
    double minimo, maximo;
  };
  std::vector<Conta> contas = {{5, 41, "ENERGIA ELETRICA", 2500, 4200},
                               {6, 42, "AGUA E ESGOTO", 300, 650},
                               {7, 44, "TELEFONE", 180, 420},
                               {-1, 43, "FOLHA DE PAGAMENTO",
                                900.0 * e.opcoes.funcionarios, 950.0 * e.opcoes.funcionarios}};
  if (ultimo_dia.Month() % 3 == 0) contas.push_back({3, 45, "MANUTENCAO DE BOMBAS", 400, 1500});
  for (const Conta& c : contas) {
    const int32_t numero = e.proxima_despesa++;
    const Money valor = Centavos(s.Entre(c.minimo, c.maximo));
    const Value fornecedor =
        c.fornecedor < 0 ? Value(Null{}) : Value(e.fornecedores[static_cast<size_t>(c.fornecedor)]);
    e.escritor.Linha(T::Despesa,
                     {Value(e.empresa), Value(numero), Value(numero), fornecedor, Value(c.conta),
                      Value(Null{}), Value(ultimo_dia), Value(ultimo_dia.AddDays(-5)),
                      Value(ultimo_dia.AddDays(10)), Texto(fmt::format("DOC {:06}", numero)),
                      Value(valor), Value(c.descricao)});
    e.escritor.Linha(T::ItemDespesa,
                     {Value(e.empresa), Value(numero), Value(int16_t{1}), Value(c.conta), Value(valor),
                      Texto(fmt::format("REFERENTE A {:02}/{}", ultimo_dia.Month(), ultimo_dia.Year()))});
  }
  // Two advances on the wages of attendants.
  for (int k = 0; k < 2; ++k) {
    const int32_t funcionario =
        e.frentistas[static_cast<size_t>(s.Inteiro(0, static_cast<int32_t>(e.frentistas.size()) - 1))];
    const Money valor = Money::FromInt(s.Inteiro(1, 4) * 50);
    e.escritor.Linha(T::LanCCFuncionario,
                     {Value(funcionario), Value(ultimo_dia.AddDays(-10).AddSeconds(12 * 3600)),
                      Value(e.proximo_lancamento_func++), Value("VALE"), Value(valor),
                      Value(valor), Value(uint8_t{1}), Value(true)});
  }
}

}  // namespace station::gerador
