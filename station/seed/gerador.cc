#include "station/seed/gerador.h"

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "bp/erro.h"
#include "station/session/banco_inicial.h"
#include "station/seed/gerador_interno.h"
#include "station/session/transacao.h"

namespace station {

int64_t ResumoGerador::Linhas(const std::string& tabela) const {
  for (const auto& [nome, n] : linhas) {
    if (nome == tabela) return n;
  }
  return 0;
}

int64_t ResumoGerador::Total() const {
  int64_t total = 0;
  for (const auto& item : linhas) total += item.second;
  return total;
}

namespace gerador {
namespace {

using bp::Value;

struct Definicao {
  T tabela;
  const char* nome;
  std::vector<std::string> colunas;
};

std::vector<std::string> ColunasDoMapa() {
  std::vector<std::string> c = {
      "Cd_PessoaUsuaria", "No_Impressora",    "Dt_Movimento",   "No_CupomFiscalInicial",
      "No_CupomFiscalFinal", "Qt_ContReducoes", "Vl_GTotalInicial", "Vl_GTotalFinal",
      "Vl_VendaBruta",    "Vl_Cancelamentos", "Vl_Descontos",   "Vl_Isentas",
      "Vl_NaoIncidencia", "Vl_SubTrib",       "Vl_Iss"};
  for (int i = 1; i <= 4; ++i) {
    for (const char* prefixo : {"Tp_T0", "Vl_T0", "Al_T0"}) c.push_back(prefixo + std::to_string(i));
  }
  return c;
}

// The columns written to each table; the others stay empty.
std::vector<Definicao> Definicoes() {
  return {
      {T::Pessoa, "Pessoa", {"Cd_Pessoa", "Nm_Pessoa", "Nm_Fantasia", "No_TipoPessoa", "Cd_CgcCpf",
                             "Cd_IEstRg", "Nm_Logradouro", "No_Logradouro", "Ds_Complemento",
                             "Nm_Bairro", "Nm_Cidade", "Ds_SiglaUF", "Cd_Ep", "Cd_Telefone",
                             "Ds_Email", "Dt_Nascimento"}},
      {T::Funcao, "Funcao", {"Cd_Funcao", "Nm_Funcao"}},
      {T::Funcionario, "Funcionario", {"Cd_PessoaUsuaria", "Cd_Funcionario", "Cd_Funcao",
                                       "Nm_Senha", "Cd_Cracha", "Dt_Admissao", "Dt_Demissao",
                                       "Cd_Banco", "Cd_Agencia", "Cd_Conta", "Ic_Ativo"}},
      {T::Usuario, "Usuario", {"Cd_PessoaUsuaria", "Cd_Usuario", "Nm_Usuario", "Ds_CriptoSenha",
                               "Cd_Funcionario", "Ic_Administrador", "Ic_Ativo"}},
      {T::Banco, "Banco", {"Cd_Banco", "Nm_Banco"}},
      {T::TipoDespesa, "TipoDespesa", {"Cd_Despesa", "Nm_Despesa"}},
      {T::ContaContabil, "ContaContabil", {"Cd_PessoaUsuaria", "Cd_ContaContabil",
                                           "Nm_ContaContabil", "Cd_Nivel1", "Cd_Nivel2",
                                           "Cd_Nivel3", "Cd_Nivel4", "Cd_Despesa", "Tp_Conta"}},
      {T::GrupoProduto, "GrupoProduto", {"Cd_GrupoProduto", "Nm_GrupoProduto"}},
      {T::NaturezaProduto, "NaturezaProduto", {"Cd_Natureza", "Ds_Natureza", "Cd_CFOPEstadual",
                                               "Cd_CompCFOPEstadual", "Cd_CFOPInterestadual",
                                               "Cd_CompCFOPInterestadual"}},
      {T::CFOP, "CFOP", {"Cd_Cfop", "Ds_Cfop"}},
      {T::TipoNF, "TipoNF", {"Cd_TipoNF", "Ds_TipoNF", "Ic_Entrada"}},
      {T::Produto, "Produto", {"Cd_PessoaUsuaria", "Cd_Produto", "Nm_Produto", "No_Tipo",
                               "Cd_Unidade", "Cd_GrupoProduto", "Cd_Natureza", "Cd_SitTributaria",
                               "Vl_Preco", "Qt_Venda", "Qt_Estoque", "Fl_VendBomba",
                               "Cd_CodBarras", "Vl_CustoMedio", "Vl_CredIcmsMedio", "Cd_TribIcms",
                               "No_PresIcms", "Tx_Icms", "Tx_IcmsSub", "Tx_BaseCalculo",
                               "Vl_PresIcms", "Cd_Origem", "No_TribPis", "No_TribCofins",
                               "Qt_Emitir", "Fl_Complemento", "Cd_ProdutoSEF",
                               "Cd_ContaMargemContribuicao", "Qt_EstoqueInicial"}},
      {T::SisTubulacao, "SisTubulacao", {"Cd_PessoaUsuaria", "Cd_SisTubulacao", "Cd_Produto",
                                         "Ds_SisTubulacao"}},
      {T::Tanque, "Tanque", {"Cd_PessoaUsuaria", "No_Tanque", "Cd_Produto", "Cd_SisTubulacao",
                             "Qt_Capacidade", "Qt_Estoque"}},
      {T::Bomba, "Bomba", {"Cd_PessoaUsuaria", "Cd_Bomba", "De_EnderecoLogicoBico", "Cd_Produto",
                           "Cd_SisTubulacao", "Qt_Encerrante", "Ic_Ativo"}},
      {T::ECF, "ECF", {"Cd_PessoaUsuaria", "No_Impressora", "No_Serie", "Cd_IdentificacaoECF",
                       "Ds_MarcaECF", "Ds_ModeloECF", "Nm_PortaSerial", "Dt_Referencia",
                       "Ic_Ativo"}},
      {T::ConPag, "ConPag", {"Cd_PessoaUsuaria", "Cd_Pag", "Ds_Pag", "Qt_Parcelas"}},
      {T::Cliente, "Cliente", {"Cd_PessoaUsuaria", "Cd_Cliente", "Cd_Pag", "Cd_CarCob",
                               "Vl_LimiteCredito", "Tx_Desconto", "Tx_Acrescimo",
                               "Ic_CobrancaCarteira", "Ic_CobrancaBoleta", "Ic_CobrancaBanco",
                               "Ic_DataLimiteNoVencimento", "Tp_ImpNf", "Ic_Bloqueado",
                               "Dt_Cadastro"}},
      {T::Veiculo, "Veiculo", {"Cd_PessoaUsuaria", "Cd_Veiculo", "Cd_Cliente", "Nm_Marca",
                               "Nm_Modelo", "Nm_Cor", "No_AnoFabricacao", "Qt_CapacidadeTanque",
                               "No_KmAtual"}},
      {T::Cartao, "Cartao", {"Cd_PessoaUsuaria", "No_Cartao", "Cd_Cliente", "Nm_Portador",
                             "Dt_Validade", "Ic_Bloqueado"}},
      {T::CondEspecialPreco, "CondEspecialPreco", {"Cd_PessoaUsuaria", "Cd_Cliente", "Cd_Produto",
                                                   "Tx_Desconto", "Dt_Validade"}},
      {T::Fornecedor, "Fornecedor", {"Cd_PessoaUsuaria", "Cd_Fornecedor", "Nm_Contato",
                                     "Ic_Ativo"}},
      {T::TipoRecebimento, "TipoRecebimento", {"Cd_PessoaUsuaria", "Cd_TipoRecebimento",
                                               "Nm_TipoRecebimento", "No_TipoPagamento",
                                               "Cd_ContaContabilVendaAcertada",
                                               "Cd_ContaContabilVendaACredito", "Ic_Ativo"}},
      {T::ConBan, "ConBan", {"Cd_PessoaUsuaria", "Cd_Banco", "Cd_Agencia", "Cd_Conta",
                             "Nm_ConBan", "Vl_Saldo"}},
      {T::Caixa, "Caixa", {"Cd_Caixa", "Cd_PessoaUsuaria", "Cd_Funcionario", "Dt_Abertura",
                           "Dt_Fechamento", "Ic_Fechado", "No_Impressora", "Vl_Abertura",
                           "Vl_Vendas", "Vl_Recebimentos", "Vl_Sangria", "Vl_Fechamento",
                           "Vl_Diferenca"}},
      {T::ConsultaCheque, "ConsultaCheque", {"Cd_Banco", "Cd_Agencia", "Cd_Conta",
                                             "Nm_IdDocumento", "Cd_PessoaUsuaria", "Cd_Cmc7",
                                             "No_TipoPessoa", "Cd_CpfCnpj", "Vl_Cheque",
                                             "Dt_Deposito", "Tp_Operacao", "Dt_Consulta",
                                             "Ic_Consultado", "Ic_Aprovado", "Ds_Resultado"}},
      {T::Cardex, "Cardex", {"Cd_PessoaUsuaria", "Cd_LancamentoCardex", "Cd_Produto",
                             "Dt_Emissao", "No_Tipo", "Nm_Doc", "Qt_Unidade", "Vl_Unitario",
                             "Qt_Estoque", "Vl_CustoMedio", "Vl_CredIcmsMedio",
                             "Cd_SisTubulacao", "Ds_Historico"}},
      {T::Abastecimento, "Abastecimento", {"Cd_PessoaUsuaria", "Cd_Abastecimento",
                                           "De_EnderecoLogicoBico", "Dt_Termino", "No_Contador",
                                           "Qt_Litros", "Vl_Unitario", "Vl_Total",
                                           "No_EncerranteAbertura", "No_EncerranteFechamento",
                                           "Tp_OrigemRegistro", "Ic_Baixado", "Cd_Caixa",
                                           "Cd_Funcionario", "Cd_Veiculo", "No_TipoPagamento",
                                           "No_TipoVencimento", "Ic_BaixaAutomatica", "Cd_Banco",
                                           "Cd_Agencia", "Cd_Conta", "Nm_IdDocumento"}},
      {T::CupomFiscal, "CupomFiscal", {"Cd_PessoaUsuaria", "No_Impressora", "No_CupomFiscal",
                                       "Dt_Emissao", "Hr_Emissao", "Vl_TotProd", "Vl_BasCalIcms",
                                       "Vl_Icms", "Vl_TotSer", "Vl_BasCalIss", "Vl_Iss",
                                       "Vl_Total", "Vl_DesAcr", "Vl_TotalLiquido", "Vl_IssRetido",
                                       "Tp_Venda", "Cd_Veiculo", "No_Km", "Tp_ImpNf", "No_NF",
                                       "Dt_Fechamento", "FL_Fechada", "Cd_ContaAReceber",
                                       "Dt_Vencimento", "Cd_Cfop", "Cd_Caixa", "Dt_EfeFechamento",
                                       "Cd_FuncionarioEfeFechamento", "Nm_IdCliente", "Tx_Iss",
                                       "Fl_IssRetido", "Vl_GTotal", "Qt_ContReducoes",
                                       "Vl_Isentas", "Vl_SubTrib", "Vl_Cancelamentos",
                                       "Ic_CupomConcluido", "Cd_Cliente", "No_Requisicao"}},
      {T::ItemCupomFiscal, "ItemCupomFiscal", {"Cd_PessoaUsuaria", "No_Impressora",
                                               "No_CupomFiscal", "Dt_Emissao", "No_Item",
                                               "Cd_Produto", "Qt_Unidade", "Vl_UnitTabela",
                                               "Vl_UnitVenda", "Vl_AltAut", "Vl_AltDig",
                                               "Cd_SitTributaria", "Cd_Unidade", "Tx_Icms",
                                               "Tx_BaseCalculo", "Cd_TribIcms",
                                               "Cd_SisTubulacao", "Cd_CFOP", "Cd_CompCFOP",
                                               "Cd_Abastecimento", "Cd_LancamentoCardex",
                                               "Cd_Bomba"}},
      {T::MapaResumoECF, "MapaResumoECF", ColunasDoMapa()},
      {T::FecDiario, "FecDiario", {"Cd_PessoaUsuaria", "Dt_Movimento", "Dt_Fechamento",
                                   "Cd_Usuario", "Ic_Concluido"}},
      {T::NotaEntrada, "NotaEntrada", {"No_Entrada", "Cd_PessoaUsuaria", "Cd_Fornecedor",
                                       "Cd_TipoNF", "No_Nota", "Dt_Emissao", "Dt_Entrega",
                                       "Cd_Cfop", "Vl_TotProd", "Vl_BasCalIcms", "Vl_Icms",
                                       "Vl_BasCalIcmsSub", "Vl_IcmsSub", "Vl_Frete", "Vl_Seguro",
                                       "Vl_Despesas", "Vl_IPI", "Vl_Desconto", "Vl_TotalNota"}},
      {T::ItemNotaEntrada, "ItemNotaEntrada", {"No_Entrada", "Cd_ProdutoItem", "Cd_SitTributaria",
                                               "Qt_UnidadeItem", "Tx_Icms", "Vl_UnitNota",
                                               "Vl_Despesas", "Vl_Frete", "Vl_CredIcms",
                                               "Vl_UnitFinal", "Cd_CfopItem",
                                               "Cd_LancamentoCardex", "Vl_IpiItem", "Tx_IPI",
                                               "Vl_IcmsSTItem", "No_Item", "Cd_PessoaUsuaria",
                                               "Vl_DescontoItem", "Tx_DescontoItem",
                                               "Vl_TotalItem", "Vl_RateioAcrescimoGeral",
                                               "Vl_RateioDescontoGeral", "Cd_Cfop"}},
      {T::Descarga, "Descarga", {"Cd_PessoaUsuaria", "No_Descarga", "Cd_ProdutoDescarga",
                                 "No_Tanque", "Dt_Descarga", "Qt_Litros", "No_Entrada"}},
      {T::NotaSaida, "NotaSaida", {"Cd_PessoaUsuaria", "Cd_TipoNF", "No_Nota", "Cd_Pessoa",
                                   "Cd_Operacao", "Cd_Cfop", "Cd_CompCFOP", "Dt_Emissao",
                                   "Hr_Emissao", "Dt_Saida", "Dt_Vencimento", "Cd_ContaAReceber",
                                   "Vl_TotProd", "Vl_BasCalIcms", "Vl_Icms", "Vl_Total",
                                   "Vl_TotalLiquido", "Ds_Observacao", "Ic_Impressa",
                                   "Cd_Funcionario", "FL_Fechado", "Dt_Fechamento", "Tp_Nota"}},
      {T::ItemNotaSaida, "ItemNotaSaida", {"Cd_PessoaUsuaria", "No_Nota", "Cd_TipoNF", "No_Item",
                                           "Cd_Produto", "Qt_Unidade", "Vl_UnitTabela",
                                           "Vl_UnitVenda", "Vl_AltAut", "Vl_AltDig",
                                           "Cd_SitTributaria", "Tx_Icms", "Cd_Cfop",
                                           "Cd_CompCFOP", "Tx_BaseCalculo", "Cd_TribIcms",
                                           "Fl_IssRetido", "Cd_SisTubulacao",
                                           "Cd_LancamentoCardex"}},
      {T::ContaAReceber, "ContaAReceber", {"Cd_PessoaUsuaria", "Cd_ContaAReceber", "Cd_Cliente",
                                           "Cd_Pessoa", "Dt_Emissao", "Dt_Vencimento",
                                           "Dt_VencimentoOriginal", "No_Parcela", "Qt_Parcelas",
                                           "Tp_Documento", "Vl_DespesaCobranca", "Vl_Debito",
                                           "Vl_Desconto", "Vl_Acrescimo", "Vl_Pagamentos",
                                           "Vl_SaldoDebito", "Dt_Cadastro", "Cd_Funcionario",
                                           "Ic_Faturada", "Tp_Cobranca", "Dt_Cobranca",
                                           "Dt_Limite", "Dt_Pagamento", "Dt_BloqueioCredito"}},
      {T::Recebimento, "Recebimento", {"Cd_PessoaUsuaria", "No_Recebimento", "Tp_DocDebito",
                                       "No_DocDebito", "Cd_TipoRecebimento", "Cd_BancoRec",
                                       "Cd_AgenciaRec", "Cd_ContaRec", "Nm_IdDocumentoRec",
                                       "Tp_Operacao", "Cd_Tipo0", "Cd_CgcCpf0", "Dt_Recebimento",
                                       "Vl_Recebimento", "Qt_DiasAtraso", "Vl_Amortizacao",
                                       "Vl_JurosRec", "Tx_MoraRec", "Dt_Lancamento", "Cd_Caixa"}},
      {T::ContaAPagar, "ContaAPagar", {"Cd_PessoaUsuaria", "No_ContasAPagar", "Cd_Fornecedor",
                                       "Id_DocumentoFornecedor", "Dt_Emissao", "Dt_Vencimento",
                                       "Vl_Debito", "Vl_Pagamentos", "Dt_Pagamento",
                                       "No_Situacao"}},
      {T::Despesa, "Despesa", {"Cd_PessoaUsuaria", "No_Despesa", "Cd_SeqDespesa", "Cd_Fornecedor",
                               "Cd_ContaContabil", "Cd_Caixa", "Dt_Lancamento", "Dt_Emissao",
                               "Dt_Vencimento", "Id_Documento", "Vl_Despesa", "Ds_Despesa"}},
      {T::ItemDespesa, "ItemDespesa", {"Cd_PessoaUsuaria", "No_Despesa", "No_Item",
                                       "Cd_ContaContabil", "Vl_Item",
                                       "Nm_HistoricoComplementar"}},
      {T::LanCCFuncionario, "LanCCFuncionario", {"Cd_Funcionario", "Dt_Lancamento",
                                                 "No_LancamentoCcFuncionario", "Ds_Historico",
                                                 "Vl_Lancamento", "Vl_Saldo", "Tp_Lancamento",
                                                 "Fl_Digitado"}},
      {T::EstoqueSisTubulacao, "EstoqueSisTubulacao", {"Cd_PessoaUsuaria", "Cd_SisTubulacao",
                                                       "Dt_Movimento", "Cd_Produto",
                                                       "Qt_EstoqueAbertura", "Qt_Entradas",
                                                       "Qt_Saidas", "Qt_EstoqueFechamento"}},
      {T::Lmc, "Lmc", {"Cd_PessoaUsuaria", "Cd_Produto", "Dt_Movimento", "No_Pagina",
                       "Qt_EstoqueAbertura", "Qt_Recebido", "Qt_Vendido", "Qt_EstoqueEscritural",
                       "Qt_EstoqueFechamento", "Qt_PerdasSobras", "Vl_Vendido"}},
  };
}

// Parameters per statement: well below SQLite's limit of 32766 and
// PostgreSQL's of 65535, and large enough that the statement's preparation
// and round trip weigh little per row.
constexpr size_t kParametrosPorComando = 4000;
constexpr size_t kLinhasPorComando = 250;

int32_t Digito(const std::vector<int>& numeros, const std::vector<int>& pesos) {
  int soma = 0;
  for (size_t i = 0; i < numeros.size(); ++i) soma += numeros[i] * pesos[i];
  const int resto = soma % 11;
  return resto < 2 ? 0 : 11 - resto;
}

}  // namespace

uint64_t Sorteio::Proximo() {
  uint64_t z = (estado_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int32_t Sorteio::Inteiro(int32_t a, int32_t b) {
  if (b <= a) return a;
  const auto faixa = static_cast<uint64_t>(static_cast<int64_t>(b) - a + 1);
  return static_cast<int32_t>(a + static_cast<int64_t>(Proximo() % faixa));
}

size_t Sorteio::Pesado(const std::vector<double>& pesos) {
  double total = 0;
  for (double p : pesos) total += p;
  double x = Real() * total;
  for (size_t i = 0; i < pesos.size(); ++i) {
    if (x < pesos[i]) return i;
    x -= pesos[i];
  }
  return pesos.empty() ? 0 : pesos.size() - 1;
}

Escritor::Escritor(bp::db::Connection& connection) : connection_(connection) {
  tabelas_.resize(static_cast<size_t>(T::Total));
  for (auto& d : Definicoes()) {
    Tabela& t = tabelas_[static_cast<size_t>(d.tabela)];
    t.nome = d.nome;
    t.colunas = std::move(d.colunas);
    t.por_comando = std::max<size_t>(1, std::min(kLinhasPorComando,
                                                 kParametrosPorComando / t.colunas.size()));
    t.comando_cheio = Comando(t, t.por_comando);
  }
}

std::string Escritor::Comando(const Tabela& t, size_t linhas) const {
  std::string sql = "INSERT INTO " + t.nome + " (";
  for (size_t i = 0; i < t.colunas.size(); ++i) sql += (i ? ", " : "") + t.colunas[i];
  sql += ") VALUES ";
  std::string linha = "(";
  for (size_t i = 0; i < t.colunas.size(); ++i) linha += i ? ", ?" : "?";
  linha += ")";
  sql.reserve(sql.size() + linhas * (linha.size() + 2));
  for (size_t r = 0; r < linhas; ++r) sql += (r ? ", " : "") + linha;
  return sql;
}

void Escritor::Linha(T tabela, std::vector<bp::Value> valores) {
  Tabela& t = tabelas_[static_cast<size_t>(tabela)];
  if (valores.size() != t.colunas.size()) {
    throw bp::Erro(bp::db::kErroComando,
                   fmt::format("Gerador: {} valores para as {} colunas de {}", valores.size(),
                               t.colunas.size(), t.nome),
                   "station.GerarMovimento");
  }
  for (auto& v : valores) t.pendentes.push_back(std::move(v));
  if (++t.linhas_pendentes >= t.por_comando) GravarTudo();
}

void Escritor::Gravar(Tabela& t) {
  if (t.linhas_pendentes == 0) return;
  const std::string parcial =
      t.linhas_pendentes == t.por_comando ? std::string() : Comando(t, t.linhas_pendentes);
  connection_.Execute(parcial.empty() ? t.comando_cheio : parcial, t.pendentes);
  t.gravadas += static_cast<int64_t>(t.linhas_pendentes);
  t.linhas_pendentes = 0;
  t.pendentes.clear();
}

void Escritor::GravarTudo() {
  for (Tabela& t : tabelas_) Gravar(t);
}

std::vector<std::pair<std::string, int64_t>> Escritor::Contagens() const {
  std::vector<std::pair<std::string, int64_t>> out;
  for (const Tabela& t : tabelas_) {
    if (t.gravadas > 0) out.emplace_back(t.nome, t.gravadas);
  }
  return out;
}

bp::Money Centavos(double valor) { return bp::Money::FromDouble(std::round(valor * 100) / 100); }

std::string Cnpj(int64_t base) {
  std::vector<int> n;
  const std::string raiz = fmt::format("{:08}", base % 100000000);
  for (char c : raiz) n.push_back(c - '0');
  for (int c : {0, 0, 0, 1}) n.push_back(c);
  n.push_back(Digito(n, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
  n.push_back(Digito(n, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
  return fmt::format("{}{}.{}{}{}.{}{}{}/{}{}{}{}-{}{}", n[0], n[1], n[2], n[3], n[4], n[5], n[6],
                     n[7], n[8], n[9], n[10], n[11], n[12], n[13]);
}

std::string Cpf(int64_t base) {
  std::vector<int> n;
  const std::string raiz = fmt::format("{:09}", base % 1000000000);
  for (char c : raiz) n.push_back(c - '0');
  n.push_back(Digito(n, {10, 9, 8, 7, 6, 5, 4, 3, 2}));
  n.push_back(Digito(n, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2}));
  return fmt::format("{}{}{}.{}{}{}.{}{}{}-{}{}", n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7],
                     n[8], n[9], n[10]);
}

std::string Hora(bp::DateTime momento) {
  return fmt::format("{:02}:{:02}:{:02}", momento.Hour(), momento.Minute(), momento.Second());
}

}  // namespace gerador

namespace {

void Recusar(const std::string& motivo) {
  throw bp::Erro(bp::db::kErroComando, motivo, "station.GerarMovimento");
}

void Validar(bp::db::Connection& c, const OpcoesGerador& o) {
  ConferirOpcoes(o);
  if (VersaoDoBanco(c) != 18) {
    Recusar("O gerador precisa de um banco na versão 18 (este está na versão " +
            std::to_string(VersaoDoBanco(c)) + ").");
  }
  if (c.Query("SELECT Cd_PessoaUsuaria FROM EmpresaUsuaria WHERE Cd_PessoaUsuaria = ?",
              {bp::Value(o.cd_pessoa_usuaria)})
          .Eof()) {
    Recusar("A empresa " + std::to_string(o.cd_pessoa_usuaria) + " não está cadastrada.");
  }
  for (const char* tabela : {"Produto", "CupomFiscal", "Cardex", "Funcionario", "Cliente"}) {
    if (!c.Query(std::string("SELECT 1 FROM ") + tabela + " LIMIT 1").Eof()) {
      Recusar(std::string("O banco já tem movimento ou cadastros (tabela ") + tabela +
              "): o gerador só preenche um banco recém-criado.");
    }
  }
}

// The balances the simulation ends with: products' stock and costs, the
// nozzles' totalizers and the tanks' stock.
void GravarSaldosFinais(bp::db::Connection& c, const gerador::Estado& e) {
  for (const auto& p : e.produtos) {
    c.Execute("UPDATE Produto SET Qt_Estoque = ?, Vl_CustoMedio = ?, Vl_CredIcmsMedio = ?, "
              "Vl_Preco = ? WHERE Cd_PessoaUsuaria = ? AND Cd_Produto = ?",
              {bp::Value(p.tipo == 2 ? 0.0 : p.saldo.quantidade),
               bp::Value(bp::Money::FromDouble(p.tipo == 2 ? 0.0 : p.saldo.custo_medio)),
               bp::Value(bp::Money::FromDouble(p.credito_icms)), bp::Value(p.preco),
               bp::Value(e.empresa), bp::Value(p.codigo)});
    if (p.combustivel) {
      c.Execute("UPDATE Tanque SET Qt_Estoque = ? WHERE Cd_PessoaUsuaria = ? AND No_Tanque = ?",
                {bp::Value(p.saldo.quantidade), bp::Value(e.empresa),
                 bp::Value(static_cast<int32_t>(p.tanque))});
    }
  }
  for (const auto& b : e.bicos) {
    c.Execute("UPDATE Bomba SET Qt_Encerrante = ? WHERE Cd_PessoaUsuaria = ? AND Cd_Bomba = ?",
              {bp::Value(b.encerrante), bp::Value(e.empresa),
               bp::Value(static_cast<int32_t>(b.codigo))});
  }
}

}  // namespace

void ConferirOpcoes(const OpcoesGerador& o) {
  auto faixa = [](int32_t valor, int32_t minimo, int32_t maximo, const char* nome) {
    if (valor < minimo || valor > maximo) {
      Recusar(fmt::format("Opção fora da faixa: {} = {} (de {} a {})", nome, valor, minimo,
                          maximo));
    }
  };
  faixa(o.dias, 1, 20000, "dias");
  faixa(o.cupons_dia, 1, 100000, "cupons por dia");
  faixa(o.itens_cupom, 1, 120, "itens por cupom");
  faixa(o.produtos, 6, 100000, "produtos");
  faixa(o.clientes, 1, 1000000, "clientes");
  faixa(o.funcionarios, 3, 10000, "funcionários");
  faixa(o.impressoras, 1, 99, "impressoras fiscais");
  faixa(o.bicos, 4, 200, "bicos");
  if (o.inicio.IsEmpty()) Recusar("A data inicial do movimento está vazia.");
}

ResumoGerador GerarMovimento(bp::db::Connection& connection, const OpcoesGerador& opcoes) {
  const auto comeco = std::chrono::steady_clock::now();
  Validar(connection, opcoes);
  ResumoGerador resumo;
  EmTransacao(connection, "GerarMovimento", [&] {
    gerador::Estado e(connection, opcoes);
    e.empresa = opcoes.cd_pessoa_usuaria;
    e.fim = opcoes.inicio.DatePart().AddDays(opcoes.dias);
    gerador::GerarCadastros(e);
    gerador::GerarDias(e);
    e.escritor.GravarTudo();
    GravarSaldosFinais(connection, e);
    resumo.linhas = e.escritor.Contagens();
  });
  // A station's database in use has its planner statistics.
  if (connection.Kind() == bp::db::DialectKind::kPostgreSQL) connection.Execute("ANALYZE");
  resumo.segundos =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - comeco).count();
  return resumo;
}

}  // namespace station
