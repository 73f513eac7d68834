#include "station/session/numeracao.h"

#include "bp/erro.h"

namespace station {
namespace {

// How often a numbered insert is tried when other station PCs keep taking
// the number first.
constexpr int kTentativasDeNumero = 5;

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
  for (int tentativa = 1;; ++tentativa) {
    const int32_t numero = ProximoNumero(c, sql_maior, chave);
    try {
      inserir(numero);
      return numero;
    } catch (const bp::Erro& e) {
      if (e.number != bp::db::kErroIntegridade || tentativa == kTentativasDeNumero ||
          ProximoNumero(c, sql_maior, chave) <= numero)
        throw;
    }
  }
}

}  // namespace station
