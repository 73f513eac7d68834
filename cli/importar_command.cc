// posto importar: a point of sale's cash register brought into the station's
// database; posto station pdv: a point of sale's database to import from.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "bp/bp_importar_movimento_caixa.h"
#include "bp/registry.h"
#include "cli/ambiente.h"
#include "cli/banco.h"
#include "cli/commands.h"
#include "cli/csv.h"
#include "cli/progresso.h"
#include "cli/tabela.h"
#include "station/import/movimento_caixa.h"
#include "station/import/ponto_de_venda.h"
#include "station/seed/seed.h"
#include "station/session/banco_inicial.h"

namespace posto {
namespace {

// Where the source database's password comes from when --senha-origem is not
// given.
constexpr const char* kVariavelSenha = "POSTO_SENHA_ORIGEM";

int32_t CaixaObrigatorio(const Options& o) {
  if (!o.Has("--caixa")) throw UsageError("falta --caixa");
  const int32_t caixa = o.Int("--caixa", 0);
  if (caixa <= 0) throw UsageError("--caixa deve ser um número positivo");
  return caixa;
}

int Importar(const Options& o) {
  AmbienteDoComando ambiente(o);
  int32_t caixa = CaixaObrigatorio(o);
  if (!o.Has("--instancia")) throw UsageError("falta --instancia");
  if (!o.Has("--banco")) throw UsageError("falta --banco");
  std::string instancia = o.Text("--instancia", "");
  std::string banco = o.Text("--banco", "");
  station::Configuracao config(Banco(o));
  config.cd_pessoa_usuaria = o.Int("--empresa", 1);
  if (o.Has("--senha-origem")) {
    config.senha_banco = o.Text("--senha-origem", "");
  } else if (const char* senha = std::getenv(kVariavelSenha)) {
    config.senha_banco = senha;
  }
  std::shared_ptr<station::Sessao> sessao = AbrirSessao(config, UsoDoBanco::kNaVersaoDaBiblioteca);

  std::vector<std::string> tabelas;
  std::vector<int32_t> lidas, gravadas;
  Progresso progresso("Importação do caixa " + std::to_string(caixa));
  station::AcompanhamentoImportacao acompanhamento;
  acompanhamento.conjunto = [&](bp::host::TipoMovimentoCaixa tipo, int32_t linhas) {
    tabelas.emplace_back(bp::host::TabelaDoMovimento(tipo));
    lidas.push_back(linhas);
    gravadas.push_back(0);
    progresso.Mostrar(0, linhas, tabelas.back());
  };
  acompanhamento.gravada = [&](bp::host::TipoMovimentoCaixa) {
    progresso.Mostrar(++gravadas.back(), lidas.back(), tabelas.back());
  };
  sessao->AcompanharImportacao(&acompanhamento);
  auto classe = bp::CreateObject<bp::BPImportarMovimentoCaixa>("BP.BPImportarMovimentoCaixa");
  classe->SetObBOSistema(sessao);
  auto relatorio = [&] {
    progresso.Fechar();
    std::vector<std::vector<bp::Value>> linhas;
    for (size_t i = 0; i < tabelas.size(); ++i)
      linhas.push_back({bp::Value(tabelas[i]), bp::Value(lidas[i]), bp::Value(gravadas[i])});
    MostrarRecordset(bp::db::Recordset({"Tabela", "Lidas", "Importadas"}, std::move(linhas)),
                     o.Has("--csv"), std::cout);
  };
  try {
    classe->Importar(instancia, banco, caixa);
  } catch (...) {
    // What was saved before the failure stays: say so before the error.
    if (!tabelas.empty()) relatorio();
    sessao->AcompanharImportacao(nullptr);
    throw;
  }
  sessao->AcompanharImportacao(nullptr);
  relatorio();
  std::cout << "Caixa " << caixa << " importado.\n";
  return 0;
}

// The day is of a register the demo station has open; any other is refused
// naming those.
void ConferirCaixaAberto(bp::db::Connection& c, int32_t caixa) {
  const bp::db::Recordset rs = c.Query(
      "SELECT Cd_Caixa FROM Caixa WHERE Ic_Fechado = ? ORDER BY Cd_Caixa", {bp::Value(false)});
  std::string abertos;
  for (const auto& linha : rs.Rows()) {
    if (linha[0].ToInt32() == caixa) return;
    abertos += (abertos.empty() ? "" : ", ") + linha[0].ToText();
  }
  throw Failure("o caixa " + std::to_string(caixa) +
                " não está aberto neste banco; use um dos caixas abertos: " + abertos);
}

int PontoDeVenda(const Options& o) {
  AmbienteDoComando ambiente(o);
  station::OpcoesPontoDeVenda opcoes;
  opcoes.caixa = CaixaObrigatorio(o);
  opcoes.agora = ambiente.Now();
  opcoes.cupons = o.Int("--cupons", opcoes.cupons);
  if (opcoes.cupons <= 0 || opcoes.cupons > 30'000) throw UsageError("--cupons de 1 a 30000");
  station::Configuracao config(Banco(o));
  config.cd_pessoa_usuaria = station::EstacaoDemo::kEmpresa;
  auto sessao = AbrirSessao(config, UsoDoBanco::kCriarSeNaoExistir);
  std::cout << "Criando o ponto de venda em " << sessao->Dal().Conexao().Describe() << "...\n";
  std::cout.flush();
  // A database that already holds the demo station only gets the day.
  bp::db::Connection& c = sessao->Dal().Conexao();
  if (!station::BancoDoPosto(c) || c.Query("SELECT COUNT(*) FROM Caixa").Field(0).ToInt32() == 0) {
    Progresso progresso("Ponto de venda");
    station::SeedDemoStation(sessao, opcoes.agora,
                             [&](const std::string& etapa, int32_t feito, int32_t total) {
                               progresso.Mostrar(feito, total, etapa);
                             });
  }
  ConferirCaixaAberto(c, opcoes.caixa);
  const auto linhas = station::EscreverDiaDoPontoDeVenda(*sessao, opcoes);
  std::vector<std::vector<bp::Value>> tabela;
  for (const auto& [nome, quantas] : linhas)
    tabela.push_back({bp::Value(nome), bp::Value(quantas)});
  MostrarRecordset(bp::db::Recordset({"Tabela", "Linhas"}, std::move(tabela)), o.Has("--csv"),
                   std::cout);
  std::cout << "Ponto de venda pronto (versão " << station::VersaoDoBanco(sessao->Dal().Conexao())
            << "), com o dia do caixa " << opcoes.caixa << ".\n";
  return 0;
}

}  // namespace

std::vector<Command> ComandosImportacao() {
  return {
      {"importar",
       "Importa o movimento de um caixa de outro banco (um ponto de venda) para a estação. A "
       "senha do banco de origem vem de --senha-origem ou da variável " +
           std::string(kVariavelSenha) + ".",
       {kOpcaoDb, kOpcaoEmpresa,
        Text("--instancia", "ORIGEM",
             "pasta do arquivo SQLite de origem, ou servidor PostgreSQL HOST[:PORTA]"),
        Text("--banco", "NOME", "arquivo (na pasta) ou banco (no servidor) de origem"),
        Integer("--caixa", "N", "o caixa a importar"),
        Text("--senha-origem", "SENHA", "senha do banco de origem (nunca é mostrada)"), kOpcaoCsv,
        kOpcaoNow, kOpcaoSim},
       {},
       Importar},
      {"station pdv",
       "Cria um ponto de venda para importar: a estação de demonstração (criada se o banco não a "
       "tiver) com o dia de um caixa aberto dela.",
       {kOpcaoDb, Integer("--caixa", "N", "o caixa do dia (um caixa aberto da estação)"),
        Integer("--cupons", "N", "cupons do dia, de 1 a 30000 (padrão: 40)"), kOpcaoCsv, kOpcaoNow,
        kOpcaoSim},
       {},
       PontoDeVenda},
  };
}

}  // namespace posto
