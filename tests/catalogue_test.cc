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

// Counts taken by hand from the table descriptions, and samples of every
// kind of entry: a slip of the reader shows here before it muddles the walk.
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
  EXPECT_EQ(sangria.type, schema::Bit());
  EXPECT_EQ(sangria.nullability, schema::Nullability::kNotNull);
  EXPECT_EQ(sangria.default_value, Value(int32_t{0}));
  EXPECT_EQ(sangria.added_by_step, 469);
  EXPECT_EQ(empresa.columns.at(4).nullability, schema::Nullability::kNotStated);

  const auto& reducao = Described("ReducaoZ");
  EXPECT_EQ(reducao.columns.size(), 109u);
  EXPECT_EQ(reducao.step, 463);
  EXPECT_EQ(reducao.key,
            (schema::PrimaryKey{
                "ReducaoZICF_01", {"Cd_PessoaUsuaria", "Dt_Movimento", "No_Impressora"}, true}));
  EXPECT_EQ(Described("GrupoNBM").columns.at(1).type.collation, "Latin1_General_CI_AS");
  EXPECT_EQ(Described("ItemNotaSaida").columns.at(5).type, schema::Float53());

  const auto& cupom = Described("CupomFiscal");
  const schema::Index* cupom15 = testing::Named(cupom.indexes, "CupomFiscal_15");
  ASSERT_NE(cupom15, nullptr);
  EXPECT_EQ(cupom15->columns, (std::vector<std::string>{"Dt_Emissao", "Vl_TotalLiquido"}));
  EXPECT_EQ(cupom15->include.size(), 45u);
  EXPECT_TRUE(Described("Usuario").indexes.at(0).unique);
  EXPECT_EQ(Described("ItemNotaEntrada").references.at(0),
            (schema::ForeignKey{"Pro_IteNotEnt",
                                {"Cd_PessoaUsuaria", "Cd_ProdutoItem"},
                                "Produto",
                                {"Cd_PessoaUsuaria", "Cd_Produto"}}));
}

}  // namespace
}  // namespace bp
