// The registers of the generated station: employees and users, the chart
// of accounts, product groups and products (fuels, services, shop items),
// piping, tanks and nozzles, fiscal printers, customers with their vehicles,
// cards and special prices, suppliers, means of payment and banks.
#include <algorithm>
#include <cmath>
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

const char* const kNomes[] = {"JOSE", "MARIA", "JOAO", "ANA", "ANTONIO", "FRANCISCA", "CARLOS",
                              "PAULO", "LUCIANA", "PEDRO", "MARCOS", "JULIANA", "LUIZ", "ADRIANA",
                              "RAFAEL", "PATRICIA", "FERNANDO", "SANDRA", "RODRIGO", "CLAUDIA"};
const char* const kSobrenomes[] = {"DA SILVA", "DOS SANTOS", "DE OLIVEIRA", "DE SOUZA", "PEREIRA",
                                   "RODRIGUES", "FERREIRA", "ALVES", "LIMA", "GOMES", "RIBEIRO",
                                   "CARVALHO", "MARTINS", "ROCHA", "BARBOSA", "MOREIRA"};
const char* const kRuas[] = {"RUA BARAO DE JAGUARA", "AVENIDA JOHN BOYD DUNLOP",
                             "RUA DR QUIRINO", "AVENIDA DAS AMOREIRAS", "RUA FERREIRA PENTEADO",
                             "AVENIDA NORTE SUL", "RUA CONCEICAO", "RODOVIA ANHANGUERA KM 98",
                             "AVENIDA LIX DA CUNHA", "RUA JOSE PAULINO"};
const char* const kBairros[] = {"CENTRO", "JARDIM CHAPADAO", "TAQUARAL", "BOTAFOGO", "CAMBUI",
                                "VILA INDUSTRIAL", "SOUSAS", "BARAO GERALDO", "PONTE PRETA"};
const char* const kCidades[] = {"CAMPINAS", "CAMPINAS", "CAMPINAS", "VALINHOS", "SUMARE",
                                "HORTOLANDIA", "PAULINIA", "INDAIATUBA"};
const char* const kRamos[] = {"TRANSPORTADORA", "CONSTRUTORA", "AUTO ESCOLA", "DISTRIBUIDORA",
                              "TRANSPORTES", "LOGISTICA", "COMERCIAL", "ENGENHARIA"};
const char* const kMarcas[][2] = {{"VOLKSWAGEN", "GOL 1.0"},     {"FIAT", "UNO MILLE"},
                                  {"CHEVROLET", "S10 2.8"},      {"FORD", "CARGO 1722"},
                                  {"MERCEDES-BENZ", "1620"},     {"VOLKSWAGEN", "SAVEIRO 1.6"},
                                  {"FIAT", "STRADA 1.5"},        {"VOLVO", "FH 12"}};
const char* const kCores[] = {"BRANCA", "PRATA", "PRETA", "VERMELHA", "AZUL", "CINZA"};

struct ItemCatalogo {
  const char* nome;
  int32_t grupo;
  double preco;
  char imposto;  // 'T' ICMS 18%, 'S' tax already withheld (ST), 'I' exempt
  double peso;
  int32_t fornecedor;  // index into the shop suppliers
};

const ItemCatalogo kLoja[] = {
    {"OLEO LUBRIFICANTE 20W50 1L", 2, 8.90, 'S', 3, 0},   {"OLEO LUBRIFICANTE 15W40 1L", 2, 9.50, 'S', 2, 0},
    {"OLEO 2 TEMPOS 500ML", 2, 6.50, 'S', 1, 0},          {"FLUIDO DE FREIO DOT3 500ML", 3, 11.90, 'T', 1, 3},
    {"ADITIVO PARA RADIADOR 1L", 3, 9.90, 'T', 1, 3},     {"FILTRO DE OLEO", 3, 18.50, 'T', 1, 3},
    {"FILTRO DE AR", 3, 24.90, 'T', 0.5, 3},              {"AGUA MINERAL 500ML", 4, 1.50, 'S', 8, 1},
    {"REFRIGERANTE LATA 350ML", 4, 2.00, 'S', 10, 1},     {"REFRIGERANTE 2L", 4, 3.50, 'S', 4, 1},
    {"CERVEJA LATA 350ML", 4, 1.80, 'S', 7, 1},           {"SUCO CAIXA 1L", 4, 3.20, 'T', 2, 1},
    {"ENERGETICO LATA 250ML", 4, 6.50, 'S', 2, 1},        {"CAFE EXPRESSO", 5, 1.50, 'T', 6, 2},
    {"PAO DE QUEIJO", 5, 1.20, 'T', 6, 2},                {"SALGADO ASSADO", 5, 2.50, 'T', 5, 2},
    {"CHOCOLATE 30G", 5, 1.50, 'T', 4, 2},                {"BALA DROPS", 5, 0.80, 'T', 3, 2},
    {"GOMA DE MASCAR", 5, 0.50, 'T', 4, 2},               {"BISCOITO RECHEADO", 5, 1.40, 'T', 3, 2},
    {"BATATA FRITA PACOTE", 5, 2.90, 'T', 2, 2},          {"SORVETE PALITO", 5, 2.50, 'T', 3, 2},
    {"CIGARRO MACO", 6, 2.75, 'S', 9, 4},                 {"ISQUEIRO", 6, 2.00, 'T', 1, 4},
    {"GELO 5KG", 9, 5.00, 'T', 2, 2},                     {"CARVAO 5KG", 9, 7.50, 'T', 1, 2},
    {"JORNAL DIARIO", 9, 1.50, 'I', 3, 2},                {"CARTAO TELEFONICO 50 UNIDADES", 9, 6.00, 'S', 2, 4},
    {"PILHA AA PAR", 9, 4.90, 'T', 1, 3},                 {"LAMPADA DE FAROL H4", 8, 14.90, 'T', 0.5, 3},
    {"FLANELA", 8, 2.50, 'T', 1, 3},                      {"LIMPA VIDROS 500ML", 8, 5.90, 'T', 0.7, 3},
    {"CERA AUTOMOTIVA", 8, 12.90, 'T', 0.5, 3},           {"PALHETA DO LIMPADOR", 8, 19.90, 'T', 0.4, 3},
    {"AROMATIZANTE AUTOMOTIVO", 8, 4.50, 'T', 1.5, 3},    {"GALAO 5L VAZIO", 8, 8.00, 'T', 0.3, 3},
};

struct Combustivel {
  const char* nome;
  double preco, custo, peso, litros;
  double capacidade;
};
const Combustivel kCombustiveis[] = {
    {"GASOLINA COMUM", 2.289, 2.041, 0.45, 25, 30000},
    {"GASOLINA ADITIVADA", 2.389, 2.122, 0.12, 25, 15000},
    {"ALCOOL HIDRATADO", 1.599, 1.361, 0.20, 25, 15000},
    {"OLEO DIESEL", 1.689, 1.522, 0.23, 170, 30000},
};

// The share of coupons that sell fuel, and the share of coupon items that
// are shop items (the others on a fuel coupon).
constexpr double kCuponsDeCombustivel = 0.7;

Value Texto(const std::string& s) { return Value(s); }

std::string Endereco(Sorteio& s) { return kRuas[s.Inteiro(0, 9)]; }

// Writes a person; returns its code.
int32_t NovaPessoa(Estado& e, const std::string& nome, const std::string& fantasia, bool empresa,
                   const std::string& documento, DateTime nascimento = DateTime()) {
  Sorteio& s = e.sorteio;
  const int32_t codigo = e.proxima_pessoa++;
  const std::string cidade = kCidades[s.Inteiro(0, 7)];
  e.escritor.Linha(
      T::Pessoa,
      {Value(codigo), Texto(nome.substr(0, 40)),
       fantasia.empty() ? Value(Null{}) : Texto(fantasia.substr(0, 40)),
       Value(static_cast<uint8_t>(empresa ? 2 : 1)), Texto(documento),
       Texto(empresa ? fmt::format("{:03}.{:03}.{:03}.{:03}", s.Inteiro(100, 999),
                                   s.Inteiro(0, 999), s.Inteiro(0, 999), s.Inteiro(100, 999))
                     : fmt::format("{}.{:03}.{:03}-{}", s.Inteiro(10, 49), s.Inteiro(0, 999),
                                   s.Inteiro(0, 999), s.Inteiro(0, 9))),
       Texto(Endereco(s)), Texto(std::to_string(s.Inteiro(10, 3999))),
       s.Chance(0.2) ? Texto("SALA " + std::to_string(s.Inteiro(1, 40))) : Value(Null{}),
       Texto(kBairros[s.Inteiro(0, 8)]), Texto(cidade), Texto("SP"),
       Texto(fmt::format("13{:03}-{:03}", s.Inteiro(0, 999), s.Inteiro(0, 999))),
       Texto(fmt::format("(19) {:04}-{:04}", s.Inteiro(3000, 3999), s.Inteiro(0, 9999))),
       empresa ? Texto("contato" + std::to_string(codigo) + "@empresa.com.br") : Value(Null{}),
       nascimento.IsEmpty() ? Value(Null{}) : Value(nascimento)});
  return codigo;
}

std::string NomeDePessoa(Sorteio& s) {
  return std::string(kNomes[s.Inteiro(0, 19)]) + " " + kSobrenomes[s.Inteiro(0, 15)];
}

void Funcionarios(Estado& e) {
  Sorteio& s = e.sorteio;
  for (auto [codigo, nome] : {std::pair{1, "FRENTISTA"}, {2, "OPERADOR DE CAIXA"}, {3, "GERENTE"},
                              {4, "LAVADOR"}}) {
    e.escritor.Linha(T::Funcao, {Value(codigo), Value(nome)});
  }
  const int32_t n = e.opcoes.funcionarios;
  const int32_t caixas = std::max(1, n / 4);
  int32_t usuario = 1;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t funcao = i == 0 ? 3 : i <= caixas ? 2 : 1;
    const std::string nome = NomeDePessoa(s);
    const DateTime nascimento = DateTime::Of(s.Inteiro(1955, 1985), s.Inteiro(1, 12), s.Inteiro(1, 28));
    const int32_t codigo = NovaPessoa(e, nome, "", false, Cpf(30000000 + e.proxima_pessoa * 7919),
                                      nascimento);
    e.escritor.Linha(T::Funcionario,
                     {Value(e.empresa), Value(codigo), Value(funcao),
                      Texto(fmt::format("{:04}", s.Inteiro(0, 9999))),
                      Texto(fmt::format("{:08}", codigo)),
                      Value(e.opcoes.inicio.AddDays(-s.Inteiro(30, 2000))), Value(Null{}),
                      Value(int16_t{1}), Value(static_cast<int16_t>(s.Inteiro(1000, 9999))),
                      Value(s.Inteiro(10000, 999999)), Value(true)});
    if (funcao == 1) e.frentistas.push_back(codigo);
    if (funcao == 2) e.caixas.push_back(codigo);
    if (funcao >= 2) {
      if (funcao == 3) {
        e.gerente = codigo;
        e.usuario_gerente = usuario;
      }
      const std::string login = nome.substr(0, nome.find(' ')) + std::to_string(usuario);
      e.escritor.Linha(T::Usuario, {Value(e.empresa), Value(usuario), Texto(login),
                                    Texto(fmt::format("{:016X}", s.Proximo())), Value(codigo),
                                    Value(funcao == 3), Value(true)});
      ++usuario;
    }
  }
}

void PlanoDeContas(Estado& e) {
  for (auto [codigo, nome] : {std::pair{1, "DESPESAS OPERACIONAIS"}, {2, "DESPESAS COM PESSOAL"},
                              {3, "DESPESAS ADMINISTRATIVAS"}}) {
    e.escritor.Linha(T::TipoDespesa, {Value(codigo), Value(nome)});
  }
  struct Conta {
    int32_t codigo;
    const char* nome;
    int32_t n1, n2, n3, despesa, tipo;
  };
  const Conta contas[] = {
      {11, "CAIXA GERAL", 1, 1, 1, 0, 1},          {12, "CLIENTES A RECEBER", 1, 1, 2, 0, 1},
      {31, "MARGEM COMBUSTIVEIS", 3, 1, 1, 0, 3},  {32, "MARGEM LUBRIFICANTES", 3, 1, 2, 0, 3},
      {33, "MARGEM LOJA DE CONVENIENCIA", 3, 1, 3, 0, 3},
      {34, "RECEITA DE SERVICOS", 3, 1, 4, 0, 3},  {41, "ENERGIA ELETRICA", 4, 1, 1, 1, 2},
      {42, "AGUA E ESGOTO", 4, 1, 2, 1, 2},        {43, "SALARIOS E ENCARGOS", 4, 2, 1, 2, 2},
      {44, "TELEFONE", 4, 3, 1, 3, 2},             {45, "MANUTENCAO DE BOMBAS", 4, 1, 3, 1, 2},
  };
  for (const Conta& c : contas) {
    e.escritor.Linha(T::ContaContabil,
                     {Value(e.empresa), Value(c.codigo), Value(c.nome), Value(c.n1), Value(c.n2),
                      Value(c.n3), Value(0), c.despesa ? Value(c.despesa) : Value(Null{}),
                      Value(static_cast<uint8_t>(c.tipo))});
  }
}

void CodigosFiscais(Estado& e) {
  const std::pair<int32_t, const char*> grupos[] = {
      {1, "COMBUSTIVEIS"}, {2, "LUBRIFICANTES"}, {3, "FILTROS E ADITIVOS"}, {4, "BEBIDAS"},
      {5, "ALIMENTOS"},    {6, "TABACARIA"},     {7, "SERVICOS"},           {8, "ACESSORIOS"},
      {9, "CONVENIENCIA"}};
  for (auto [codigo, nome] : grupos) e.escritor.Linha(T::GrupoProduto, {Value(codigo), Value(nome)});
  struct Natureza {
    int32_t codigo;
    const char* nome;
    const char* estadual;
    const char* interestadual;
  };
  for (const Natureza& n : {Natureza{1, "COMBUSTIVEIS E LUBRIFICANTES", "5656", "6656"},
                            Natureza{2, "MERCADORIAS TRIBUTADAS", "5102", "6102"},
                            Natureza{3, "MERCADORIAS COM SUBSTITUICAO TRIBUTARIA", "5405", "6404"},
                            Natureza{4, "PRESTACAO DE SERVICOS", "5933", "6933"}}) {
    e.escritor.Linha(T::NaturezaProduto, {Value(n.codigo), Value(n.nome), Value(n.estadual),
                                          Value("00"), Value(n.interestadual), Value("00")});
  }
  const std::pair<int32_t, const char*> cfops[] = {
      {1102, "COMPRA PARA COMERCIALIZACAO"},
      {1403, "COMPRA PARA COMERCIALIZACAO COM SUBSTITUICAO TRIBUTARIA"},
      {1652, "COMPRA DE COMBUSTIVEL OU LUBRIFICANTE PARA COMERCIALIZACAO"},
      {5102, "VENDA DE MERCADORIA ADQUIRIDA DE TERCEIROS"},
      {5405, "VENDA DE MERCADORIA COM SUBSTITUICAO TRIBUTARIA"},
      {5656, "VENDA DE COMBUSTIVEL OU LUBRIFICANTE AO CONSUMIDOR"},
      {5929, "LANCAMENTO RELATIVO A OPERACAO REGISTRADA EM ECF"},
      {5933, "PRESTACAO DE SERVICO TRIBUTADO PELO ISSQN"}};
  for (auto [codigo, nome] : cfops) e.escritor.Linha(T::CFOP, {Value(codigo), Value(nome)});
  e.escritor.Linha(T::TipoNF, {Value(uint8_t{1}), Value("NOTA FISCAL MODELO 1"), Value(false)});
  e.escritor.Linha(T::TipoNF, {Value(uint8_t{2}), Value("NOTA FISCAL DE ENTRADA"), Value(true)});
}

void Fornecedores(Estado& e) {
  const char* const nomes[][2] = {{"PETROBRAS DISTRIBUIDORA S/A", "BR DISTRIBUIDORA"},
                                  {"DISTRIBUIDORA DE BEBIDAS CAMPINAS LTDA", "DIBECAM"},
                                  {"ATACADAO PAULISTA DE ALIMENTOS LTDA", "ATACADAO PAULISTA"},
                                  {"AUTOPECAS E ACESSORIOS JUNDIAI LTDA", "AUTOPECAS JUNDIAI"},
                                  {"SOUZA CRUZ S/A", "SOUZA CRUZ"},
                                  {"COMPANHIA PAULISTA DE FORCA E LUZ", "CPFL"},
                                  {"SOCIEDADE DE ABASTECIMENTO DE AGUA E SANEAMENTO", "SANASA"},
                                  {"TELECOMUNICACOES DE SAO PAULO S/A", "TELEFONICA"}};
  int64_t base = 33000000;
  for (const auto& n : nomes) {
    const int32_t codigo = NovaPessoa(e, n[0], n[1], true, Cnpj(base += 104729));
    e.escritor.Linha(T::Fornecedor,
                     {Value(e.empresa), Value(codigo), Texto(NomeDePessoa(e.sorteio)), Value(true)});
    e.fornecedores.push_back(codigo);
  }
}

std::string CodigoDeBarras(int32_t produto) {
  std::string s = fmt::format("789{:09}", 100000000 + produto * 7);
  int soma = 0;
  for (size_t i = 0; i < s.size(); ++i) soma += (s[i] - '0') * (i % 2 ? 3 : 1);
  return s + std::to_string((10 - soma % 10) % 10);
}

void Produtos(Estado& e) {
  Sorteio& s = e.sorteio;
  const double itens_por_dia = e.opcoes.cupons_dia * static_cast<double>(e.opcoes.itens_cupom);
  const double cupons_combustivel = e.opcoes.cupons_dia * kCuponsDeCombustivel;
  int32_t codigo = 1;
  for (const Combustivel& c : kCombustiveis) {
    ProdutoG p;
    p.codigo = codigo++;
    p.nome = c.nome;
    p.combustivel = true;
    p.grupo = 1;
    p.natureza = 1;
    p.conta = 31;
    p.unidade = "LT";
    p.sit_tributaria = "06";
    p.trib_icms = "6";
    p.preco = c.preco;
    p.custo = c.custo;
    p.peso = c.peso;
    p.quantidade_media = c.litros;
    p.fornecedor = e.fornecedores[0];
    p.venda_diaria = cupons_combustivel * c.peso * c.litros;
    p.capacidade = std::max(c.capacidade, std::ceil(p.venda_diaria * 4 / 5000) * 5000);
    p.estoque_inicial = std::floor(p.capacidade * 0.6);
    p.sis_tubulacao = static_cast<uint8_t>(p.codigo);
    p.tanque = static_cast<uint8_t>(p.codigo);
    e.combustiveis.push_back(e.produtos.size());
    e.produtos.push_back(p);
  }
  const int32_t servicos = e.opcoes.produtos >= 20 ? 3 : 1;
  const std::pair<const char*, double> nomes_servicos[] = {
      {"LAVAGEM SIMPLES", 12.0}, {"TROCA DE OLEO - MAO DE OBRA", 10.0}, {"LAVAGEM COMPLETA", 25.0}};
  for (int32_t i = 0; i < servicos; ++i) {
    ProdutoG p;
    p.codigo = codigo++;
    p.nome = nomes_servicos[i].first;
    p.tipo = 2;
    p.grupo = 7;
    p.natureza = 4;
    p.conta = 34;
    p.unidade = "UN";
    p.sit_tributaria = "40";
    p.trib_icms = "4";
    p.preco = nomes_servicos[i].second;
    p.peso = 0.4;
    e.loja.push_back(e.produtos.size());
    e.produtos.push_back(p);
  }
  const int32_t n_catalogo = static_cast<int32_t>(std::size(kLoja));
  for (int32_t i = 0; codigo <= e.opcoes.produtos; ++i) {
    const ItemCatalogo& c = kLoja[i % n_catalogo];
    ProdutoG p;
    p.codigo = codigo++;
    // Past the catalogue, the same goods in other brands and sizes.
    const int32_t variante = i / n_catalogo;
    p.nome = variante == 0 ? c.nome
                           : std::string(c.nome).substr(0, 33) + " MOD " + std::to_string(variante + 1);
    p.grupo = c.grupo;
    p.natureza = c.imposto == 'S' ? 3 : 2;
    p.conta = c.grupo == 2 ? 32 : 33;
    p.unidade = c.grupo == 9 && c.preco >= 5 ? "PC" : "UN";
    p.sit_tributaria = c.imposto == 'T' ? "00" : c.imposto == 'S' ? "06" : "40";
    p.trib_icms = c.imposto == 'T' ? "0" : c.imposto == 'S' ? "6" : "4";
    p.icms = c.imposto == 'T' ? 18 : 0;
    p.preco = std::round(c.preco * s.Entre(0.9, 1.15) * 100) / 100;
    p.custo = std::round(p.preco * s.Entre(0.55, 0.72) * 100) / 100;
    p.peso = c.peso / (1 + variante);
    p.quantidade_media = 1;
    p.fornecedor = e.fornecedores[static_cast<size_t>(c.fornecedor)];
    e.loja.push_back(e.produtos.size());
    e.produtos.push_back(p);
  }
  // Expected daily sales of the shop and services, from their weights.
  double peso_loja = 0;
  for (size_t i : e.loja) peso_loja += e.produtos[i].peso;
  const double itens_loja = itens_por_dia - cupons_combustivel;
  for (size_t i : e.loja) {
    ProdutoG& p = e.produtos[i];
    p.venda_diaria = std::max(0.05, itens_loja * p.peso / peso_loja * 1.25);
    if (p.tipo != 2) p.estoque_inicial = std::max(6.0, std::ceil(p.venda_diaria * 21));
  }

  for (ProdutoG& p : e.produtos) {
    const bool bens = p.tipo != 2;
    e.escritor.Linha(
        T::Produto,
        {Value(e.empresa), Value(p.codigo), Texto(p.nome), Value(static_cast<uint8_t>(p.tipo)),
         Texto(p.unidade), Value(p.grupo), Value(p.natureza), Texto(p.sit_tributaria),
         Value(p.preco), Value(int16_t{1}), Value(bens ? p.estoque_inicial : 0.0),
         Value(p.combustivel), p.combustivel || !bens ? Value(Null{}) : Texto(CodigoDeBarras(p.codigo)),
         Value(Money::FromDouble(bens ? p.custo : 0)), Value(Money::FromDouble(p.custo * p.icms / 100)),
         Texto(p.trib_icms), Value("0"), Value(static_cast<double>(p.icms)),
         Value(p.combustivel ? 25.0 : 0.0), Value(p.icms > 0 ? 100.0 : 0.0), Value(Money()),
         Value("0"), Value("1"), Value("1"), Value(0.0), Value(uint8_t{0}), Value(Null{}),
         Value(p.conta), Value(bens ? p.estoque_inicial : 0.0)});
  }
}

void Pista(Estado& e) {
  Sorteio& s = e.sorteio;
  std::vector<double> pesos;
  for (size_t i : e.combustiveis) {
    const ProdutoG& p = e.produtos[i];
    pesos.push_back(p.peso);
    e.escritor.Linha(T::SisTubulacao, {Value(e.empresa), Value(p.sis_tubulacao), Value(p.codigo),
                                       Texto("LINHA " + p.nome)});
    e.escritor.Linha(T::Tanque, {Value(e.empresa), Value(p.tanque), Value(p.codigo),
                                 Value(p.sis_tubulacao), Value(p.capacidade),
                                 Value(p.estoque_inicial)});
  }
  for (int32_t k = 0; k < e.opcoes.bicos; ++k) {
    BicoG b;
    b.codigo = static_cast<uint8_t>(k + 1);
    b.endereco = fmt::format("{:02}{:02}", k / 2 + 1, k % 2 + 1);
    b.produto = k < static_cast<int32_t>(e.combustiveis.size()) ? e.combustiveis[k]
                                                                 : e.combustiveis[s.Pesado(pesos)];
    b.encerrante = std::round(s.Entre(100000, 900000) * 100) / 100;
    const ProdutoG& p = e.produtos[b.produto];
    e.escritor.Linha(T::Bomba, {Value(e.empresa), Value(b.codigo), Texto(b.endereco),
                                Value(p.codigo), Value(p.sis_tubulacao), Value(b.encerrante),
                                Value(true)});
    e.bicos.push_back(b);
  }
  for (int32_t i = 1; i <= e.opcoes.impressoras; ++i) {
    ImpressoraG imp;
    imp.numero = static_cast<uint8_t>(i);
    imp.coo = s.Inteiro(1000, 90000);
    imp.crz = s.Inteiro(50, 900);
    imp.gt = Money::FromDouble(std::round(s.Entre(1e5, 5e6)) + 0.37);
    e.escritor.Linha(T::ECF, {Value(e.empresa), Value(imp.numero),
                              Texto(fmt::format("BE050{}SC5601100{:04}", i % 10, 1000 + i)),
                              Texto(fmt::format("{:03}", i)), Value("BEMATECH"),
                              Value("MP-20 FI II"), Texto(fmt::format("COM{}", 1 + (i - 1) % 4)),
                              Value(e.opcoes.inicio.AddDays(-s.Inteiro(100, 900))), Value(true)});
    e.impressoras.push_back(imp);
  }
}

std::string Placa(int64_t sequencia) {
  const int64_t n = (sequencia * 7919 + 1234567) % 175760000;
  const int64_t letras = n / 10000;
  return fmt::format("{}{}{}{:04}", static_cast<char>('A' + letras / 676),
                     static_cast<char>('A' + letras / 26 % 26), static_cast<char>('A' + letras % 26),
                     n % 10000);
}

void Clientes(Estado& e) {
  Sorteio& s = e.sorteio;
  for (auto [codigo, nome, parcelas] : {std::tuple{1, "A VISTA", 1}, {2, "FATURADO 30 DIAS", 1},
                                        {3, "FATURADO 15/30 DIAS", 2}}) {
    e.escritor.Linha(T::ConPag, {Value(e.empresa), Value(codigo), Value(nome),
                                 Value(static_cast<uint8_t>(parcelas))});
  }
  int64_t placas = 0;
  for (int32_t i = 0; i < e.opcoes.clientes; ++i) {
    ClienteG c;
    c.empresa = s.Chance(0.7);
    std::string nome, fantasia;
    if (c.empresa) {
      const std::string sobrenome = kSobrenomes[s.Inteiro(0, 15)];
      fantasia = std::string(kRamos[s.Inteiro(0, 7)]) + " " + sobrenome.substr(sobrenome.find(' ') + 1);
      nome = fantasia + " LTDA";
      c.documento = Cnpj(40000000 + i * 1009);
    } else {
      nome = NomeDePessoa(s);
      c.documento = Cpf(100000000 + i * 7907);
    }
    c.codigo = NovaPessoa(e, nome, fantasia, c.empresa, c.documento);
    c.nota_na_fatura = c.empresa && s.Chance(0.2);
    c.boleta = c.empresa && s.Chance(0.5);
    c.peso = c.empresa ? s.Entre(1, 6) : s.Entre(0.3, 1.5);
    e.escritor.Linha(T::Cliente,
                     {Value(e.empresa), Value(c.codigo), Value(c.empresa && s.Chance(0.3) ? 3 : 2),
                      Texto(std::to_string(c.boleta ? 2 : 1)),
                      Value(Money::FromInt(c.empresa ? s.Inteiro(2, 50) * 1000 : 800)),
                      Value(Money()), Value(Money()), Value(!c.boleta), Value(c.boleta),
                      Value(false), Value(false),
                      Value(static_cast<uint8_t>(c.nota_na_fatura ? 12 : 1)), Value(false),
                      Value(e.opcoes.inicio.AddDays(-s.Inteiro(1, 1500)))});
    const int32_t veiculos = c.empresa ? s.Inteiro(1, 6) : 1;
    for (int32_t v = 0; v < veiculos; ++v) {
      const auto& marca = kMarcas[c.empresa ? s.Inteiro(0, 7) : s.Inteiro(0, 1)];
      const std::string placa = Placa(placas++);
      c.placas.push_back(placa);
      const bool caminhao = std::string(marca[1]).find_first_of("0123456789") == 0 ||
                            std::string(marca[0]) == "VOLVO";
      e.escritor.Linha(T::Veiculo,
                       {Value(e.empresa), Texto(placa), Value(c.codigo), Value(marca[0]),
                        Value(marca[1]), Value(kCores[s.Inteiro(0, 5)]),
                        Value(static_cast<int16_t>(s.Inteiro(1990, 2004))),
                        Value(caminhao ? 300.0 : 50.0), Value(s.Inteiro(5000, 400000))});
    }
    if (c.empresa && s.Chance(0.1)) {
      e.escritor.Linha(T::Cartao, {Value(e.empresa), Texto(fmt::format("6012{:012}", i)),
                                   Value(c.codigo), Texto(NomeDePessoa(s)),
                                   Value(e.fim.AddDays(365)), Value(false)});
    }
    if (c.empresa && s.Chance(0.15)) {
      e.escritor.Linha(T::CondEspecialPreco,
                       {Value(e.empresa), Value(c.codigo), Value(e.produtos[e.combustiveis.back()].codigo),
                        Value(Money::FromDouble(0.03)), Value(e.fim.AddDays(365))});
    }
    e.clientes.push_back(std::move(c));
  }
}

void Pagamentos(Estado& e) {
  struct Tipo {
    int32_t codigo;
    const char* nome;
    int32_t pagamento;
  };
  for (const Tipo& t : {Tipo{1, "DINHEIRO", 3}, Tipo{2, "CHEQUE", 2}, Tipo{3, "CARTAO DE CREDITO", 4},
                        Tipo{4, "CARTAO DE DEBITO", 4}, Tipo{5, "BOLETO BANCARIO", 1}}) {
    e.escritor.Linha(T::TipoRecebimento, {Value(e.empresa), Value(t.codigo), Value(t.nome),
                                          Value(static_cast<uint8_t>(t.pagamento)), Value(11),
                                          Value(12), Value(true)});
  }
  for (auto [codigo, nome] : {std::pair{1, "BANCO DO BRASIL S.A."}, {104, "CAIXA ECONOMICA FEDERAL"},
                              {237, "BANCO BRADESCO S.A."}, {341, "BANCO ITAU S.A."},
                              {409, "UNIBANCO S.A."}}) {
    e.escritor.Linha(T::Banco, {Value(static_cast<int16_t>(codigo)), Value(nome)});
  }
  e.escritor.Linha(T::ConBan, {Value(e.empresa), Value(int16_t{1}), Value(int16_t{3344}),
                               Value(55667), Value("CONTA MOVIMENTO"), Value(Money())});
}

}  // namespace

void GerarCadastros(Estado& e) {
  const bp::db::Recordset maior = e.conexao.Query("SELECT MAX(Cd_Pessoa) FROM Pessoa");
  e.proxima_pessoa = (maior.Eof() || maior.Field(0).IsNull() ? 0 : maior.Field(0).ToInt32()) + 1;
  Funcionarios(e);
  PlanoDeContas(e);
  CodigosFiscais(e);
  Fornecedores(e);
  Produtos(e);
  Pista(e);
  Clientes(e);
  Pagamentos(e);
  e.escritor.GravarTudo();
}

}  // namespace station::gerador
