#include "station/session/numeracao.h"

#include <string>
#include <string_view>

#include <fmt/format.h>

#include "bp/erro.h"

namespace station {
namespace {

// How often a numbered insert is tried when other station PCs keep taking
// the number first.
constexpr int kTentativasDeNumero = 5;

// A 32-bit FNV-1a hash: the same text gives the same number on every PC.
int32_t Hash(std::string_view texto) {
  uint32_t h = 2166136261u;
  for (unsigned char ch : texto) h = (h ^ ch) * 16777619u;
  return static_cast<int32_t>(h);
}

// Holds the numbering of this key until the transaction ends. PostgreSQL's
// reads do not wait for a row another transaction has not committed yet:
// without the lock, a PC that keeps numbering rows can keep taking the
// number a slower PC read, until the slower one runs out of tries.
void TravarNumeracao(bp::db::Connection& c, const char* sql_maior,
                     const std::vector<bp::Value>& chave) {
  if (c.Kind() != bp::db::DialectKind::kPostgreSQL || c.TransactionDepth() == 0) return;
  std::string valores;
  for (const bp::Value& v : chave) valores += v.ToText(bp::RegionalSettings::Invariant()) + '\x1f';
  c.Query(fmt::format("SELECT pg_advisory_xact_lock({}, {})", Hash(sql_maior), Hash(valores)));
}

}  // namespace

int32_t ProximoNumero(bp::db::Connection& c, const char* sql_maior,
                      const std::vector<bp::Value>& chave) {
  const bp::db::Recordset rs = c.Query(sql_maior, chave);
  const bool vazio = rs.Eof() || rs.Field(0).IsNull() || rs.Field(0).IsEmpty();
  return (vazio ? 0 : rs.Field(0).ToInt32()) + 1;
}

int32_t InserirNumerado(bp::db::Connection& c, const char* sql_maior,
                        const std::vector<bp::Value>& chave,
                        const std::function<void(int32_t)>& inserir) {
  TravarNumeracao(c, sql_maior, chave);
  int32_t numero = ProximoNumero(c, sql_maior, chave);
  for (int tentativa = 1;; ++tentativa) {
    try {
      inserir(numero);
      return numero;
    } catch (const bp::Erro& e) {
      if (e.number != bp::db::kErroIntegridade || tentativa == kTentativasDeNumero) throw;
      const int32_t seguinte = ProximoNumero(c, sql_maior, chave);
      if (seguinte <= numero) throw;
      numero = seguinte;
    }
  }
}

}  // namespace station
