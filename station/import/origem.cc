#include "station/import/origem.h"

#include <filesystem>
#include <string>

#include "bp/erro.h"
#include "bp/names.h"

namespace station {
namespace {

std::string_view SemBrancos(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

// A part of a URL with every byte outside the unreserved set percent-encoded.
std::string ParteDeUrl(std::string_view t) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : t) {
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

// Every occurrence of `segredo` in `texto` hidden.
std::string SemSegredo(std::string texto, const std::string& segredo) {
  if (segredo.empty()) return texto;
  for (size_t p = texto.find(segredo); p != std::string::npos; p = texto.find(segredo, p))
    texto.replace(p, segredo.size(), "***");
  return texto;
}

[[noreturn]] void FalhaDeConexao(const TextoDeConexao& t, const std::string& motivo) {
  const std::string texto =
      "Data Source=" + t.data_source + ";Initial Catalog=" + t.initial_catalog + ": " + motivo;
  bp::RaiseRuntime(bp::rt::kConnectionUnusable,
                   SemSegredo(SemSegredo(texto, t.password), ParteDeUrl(t.password)));
}

}  // namespace

TextoDeConexao TextoDeConexao::Ler(std::string_view texto) {
  TextoDeConexao t;
  while (!texto.empty()) {
    const size_t fim = texto.find(';');
    const std::string_view par = texto.substr(0, fim);
    texto = fim == std::string_view::npos ? std::string_view() : texto.substr(fim + 1);
    const size_t igual = par.find('=');
    if (igual == std::string_view::npos) continue;
    const std::string_view chave = SemBrancos(par.substr(0, igual));
    const std::string valor(SemBrancos(par.substr(igual + 1)));
    if (bp::SameName(chave, "Data Source")) t.data_source = valor;
    if (bp::SameName(chave, "Initial Catalog")) t.initial_catalog = valor;
    if (bp::SameName(chave, "User ID")) t.user_id = valor;
    if (bp::SameName(chave, "Password")) t.password = valor;
  }
  return t;
}

std::unique_ptr<bp::db::Connection> AbrirOrigem(const std::string& texto) {
  const TextoDeConexao t = TextoDeConexao::Ler(texto);
  std::error_code erro;
  if (std::filesystem::is_directory(t.data_source, erro)) {
    const std::filesystem::path arquivo = std::filesystem::path(t.data_source) / t.initial_catalog;
    // Opening a missing SQLite file would create an empty one.
    if (t.initial_catalog.empty() || !std::filesystem::is_regular_file(arquivo, erro))
      FalhaDeConexao(t, "no database file " + arquivo.string());
    try {
      return bp::db::Connection::Open(arquivo.string());
    } catch (...) {
      FalhaDeConexao(t, bp::ToErro(std::current_exception()).description);
    }
  }
  std::string servidor = t.data_source;
  std::string porta;
  const size_t dois_pontos = servidor.rfind(':');
  if (dois_pontos != std::string::npos) {
    porta = servidor.substr(dois_pontos + 1);
    servidor.resize(dois_pontos);
  }
  if (servidor.empty() || t.initial_catalog.empty()) FalhaDeConexao(t, "no server or database");
  std::string url = "postgresql://" + ParteDeUrl(t.user_id);
  if (!t.password.empty()) url += ":" + ParteDeUrl(t.password);
  url += "@" + ParteDeUrl(servidor) + (porta.empty() ? "" : ":" + ParteDeUrl(porta)) + "/" +
         ParteDeUrl(t.initial_catalog);
  try {
    return bp::db::Connection::Open(url);
  } catch (...) {
    FalhaDeConexao(t, bp::ToErro(std::current_exception()).description);
  }
}

}  // namespace station
