#include "station/seed.h"

#include <string>
#include <vector>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/erro.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "station/banco_inicial.h"
#include "station/gerador.h"
#include "station/seed_fiscal.h"
#include "station/transacao.h"

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

// A database fit for the demo: new (no tables) or just created at version
// 18 with no registers. Returns true when it has no tables yet.
bool ConferirBancoNovo(bp::db::Connection& c) {
  if (bp::schema::Introspect(c).Find("Parametro") == nullptr) return true;
  const int32_t versao = VersaoDoBanco(c);
  if (versao != 18) {
    Recusar("O banco já está na versão " + std::to_string(versao) +
            ": a estação de demonstração só é criada num banco novo.");
  }
  for (const char* tabela : {"Funcionario", "Cliente", "Produto"}) {
    if (!c.Query(std::string("SELECT 1 FROM ") + tabela + " LIMIT 1").Eof()) {
      Recusar(std::string("O banco já tem cadastros (tabela ") + tabela +
              "): a estação de demonstração só é criada num banco novo.");
    }
  }
  return false;
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
void GravarHistorico(bp::db::Connection& c, bp::DateTime agora) {
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
    GerarMovimento(c, OpcoesDoHistorico(agora));
  });
}

}  // namespace

void SeedDemoStation(const std::shared_ptr<Sessao>& sessao, bp::DateTime agora) {
  bp::db::Connection& c = sessao->Dal().Conexao();
  if (ConferirBancoNovo(c)) CriarBancoVersao18(c, EstacaoDemo::kEmpresa);
  GravarHistorico(c, agora);

  bp::BPAtualizarBancoDeDados driver;
  driver.SetObBOSistema(sessao);
  driver.Atualizar(false);

  EmTransacao(c, "SeedDemoStation", [&] {
    SeedPista(c, agora);
    SeedFiscal(*sessao, agora);
  });
}

}  // namespace station
