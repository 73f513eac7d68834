// Pieces shared by the version steps 73 to 133: short ways to write columns,
// keys, indexes and references, the row-by-row loop that survives a closed
// connection, the stock recomputation of a list of products, the
// re-creation of a column through a temporary column and the re-creation of
// a table's key, indexes and references.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bp/schema/shorthands.h"
#include "bp/schema/operations.h"
#include "bp/schema/version_step.h"

namespace bp::schema::s073 {

// Shapes shared by every step (bp/schema/shorthands.h).
using bp::schema::NotNull;
using bp::schema::Nullable;
using bp::schema::Unstated;
using bp::schema::Idx;
using bp::schema::Ref;
using bp::schema::NewTable;
using bp::schema::Sql;
using bp::schema::Data;

// ---- Shapes ----------------------------------------------------------------





// ---- Row-by-row work -----------------------------------------------------

// Calls `each` for the rows 0 .. count - 1 in order. When the connection
// turns out closed (error 3704) the step pauses, begins work again and
// resumes at the row that failed; rows already done are not repeated.
void ForEachRowRetrying(StepContext& c, size_t count, const std::function<void(size_t)>& each);

// A product whose stock card is rebuilt, with the text of its progress line
// ("" when the correction shows no progress window).
struct ProdutoARecalcular {
  int32_t cd_pessoa_usuaria = 0;
  int32_t cd_produto = 0;
  std::string progresso;
};

// Rebuilds the stock card of each product from 1 January 2005 through the
// host's stock recomputation, one product after the other, surviving a
// closed connection as ForEachRowRetrying does. When the products carry
// progress texts a progress window shows each text and the share of
// products done. Nothing is created for an empty list.
void RecalcularEstoqueDesde2005(StepContext& c, const std::vector<ProdutoARecalcular>& produtos);

// ---- Schema walks ---------------------------------------------------------

// Re-creates `column` of `table` with a new shape, keeping its values: adds
// `temporary` with the column's present type (nullable), copies the values
// into it, drops the column, adds it again as `column`, copies the values
// back and drops `temporary`. The values come back through `copy_back`, an
// expression over the temporary column; by default a CAST to the new type.
void RecreateThroughTemporaryColumn(StepContext& c, const std::string& table, const Column& column,
                                    const std::string& temporary,
                                    std::optional<std::string> copy_back = std::nullopt);

// Drops the references, the indexes and the primary key of `table` by name
// and creates them again as given: key, indexes, references. Meant for the
// steps that skip failing statements, where a key that another table relies
// on stays as it is.
void RecreateKeysIndexesAndReferences(StepContext& c, const std::string& table,
                                      const std::optional<PrimaryKey>& key,
                                      const std::vector<Index>& indexes,
                                      const std::vector<ForeignKey>& references);

// ---- The steps, by file ----------------------------------------------------

void AddSteps073To097(StepTable& t);
void AddSteps106To117(StepTable& t);
void AddSteps120To124(StepTable& t);
void AddSteps125To133(StepTable& t);

}  // namespace bp::schema::s073
