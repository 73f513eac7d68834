// The reader of the catalogue, the account of the version-500 tables written
// down by hand apart from the steps (catalogue/catalogue.txt), that the whole
// walk of the library's steps is held against (library_walk_test.cc).
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace bp {
namespace {

using testing::Catalogue;
using testing::CatalogueTable;
using testing::TableOrigin;

const CatalogueTable& Described(const std::string& name) {
  if (const CatalogueTable* table = testing::Named(Catalogue(), name)) return *table;
  throw std::runtime_error("no table " + name + " in the catalogue");
}

// Counts taken by hand from the table descriptions, and samples of what the
// walk's comparison does not look at (the steps named, the columns of a
// reference) or would pass over (a base table's entries).
TEST(SchemaCatalogue, ReadsAsWritten) {
  EXPECT_EQ(Catalogue().size(), 90u);
  const auto count = [](TableOrigin origin) {
    return std::count_if(Catalogue().begin(), Catalogue().end(),
                         [&](const auto& t) { return t.origin == origin; });
  };
  EXPECT_EQ(count(TableOrigin::kCreatedByStep), 52);
  EXPECT_EQ(count(TableOrigin::kRebuiltByStep), 4);
  size_t keys = 0, indexes = 0, references = 0;
  for (const auto& t : Catalogue()) {
    keys += t.key ? 1 : 0;
    indexes += t.indexes.size();
    references += t.references.size();
  }
  EXPECT_EQ(keys, 53u);
  EXPECT_EQ(indexes, 154u);
  EXPECT_EQ(references, 120u);
  EXPECT_EQ(testing::DroppedTables(), (std::vector<std::string>{"LanCCFuncionario"}));

  const auto& empresa = Described("EmpresaUsuaria");
  EXPECT_EQ(empresa.columns.size(), 31u);
  EXPECT_EQ(empresa.removed_columns.size(), 23u);
  EXPECT_EQ(empresa.named_columns, (std::vector<std::string>{"Cd_ModeloECF", "Cd_PessoaUsuaria"}));
  const auto& sangria = empresa.columns.at(29);
  EXPECT_EQ(sangria.name, "Ic_FazerSangriaDeDinheiroPorLancamento");
  EXPECT_EQ(sangria.added_by_step, 469);

  const auto& reducao = Described("ReducaoZ");
  EXPECT_EQ(reducao.columns.size(), 109u);
  EXPECT_EQ(reducao.step, 463);
  EXPECT_EQ(Described("ItemNotaEntrada").references.at(0),
            (schema::ForeignKey{"Pro_IteNotEnt",
                                {"Cd_PessoaUsuaria", "Cd_ProdutoItem"},
                                "Produto",
                                {"Cd_PessoaUsuaria", "Cd_Produto"}}));
}

}  // namespace
}  // namespace bp
