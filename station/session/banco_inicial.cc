#include "station/session/banco_inicial.h"

#include <string>
#include <vector>

#include "bp/erro.h"
#include "bp/schema/apply.h"
#include "bp/schema/base_schema.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "station/session/transacao.h"

namespace station {
namespace {

void CriarTabelas(bp::db::Connection& connection, bp::schema::Model& model, int32_t cd_pessoa_usuaria) {
  bp::schema::SeedOptions seed;
  seed.company = cd_pessoa_usuaria;
  for (const auto& op : bp::schema::BaseSchemaV18()) bp::schema::Apply(connection, model, op);
  for (const auto& op : bp::schema::SeedV18(seed)) bp::schema::Apply(connection, model, op);
}

bool Referida(const bp::schema::Model& model, const bp::schema::Table& table) {
  for (const bp::schema::Table* other : model.Tables()) {
    if (bp::schema::SameName(other->name, table.name)) continue;
    for (const bp::schema::ForeignKey& fk : other->foreign_keys)
      if (bp::schema::SameName(fk.ref_table, table.name)) return true;
  }
  return false;
}

// Tables that nothing else refers to go first; should the references go
// round in a circle, the references of the tables left go before them.
void ApagarTabelas(bp::db::Connection& connection, bp::schema::Model& model) {
  while (model.size() > 0) {
    std::vector<std::string> livres;
    for (const bp::schema::Table* t : model.Tables())
      if (!Referida(model, *t)) livres.push_back(t->name);
    if (livres.empty()) {
      std::vector<bp::schema::DropForeignKey> referencias;
      for (const bp::schema::Table* t : model.Tables())
        for (const bp::schema::ForeignKey& fk : t->foreign_keys) referencias.push_back({t->name, fk.name});
      for (const auto& op : referencias) bp::schema::Apply(connection, model, op);
      continue;
    }
    for (const std::string& nome : livres) bp::schema::Apply(connection, model, bp::schema::DropTable{nome});
  }
}

}  // namespace

void CriarBancoVersao18(bp::db::Connection& connection, int32_t cd_pessoa_usuaria) {
  bp::schema::Model model = bp::schema::Introspect(connection);
  if (model.Find("Parametro") != nullptr) {
    throw bp::Erro(bp::db::kErroComando,
                   "O banco já tem a tabela Parametro: ele já foi criado (" +
                       connection.Describe() + ")",
                   "station.CriarBancoVersao18");
  }
  EmTransacao(connection, "CriarBancoVersao18", [&] { CriarTabelas(connection, model, cd_pessoa_usuaria); });
}

void RecriarBancoVersao18(bp::db::Connection& connection, int32_t cd_pessoa_usuaria) {
  bp::schema::Model model = bp::schema::Introspect(connection);
  EmTransacao(connection, "RecriarBancoVersao18", [&] {
    ApagarTabelas(connection, model);
    CriarTabelas(connection, model, cd_pessoa_usuaria);
  });
}

bool BancoDoPosto(bp::db::Connection& connection) {
  return bp::schema::Introspect(connection).Find("Parametro") != nullptr;
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
