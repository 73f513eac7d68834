#include "station/seed/seed.h"

#include <string>
#include <vector>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/erro.h"
#include "station/session/banco_inicial.h"
#include "station/seed/gerador.h"
#include "station/seed/seed_fiscal.h"
#include "station/session/transacao.h"

namespace station {
namespace {

constexpr const char* kOrigem = "station.SeedDemoStation";

[[noreturn]] void Recusar(const std::string& texto) {
  throw bp::Erro(bp::db::kErroComando, texto, kOrigem);
}

struct PessoaDemo {
  int32_t codigo;
  const char* nome;
  int32_t tipo;  // 1 natural person, 2 company
  const char* documento;
};

// The persons behind employee 2 and the two demo customers, written before
// the history so that the generator numbers its own persons after them.
const PessoaDemo kPessoas[] = {
    {EstacaoDemo::kFuncionarioSemDesconto, "JOAO BATISTA DOS SANTOS", 1, "123.456.789-09"},
    {EstacaoDemo::kClienteCredito, "TRANSPORTES RODOVALE LTDA", 2, "11.222.333/0001-81"},
    {EstacaoDemo::kClienteRestrito, "MARCOS ANTONIO PEREIRA", 1, "987.654.321-00"},
};

// What a database needs before the history is written at version 18.
enum class Preparo {
  kNada,     // it is at version 18 with no registers
  kCriar,    // it has no tables yet
  kRecriar,  // it is further on with no registers: it holds only what
             // creating and upgrading it wrote, so it is built again at 18
};

// The registers that make a database the station's own: any of them and the
// demo is refused (the company's own person row excepted).
constexpr const char* kCadastros[][2] = {
    {"Funcionario", "SELECT 1 FROM Funcionario"},
    {"Cliente", "SELECT 1 FROM Cliente"},
    {"Produto", "SELECT 1 FROM Produto"},
    {"Pessoa", "SELECT 1 FROM Pessoa WHERE Cd_Pessoa NOT IN "
               "(SELECT Cd_PessoaUsuaria FROM EmpresaUsuaria)"},
};

Preparo ConferirBanco(bp::db::Connection& c) {
  if (!BancoDoPosto(c)) return Preparo::kCriar;
  for (const auto& [tabela, consulta] : kCadastros) {
    if (!c.Query(std::string(consulta) + " LIMIT 1").Eof()) {
      Recusar(std::string("O banco já tem cadastros (tabela ") + tabela +
              "): a estação de demonstração só é criada num banco sem funcionários, clientes "
              "nem produtos.");
    }
  }
  return VersaoDoBanco(c) == 18 ? Preparo::kNada : Preparo::kRecriar;
}

OpcoesGerador OpcoesDoHistorico(bp::DateTime agora) {
  OpcoesGerador o;
  o.dias = EstacaoDemo::kDiasDeHistorico;
  o.cupons_dia = 40;
  o.itens_cupom = 2;
  o.produtos = 12;
  o.clientes = 6;
  o.funcionarios = 4;
  o.bicos = EstacaoDemo::kBicos;
  o.impressoras = 1;
  o.semente = 6;
  o.inicio = agora.DatePart().AddDays(-EstacaoDemo::kDiasDeHistorico);
  o.cd_pessoa_usuaria = EstacaoDemo::kEmpresa;
  return o;
}

// The demo's persons and the generated month, in one transaction: a failure
// leaves the database as new as it was.
void GravarHistorico(bp::db::Connection& c, const OpcoesGerador& historico) {
  EmTransacao(c, "SeedHistorico", [&] {
    for (const PessoaDemo& p : kPessoas) {
      c.Execute("INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa, No_TipoPessoa, Cd_CgcCpf, "
                "Nm_Logradouro, No_Logradouro, Nm_Bairro, Nm_Cidade, Ds_SiglaUF, Cd_Ep) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                {bp::Value(p.codigo), bp::Value(p.nome), bp::Value(static_cast<uint8_t>(p.tipo)),
                 bp::Value(p.documento), bp::Value("AV. DAS AMOREIRAS"), bp::Value("1500"),
                 bp::Value("JARDIM PROENCA"), bp::Value("CAMPINAS"), bp::Value("SP"),
                 bp::Value("13026-000")});
    }
    GerarMovimento(c, historico);
  });
}

}  // namespace

void SeedDemoStation(const std::shared_ptr<Sessao>& sessao, bp::DateTime agora,
                     const AndamentoSeed& andamento) {
  bp::db::Connection& c = sessao->Dal().Conexao();
  const auto avisar = [&](const std::string& etapa, int32_t feito, int32_t total) {
    if (andamento) andamento(etapa, feito, total);
  };
  switch (ConferirBanco(c)) {
    case Preparo::kCriar: CriarBancoVersao18(c, EstacaoDemo::kEmpresa); break;
    case Preparo::kRecriar: RecriarBancoVersao18(c, EstacaoDemo::kEmpresa); break;
    case Preparo::kNada: break;
  }
  OpcoesGerador historico = OpcoesDoHistorico(agora);
  historico.ao_fim_do_dia = [&](int32_t feitos, int32_t dias) {
    avisar("Histórico: dia " + std::to_string(feitos), feitos, dias);
  };
  GravarHistorico(c, historico);

  const int32_t de = VersaoDoBanco(c);
  bp::BPAtualizarBancoDeDados driver;
  driver.SetObBOSistema(sessao);
  driver.SetTurnObserver([&](int32_t versao, int32_t alvo, int32_t) {
    avisar("Atualização: versão " + std::to_string(versao), versao - de, alvo - de);
  });
  driver.Atualizar(false);

  EmTransacao(c, "SeedDemoStation", [&] {
    SeedPista(c, agora);
    SeedFiscal(*sessao, agora);
    SeedFaturamento(c, agora);
  });
}

}  // namespace station
