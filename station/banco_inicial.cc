#include "station/banco_inicial.h"

#include "bp/erro.h"
#include "bp/schema/apply.h"
#include "bp/schema/base_schema.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "station/transacao.h"

namespace station {

void CriarBancoVersao18(bp::db::Connection& connection, int32_t cd_pessoa_usuaria) {
  bp::schema::Model model = bp::schema::Introspect(connection);
  if (model.Find("Parametro") != nullptr) {
    throw bp::Erro(bp::db::kErroComando,
                   "O banco já tem a tabela Parametro: ele já foi criado (" +
                       connection.Describe() + ")",
                   "station.CriarBancoVersao18");
  }
  bp::schema::SeedOptions seed;
  seed.company = cd_pessoa_usuaria;
  EmTransacao(connection, "CriarBancoVersao18", [&] {
    for (const auto& op : bp::schema::BaseSchemaV18()) bp::schema::Apply(connection, model, op);
    for (const auto& op : bp::schema::SeedV18(seed)) bp::schema::Apply(connection, model, op);
  });
}

int32_t VersaoDoBanco(bp::db::Connection& connection) {
  const bp::db::Recordset rs = connection.Query("SELECT No_VersaoBD FROM Parametro");
  if (rs.Eof()) {
    throw bp::Erro(static_cast<int32_t>(0x80040660),
                   "Não existe registro de controle de versão na tabela de Parametro",
                   "station.VersaoDoBanco");
  }
  return rs.Field(0).ToInt32();
}

}  // namespace station
