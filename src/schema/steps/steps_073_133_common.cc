#include "schema/steps/steps_073_133_common.h"

#include <memory>
#include <utility>

#include "bp/andamento.h"
#include "bp/datetime.h"
#include "bp/db/connection.h"
#include "bp/erro.h"
#include "bp/host/bo_estoque.h"
#include "bp/schema/dialect.h"
#include "bp/schema/model.h"
#include "schema/steps/steps.h"

namespace bp::schema {

void AddSteps073To133(StepTable& t) {
  s073::AddSteps073To097(t);
  s073::AddSteps106To117(t);
  s073::AddSteps120To124(t);
  s073::AddSteps125To133(t);
}

namespace s073 {

void ForEachRowRetrying(StepContext& c, size_t count, const std::function<void(size_t)>& each) {
  size_t next = 0;
  c.RetryAfterClosedConnection([&] {
    for (; next < count; ++next) each(next);
  });
}

void RecalcularEstoqueDesde2005(StepContext& c, const std::vector<ProdutoARecalcular>& produtos) {
  if (produtos.empty()) return;
  std::unique_ptr<host::BORecalculoEstoque> recalculo = c.Session().CriarRecalculoEstoque();
  std::unique_ptr<Andamento> andamento;
  if (!produtos.front().progresso.empty()) andamento = c.OpenProgress(produtos.front().progresso);
  const DateTime inicio = DateTime::Of(2005, 1, 1);
  const auto total = static_cast<int32_t>(produtos.size());
  ForEachRowRetrying(c, produtos.size(), [&](size_t i) {
    const ProdutoARecalcular& p = produtos[i];
    if (andamento) {
      andamento->SetAcao(p.progresso);
      andamento->MostrarLinha(static_cast<int32_t>(i) + 1, total);
    }
    // A product whose card cannot be rebuilt does not stop these steps; the
    // next recomputation of that product repairs it.
    (void)recalculo->Recalcular(p.cd_pessoa_usuaria, p.cd_produto, inicio);
  });
}

namespace {

// The copy-back statement that converts the temporary column's values to
// the column's new type, written for each database.
DataStatement CastBack(const std::string& table, const Column& column,
                       const std::string& temporary) {
  ColumnType bare = column.type;
  bare.collation.clear();  // a CAST names the type alone
  auto text = [&](db::DialectKind kind) {
    return "UPDATE " + table + " SET " + column.name + " = CAST(" + temporary + " AS " +
           DialectFor(kind).TypeName(bare) + ")";
  };
  const std::string sqlserver = text(db::DialectKind::kSqlServer);
  return DataStatement{sqlserver, text(db::DialectKind::kSQLite),
                       text(db::DialectKind::kPostgreSQL), sqlserver};
}

}  // namespace

void RecreateThroughTemporaryColumn(StepContext& c, const std::string& table, const Column& column,
                                    const std::string& temporary,
                                    std::optional<std::string> copy_back) {
  const Column* present = FindColumn(c.CurrentModel().Get(table), column.name);
  if (present == nullptr) {
    throw Erro(db::kErroComando, "Invalid column name '" + column.name + "'.");
  }
  const ColumnType old_type = present->type;
  c.Run(AddColumn{table, Nullable(temporary, old_type)});
  c.Run(Data("UPDATE " + table + " SET " + temporary + " = " + column.name));
  c.Run(DropColumn{table, column.name});
  c.Run(AddColumn{table, column});
  if (copy_back) {
    c.Run(Data("UPDATE " + table + " SET " + column.name + " = " + *copy_back));
  } else {
    c.Run(CastBack(table, column, temporary));
  }
  c.Run(DropColumn{table, temporary});
}

void RecreateKeysIndexesAndReferences(StepContext& c, const std::string& table,
                                      const std::optional<PrimaryKey>& key,
                                      const std::vector<Index>& indexes,
                                      const std::vector<ForeignKey>& references) {
  std::vector<Operation> ops;
  for (const ForeignKey& fk : references) ops.push_back(DropForeignKey{table, fk.name});
  for (const Index& index : indexes) ops.push_back(DropIndex{table, index.name});
  if (key) {
    ops.push_back(DropPrimaryKey{table, key->name});
    ops.push_back(AddPrimaryKey{table, *key});
  }
  for (const Index& index : indexes) ops.push_back(CreateIndex{table, index});
  for (const ForeignKey& fk : references) ops.push_back(AddForeignKey{table, fk});
  c.RunTogether(table, ops);
}

}  // namespace s073
}  // namespace bp::schema
