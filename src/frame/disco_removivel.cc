#include "bp/disco_removivel.h"

#include <cctype>
#include <vector>

namespace bp {
namespace {

constexpr const char* kPerguntaApagar = "Deseja apagar todos arquivos existente no disco do drive ";
constexpr const char* kTituloApagar = "Apagar todos arquivos do disco?";
// Every file of the drive: the platform's "*.*" matches names without a dot too.
constexpr const char* kTodosArquivos = "*";

constexpr const char* kSobrescreverInicio = "O arquivo:  '";
constexpr const char* kSobrescreverFim =
    "'  já existe deseja sobrescreve-lo ? 'Não' cancela a exportaçao.";
constexpr const char* kSobrescreverTitulo = "Sobrescrever arquivo";

std::optional<std::string> PastaDaUnidade(const std::string& caminho, Env& env) {
  const std::optional<std::string> unidade = UnidadeRemovivel(caminho);
  if (!unidade) return std::nullopt;
  return env.RemovableDriveFolder(*unidade);
}

}  // namespace

std::optional<std::string> UnidadeRemovivel(const std::string& caminho) {
  if (caminho.size() < 2 || caminho[1] != ':') return std::nullopt;
  const char letra = static_cast<char>(std::toupper(static_cast<unsigned char>(caminho[0])));
  if (letra != 'A' && letra != 'B') return std::nullopt;
  return std::string(1, letra) + ":";
}

std::string CaminhoNoSistema(const std::string& caminho, Env& env) {
  const std::optional<std::string> pasta = PastaDaUnidade(caminho, env);
  if (!pasta) return caminho;
  std::string resto = caminho.substr(2);
  for (char& c : resto)
    if (c == '\\') c = kPathSeparator;
  size_t inicio = 0;
  while (inicio < resto.size() && resto[inicio] == kPathSeparator) ++inicio;
  return *pasta + kPathSeparator + resto.substr(inicio);
}

void OferecerApagarDisco(const std::string& caminho, Env& env) {
  const std::optional<std::string> pasta = PastaDaUnidade(caminho, env);
  if (!pasta) return;
  const std::string padrao = *pasta + kPathSeparator + kTodosArquivos;
  if (env.ListFiles(padrao).empty()) return;

  MessageBoxRequest pergunta;
  pergunta.text = kPerguntaApagar + caminho.substr(0, 2);
  pergunta.caption = kTituloApagar;
  pergunta.buttons = Buttons::YesNo;
  pergunta.icon = Icon::Question;
  pergunta.default_button = DefaultButton::Second;
  if (env.MessageBox(pergunta) != Answer::Yes) return;
  for (const std::string& nome : env.ListFiles(padrao)) env.DeleteFile(*pasta + kPathSeparator + nome);
}

bool PerguntarSobrescrever(const std::string& caminho, Env& env) {
  MessageBoxRequest pergunta;
  pergunta.text = kSobrescreverInicio + caminho + kSobrescreverFim;
  pergunta.caption = kSobrescreverTitulo;
  pergunta.buttons = Buttons::YesNo;
  pergunta.icon = Icon::Question;
  pergunta.default_button = DefaultButton::Second;
  return env.MessageBox(pergunta) == Answer::Yes;
}

std::unique_ptr<TextFile> AbrirDestino(const std::string& caminho, Env& env, bool perguntar) {
  const std::string arquivo = CaminhoNoSistema(caminho, env);
  if (env.FileExists(arquivo)) {
    if (perguntar && !PerguntarSobrescrever(caminho, env)) return nullptr;
    env.DeleteFile(arquivo);
  }
  return std::make_unique<TextFile>(arquivo, OpenMode::Output);
}

bool DestinoEncontrado(const std::string& caminho, Env& env) {
  std::string maiusculas = caminho;
  for (char& ch : maiusculas) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  return !env.ListFiles(CaminhoNoSistema(maiusculas, env)).empty() ||
         !env.ListFiles(CaminhoNoSistema(caminho, env)).empty();
}

}  // namespace bp
