#include "cli/banco.h"

#include <filesystem>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/erro.h"
#include "station/session/banco_inicial.h"

namespace posto {

const Option kOpcaoDb = Text("--db", "BANCO",
                             "arquivo SQLite (padrão: posto.db) ou URL "
                             "postgresql://usuario@servidor:porta/base");
const Option kOpcaoEmpresa = Integer("--empresa", "N", "empresa usuária (padrão: 1)");

std::string Banco(const Options& options) { return options.Text("--db", "posto.db"); }

std::string NomeDoBanco(const std::string& banco) { return bp::db::DescribeTarget(banco); }

std::string ParaOShell(const std::string& palavra) {
  const bool simples = !palavra.empty() &&
                       palavra.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                 "0123456789_-./:@%+=,") == std::string::npos;
  if (simples) return palavra;
  std::string citada = "'";
  for (char c : palavra) citada += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return citada + "'";
}

std::unique_ptr<bp::db::Connection> AbrirBanco(const std::string& banco, UsoDoBanco uso) {
  const std::string nome = NomeDoBanco(banco);
  const std::string opcao = "--db " + ParaOShell(nome);
  const bool servidor = bp::db::IsServerTarget(banco);
  std::error_code erro;
  if (uso != UsoDoBanco::kCriarSeNaoExistir && !servidor && !std::filesystem::exists(banco, erro)) {
    throw Failure("Banco não encontrado: " + nome + ". Crie-o com posto db init " + opcao +
                  " (banco novo) ou posto station seed " + opcao + " (estação de demonstração).");
  }
  std::unique_ptr<bp::db::Connection> conexao;
  try {
    conexao = bp::db::Connection::Open(banco);
  } catch (const bp::Erro& e) {
    // The provider's text names the target in brackets: it is named once here.
    std::string motivo = e.description;
    const size_t alvo = motivo.find(" [" + nome + "]");
    if (alvo != std::string::npos) motivo.erase(alvo, nome.size() + 3);
    throw Failure("Não foi possível abrir o banco " + nome + ": " + motivo);
  }
  if (uso == UsoDoBanco::kCriarSeNaoExistir) return conexao;

  if (!station::BancoDoPosto(*conexao))
    throw Failure("O banco " + nome + " não é um banco do posto: não tem a tabela Parametro.");
  if (uso == UsoDoBanco::kQualquerVersao) return conexao;

  const int32_t versao = station::VersaoDoBanco(*conexao);
  const int32_t biblioteca = bp::BPAtualizarBancoDeDados().TargetVersion();
  if (versao < biblioteca) {
    throw Failure("O banco " + nome + " está na versão " + std::to_string(versao) +
                  " e a biblioteca na " + std::to_string(biblioteca) +
                  ": atualize-o com posto db upgrade " + opcao);
  }
  if (versao > biblioteca) {
    throw Failure("O banco " + nome + " está na versão " + std::to_string(versao) +
                  ", mais nova que a da biblioteca (" + std::to_string(biblioteca) +
                  "): use um posto dessa versão.");
  }
  return conexao;
}

std::shared_ptr<station::Sessao> AbrirSessao(const station::Configuracao& config, UsoDoBanco uso) {
  return std::make_shared<station::Sessao>(AbrirBanco(config.banco, uso), config);
}

std::shared_ptr<station::Sessao> SessaoDaEmpresa(const Options& options) {
  station::Configuracao config(Banco(options));
  config.cd_pessoa_usuaria = options.Int("--empresa", 1);
  return AbrirSessao(config, UsoDoBanco::kNaVersaoDaBiblioteca);
}

}  // namespace posto
