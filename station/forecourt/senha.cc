#include "station/forecourt/senha.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <charconv>

#include "bp/erros.h"
#include "bp/value.h"
#include "station/session/transacao.h"

namespace station {
namespace {

constexpr size_t kBytesSal = 12;
constexpr size_t kBytesHash = 32;
constexpr int32_t kMilhar = 1000;
constexpr const char* kOrigem = "station.Senha";

[[noreturn]] void Falhar(const std::string& texto) {
  throw bp::Erro(bp::kErroNegocio, texto, kOrigem);
}

// Base64 without the '=' padding.
std::string Base64(const uint8_t* dados, size_t n) {
  std::string texto(4 * ((n + 2) / 3), '\0');
  const int escritos = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(texto.data()), dados,
                                       static_cast<int>(n));
  texto.resize(static_cast<size_t>(escritos));
  while (!texto.empty() && texto.back() == '=') texto.pop_back();
  return texto;
}

// The bytes of unpadded base64 text that must decode to exactly `n` bytes.
bool DeBase64(std::string_view texto, size_t n, std::vector<uint8_t>& saida) {
  if (texto.size() != 4 * n / 3 + (n % 3 ? 1 : 0)) return false;
  std::string completo(texto);
  while (completo.size() % 4) completo.push_back('=');
  std::vector<uint8_t> bytes(completo.size() / 4 * 3);
  if (EVP_DecodeBlock(bytes.data(), reinterpret_cast<const unsigned char*>(completo.data()),
                      static_cast<int>(completo.size())) < 0) {
    return false;
  }
  bytes.resize(n);
  saida = std::move(bytes);
  return true;
}

std::vector<uint8_t> Derivar(std::string_view senha, const std::vector<uint8_t>& sal,
                             int32_t iteracoes) {
  std::vector<uint8_t> hash(kBytesHash);
  if (PKCS5_PBKDF2_HMAC(senha.data(), static_cast<int>(senha.size()), sal.data(),
                        static_cast<int>(sal.size()), iteracoes, EVP_sha256(),
                        static_cast<int>(hash.size()), hash.data()) != 1) {
    Falhar("Falha ao calcular o hash da senha.");
  }
  return hash;
}

bool Verdadeiro(const bp::Value& v) { return v.IsNull() || v.IsEmpty() || v.ToBool(); }

}  // namespace

std::string CifrarSenha(std::string_view senha) {
  std::vector<uint8_t> sal(kBytesSal);
  if (RAND_bytes(sal.data(), static_cast<int>(sal.size())) != 1) {
    Falhar("Falha ao sortear o sal da senha.");
  }
  return CifrarSenha(senha, sal, kIteracoesSenha);
}

std::string CifrarSenha(std::string_view senha, const std::vector<uint8_t>& sal,
                        int32_t iteracoes) {
  if (sal.size() != kBytesSal || iteracoes <= 0 || iteracoes % kMilhar != 0 ||
      iteracoes >= kMilhar * kMilhar) {
    Falhar("Parâmetros de hash de senha inválidos.");
  }
  const std::vector<uint8_t> hash = Derivar(senha, sal, iteracoes);
  return std::to_string(iteracoes / kMilhar) + "$" + Base64(sal.data(), sal.size()) + "$" +
         Base64(hash.data(), hash.size());
}

bool SenhaConfere(std::string_view senha, std::string_view cifrada) {
  const size_t a = cifrada.find('$');
  if (a == std::string_view::npos) return false;
  const size_t b = cifrada.find('$', a + 1);
  if (b == std::string_view::npos) return false;
  int32_t milhares = 0;
  const auto [fim, erro] = std::from_chars(cifrada.data(), cifrada.data() + a, milhares);
  if (erro != std::errc() || fim != cifrada.data() + a || milhares <= 0 || milhares >= kMilhar) {
    return false;
  }
  std::vector<uint8_t> sal, esperado;
  if (!DeBase64(cifrada.substr(a + 1, b - a - 1), kBytesSal, sal) ||
      !DeBase64(cifrada.substr(b + 1), kBytesHash, esperado)) {
    return false;
  }
  const std::vector<uint8_t> hash = Derivar(senha, sal, milhares * kMilhar);
  return CRYPTO_memcmp(hash.data(), esperado.data(), kBytesHash) == 0;
}

bool ConferirLogin(bp::db::Connection& c, int32_t empresa, int32_t cd_funcionario,
                   std::string_view senha, bp::DateTime agora) {
  bp::db::Recordset rs = c.Query(
      "SELECT f.Ic_Ativo, f.Dt_Demissao, u.Ic_Ativo AS Ic_UsuarioAtivo, u.Ds_CriptoSenha "
      "FROM Funcionario f JOIN Usuario u ON u.Cd_PessoaUsuaria = f.Cd_PessoaUsuaria "
      "AND u.Cd_Funcionario = f.Cd_Funcionario "
      "WHERE f.Cd_PessoaUsuaria = ? AND f.Cd_Funcionario = ? ORDER BY u.Cd_Usuario",
      {bp::Value(empresa), bp::Value(cd_funcionario)});
  bool calculou = false;
  for (; !rs.Eof(); rs.MoveNext()) {
    if (!Verdadeiro(rs["Ic_Ativo"]) || !Verdadeiro(rs["Ic_UsuarioAtivo"])) continue;
    const bp::Value& demissao = rs["Dt_Demissao"];
    if (!demissao.IsNull() && !demissao.IsEmpty() && demissao.ToDate() <= agora) continue;
    const bp::Value& cifrada = rs["Ds_CriptoSenha"];
    if (cifrada.IsNull() || cifrada.IsEmpty()) continue;
    calculou = true;
    if (SenhaConfere(senha, cifrada.ToText())) return true;
  }
  // A refusal takes as long whether or not the employee exists, so the
  // time of an answer does not tell which codes are valid.
  if (!calculou) Derivar(senha, std::vector<uint8_t>(kBytesSal), kIteracoesSenha);
  return false;
}

namespace {

// Keeps the hash in the employee's user row (a new one when there is none)
// and empties the password in clear.
int32_t GuardarCifrada(bp::db::Connection& c, int32_t empresa, int32_t cd_funcionario,
                       const std::string& cifrada) {
  bp::db::Recordset rs =
      c.Query("SELECT Cd_Usuario FROM Usuario WHERE Cd_PessoaUsuaria = ? AND Cd_Funcionario = ? "
              "ORDER BY Cd_Usuario",
              {bp::Value(empresa), bp::Value(cd_funcionario)});
  int32_t usuario = 0;
  if (!rs.Eof()) {
    usuario = rs.Field(0).ToInt32();
    c.Execute("UPDATE Usuario SET Ds_CriptoSenha = ? WHERE Cd_PessoaUsuaria = ? AND Cd_Usuario = ?",
              {bp::Value(cifrada), bp::Value(empresa), bp::Value(usuario)});
  } else {
    bp::db::Recordset maior = c.Query("SELECT MAX(Cd_Usuario) FROM Usuario WHERE Cd_PessoaUsuaria = ?",
                                      {bp::Value(empresa)});
    usuario = (maior.Eof() || maior.Field(0).IsNull() ? 0 : maior.Field(0).ToInt32()) + 1;
    c.Execute("INSERT INTO Usuario (Cd_PessoaUsuaria, Cd_Usuario, Nm_Usuario, Ds_CriptoSenha, "
              "Cd_Funcionario, Ic_Administrador, Ic_Ativo) VALUES (?, ?, ?, ?, ?, ?, ?)",
              {bp::Value(empresa), bp::Value(usuario),
               bp::Value("FUNC" + std::to_string(cd_funcionario)), bp::Value(cifrada),
               bp::Value(cd_funcionario), bp::Value(false), bp::Value(true)});
  }
  c.Execute("UPDATE Funcionario SET Nm_Senha = NULL WHERE Cd_PessoaUsuaria = ? AND Cd_Funcionario = ?",
            {bp::Value(empresa), bp::Value(cd_funcionario)});
  return usuario;
}

}  // namespace

int32_t GravarSenhaDoFuncionario(bp::db::Connection& c, int32_t empresa, int32_t cd_funcionario,
                                 std::string_view senha) {
  if (c.Query("SELECT 1 FROM Funcionario WHERE Cd_PessoaUsuaria = ? AND Cd_Funcionario = ?",
              {bp::Value(empresa), bp::Value(cd_funcionario)})
          .Eof()) {
    Falhar("Funcionário " + std::to_string(cd_funcionario) + " não cadastrado.");
  }
  const std::string cifrada = CifrarSenha(senha);
  // The user row and the emptied clear password are one change.
  return EmTransacao(c, "GravarSenhaDoFuncionario",
                     [&] { return GuardarCifrada(c, empresa, cd_funcionario, cifrada); });
}

int32_t MigrarSenhasEmClaro(bp::db::Connection& c, int32_t empresa) {
  bp::db::Recordset rs = c.Query(
      "SELECT Cd_Funcionario, Nm_Senha FROM Funcionario WHERE Cd_PessoaUsuaria = ? "
      "AND Nm_Senha IS NOT NULL AND Nm_Senha <> '' ORDER BY Cd_Funcionario",
      {bp::Value(empresa)});
  int32_t convertidos = 0;
  for (; !rs.Eof(); rs.MoveNext()) {
    GravarSenhaDoFuncionario(c, empresa, rs.Field(0).ToInt32(), rs.Field(1).ToText());
    ++convertidos;
  }
  return convertidos;
}

}  // namespace station
