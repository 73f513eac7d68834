// Pieces shared by the parts of the data generator (gerador.cc for the
// registers, gerador_movimento.cc for the daily movement): the seeded
// random source, the batched row writer and the state of the simulated
// station.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bp/datetime.h"
#include "bp/db/connection.h"
#include "bp/money.h"
#include "bp/value.h"
#include "station/seed/gerador.h"
#include "station/stock/recalculo_estoque.h"

namespace station::gerador {

// A small, fast generator (splitmix64) whose sequence is the same on every
// platform, unlike the standard distributions.
class Sorteio {
 public:
  explicit Sorteio(uint64_t semente) : estado_(semente * 0x9E3779B97F4A7C15ull + 1) {}
  uint64_t Proximo();
  // Uniform in [0, 1).
  double Real() { return static_cast<double>(Proximo() >> 11) * 0x1.0p-53; }
  // Uniform whole number in [a, b].
  int32_t Inteiro(int32_t a, int32_t b);
  double Entre(double a, double b) { return a + (b - a) * Real(); }
  bool Chance(double p) { return Real() < p; }
  // An index drawn with the given weights.
  size_t Pesado(const std::vector<double>& pesos);

 private:
  uint64_t estado_;
};

// The tables the generator writes, in an order where every referenced row
// is written before the rows that refer to it.
enum class T {
  Pessoa, Funcao, Funcionario, Usuario, Banco, TipoDespesa, ContaContabil, GrupoProduto,
  NaturezaProduto, CFOP, TipoNF, Produto, SisTubulacao, Tanque, Bomba, ECF, ConPag, Cliente,
  Veiculo, Cartao, CondEspecialPreco, Fornecedor, TipoRecebimento, ConBan, Caixa, ConsultaCheque,
  Cardex, Abastecimento, CupomFiscal, ItemCupomFiscal, MapaResumoECF, FecDiario, NotaEntrada,
  ItemNotaEntrada, Descarga, NotaSaida, ItemNotaSaida, ContaAReceber, Recebimento, ContaAPagar,
  Despesa, ItemDespesa, LanCCFuncionario, EstoqueSisTubulacao, Lmc, Total
};

// Rows are kept per table and sent as multi-row INSERTs with bound
// parameters. When one table has a full batch, every table is written, in
// the order of T, so references always find their rows.
class Escritor {
 public:
  explicit Escritor(bp::db::Connection& connection);
  void Linha(T tabela, std::vector<bp::Value> valores);
  void GravarTudo();
  std::vector<std::pair<std::string, int64_t>> Contagens() const;

 private:
  struct Tabela {
    std::string nome;
    std::vector<std::string> colunas;
    size_t por_comando = 1;
    std::vector<bp::Value> pendentes;
    size_t linhas_pendentes = 0;
    int64_t gravadas = 0;
    std::string comando_cheio;  // the statement text of a full batch, kept
  };
  void Gravar(Tabela& t);
  std::string Comando(const Tabela& t, size_t linhas) const;

  bp::db::Connection& connection_;
  std::vector<Tabela> tabelas_;
};

enum class Pagamento { Credito = 1, Cheque = 2, Dinheiro = 3, Cartao = 4 };

struct ProdutoG {
  int32_t codigo = 0;
  std::string nome;
  int32_t tipo = 1;        // Produto.No_Tipo: 1 goods (fuels included), 2 service
  bool combustivel = false;
  int32_t grupo = 0;
  int32_t natureza = 0;
  int32_t conta = 0;
  std::string unidade;
  std::string sit_tributaria;  // two characters, the version-18 code
  std::string trib_icms;       // one character
  double icms = 0;             // rate, percent
  double preco = 0;            // selling price now
  double custo = 0;            // purchase cost now
  double peso = 1;             // how often it sells
  double quantidade_media = 1; // a usual quantity per sale
  int32_t fornecedor = 0;      // person code of its supplier
  uint8_t sis_tubulacao = 0;   // fuels only
  uint8_t tanque = 0;          // fuels only
  double capacidade = 0;       // fuels: tank capacity in litres
  double estoque_inicial = 0;
  SaldoEstoque saldo;
  double credito_icms = 0;     // average ICMS credit per unit
  double venda_diaria = 0;     // expected quantity sold a day
  // Fuels, for the daily book: litres at the start of the day, in, out.
  double abertura_dia = 0, entradas_dia = 0, saidas_dia = 0;
};

struct BicoG {
  uint8_t codigo = 0;
  std::string endereco;
  size_t produto = 0;  // index into Estado::produtos
  double encerrante = 0;
  int32_t contador = 0;
};

struct ImpressoraG {
  uint8_t numero = 0;
  int32_t coo = 0;             // last coupon number
  int32_t crz = 0;             // Z reductions so far
  bp::Money gt;                // grand total
  int32_t primeiro_do_dia = 0;
  bp::Money gt_inicio_dia;
  // The day's totals by kind of tax.
  bp::Money bruto, descontos, isentas, nao_incidencia, subst, tributado;
};

struct ClienteG {
  int32_t codigo = 0;          // person code
  std::string documento;       // CNPJ or CPF as printed
  bool empresa = true;
  bool nota_na_fatura = false; // an output invoice with each bill
  bool boleta = false;         // billed through a bank slip
  std::vector<std::string> placas;
  double peso = 1;
};

// A coupon's sale to a credit customer, waiting for the month's bill.
struct VendaACredito {
  int32_t cliente_indice = 0;
  bp::Money valor;
  uint8_t impressora = 0;
  int32_t coo = 0;
  bp::DateTime dia;
  std::vector<std::pair<size_t, double>> itens;  // product index, quantity
};

struct ReceitaAgendada {
  int32_t conta = 0;
  int32_t cliente_indice = 0;
  bp::Money valor;
  int32_t atraso = 0;
  int32_t tipo_recebimento = 0;
};

// The station as the simulation goes.
struct Estado {
  Estado(bp::db::Connection& c, const OpcoesGerador& o)
      : conexao(c), escritor(c), opcoes(o), sorteio(o.semente) {}
  bp::db::Connection& conexao;
  Escritor escritor;
  OpcoesGerador opcoes;
  Sorteio sorteio;
  int32_t empresa = 1;

  int32_t proxima_pessoa = 1;
  std::vector<int32_t> frentistas, caixas;  // person codes
  int32_t gerente = 0;
  int32_t usuario_gerente = 1;
  std::vector<ProdutoG> produtos;
  std::vector<size_t> combustiveis, loja;  // indexes into produtos
  std::vector<BicoG> bicos;
  std::vector<ImpressoraG> impressoras;
  std::vector<ClienteG> clientes;
  std::vector<int32_t> fornecedores;

  int32_t proximo_cardex = 1, proximo_abastecimento = 1, proximo_caixa = 1;
  int32_t proxima_entrada = 1, proxima_nota_fornecedor = 1001, proxima_descarga = 1;
  int32_t proxima_nota_saida = 1, proxima_conta_receber = 1, proximo_recebimento = 1;
  int32_t proxima_conta_pagar = 1, proxima_despesa = 1, proximo_lancamento_func = 1;
  int32_t proximo_cheque = 100001;
  std::vector<VendaACredito> vendas_do_mes;
  std::map<int32_t, int32_t> conta_do_mes;  // customer index -> receivable of the month
  std::map<int64_t, std::vector<ReceitaAgendada>> receitas;  // by day number
  bp::DateTime fim;  // the first day after the movement
};

// One stock-card row of product `p`, with the running balance after it;
// returns its code (gerador_movimento.cc).
int32_t Lancar(Estado& e, ProdutoG& p, bp::DateTime dia, int32_t tipo, double quantidade,
               std::optional<double> unitario, const std::string& documento,
               const std::string& historico);

// The registers of the station (gerador_cadastros.cc).
void GerarCadastros(Estado& e);
// The movement of every day (gerador_movimento.cc).
void GerarDias(Estado& e);
// The month's bill of each credit customer (gerador_faturamento.cc).
void FaturarMes(Estado& e, bp::DateTime ultimo_dia);
void GerarRecebimentosDoDia(Estado& e, bp::DateTime dia, int32_t caixa);
void GerarDespesasDoMes(Estado& e, bp::DateTime ultimo_dia);

// Amounts rounded to cents, as the printer and the invoices print them.
bp::Money Centavos(double valor);
// A valid CNPJ or CPF with its mask, from a running number.
std::string Cnpj(int64_t base);
std::string Cpf(int64_t base);
// "hh:mm:ss".
std::string Hora(bp::DateTime momento);

}  // namespace station::gerador
