// Holds the schema that the version steps build against the catalogue, the
// account of the version-500 tables written down by hand apart from the steps
// (catalogue/catalogue.txt): a new version-18 database is walked to the end
// with every step of the library, and both the walk's model and the
// database's own introspection must match every described table.
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "bp/schema/introspect.h"
#include "bp/schema/version_step.h"
#include "steps_445_500_walk.h"
#include "support/step_walk.h"

namespace bp {
namespace {

using testing::Catalogue;
using testing::CatalogueTable;
using testing::TableOrigin;

const CatalogueTable& Described(const std::string& name) {
  for (const auto& table : Catalogue())
    if (SameName(table.name, name)) return table;
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
  const auto cupom15 = std::find_if(cupom.indexes.begin(), cupom.indexes.end(),
                                    [](const auto& i) { return i.name == "CupomFiscal_15"; });
  ASSERT_NE(cupom15, cupom.indexes.end());
  EXPECT_EQ(cupom15->columns, (std::vector<std::string>{"Dt_Emissao", "Vl_TotalLiquido"}));
  EXPECT_EQ(cupom15->include.size(), 45u);
  EXPECT_TRUE(Described("Usuario").indexes.at(0).unique);
  EXPECT_EQ(Described("ItemNotaEntrada").references.at(0),
            (schema::ForeignKey{"Pro_IteNotEnt",
                                {"Cd_PessoaUsuaria", "Cd_ProdutoItem"},
                                "Produto",
                                {"Cd_PessoaUsuaria", "Cd_Produto"}}));
}

// The whole walk: a new station database at version 18 carried by every step
// of the library to the last version, with the driver's model equal to the
// database after each step and both equal to the catalogue at the end.
TEST(LibraryWalk, CarriesANewDatabaseFromVersion18ToTheCatalogue) {
  testing::StepWalkOptions options;
  options.steps = &schema::LibrarySteps();
  testing::StepWalk walk(options);
  walk.To(501);
  EXPECT_EQ(walk.Version(), 501);
  EXPECT_EQ(walk.compared.size(), schema::LibrarySteps().Size());
  ASSERT_NE(walk.Model(), nullptr);
  const schema::Dialect& dialect = schema::DialectFor(walk.Db().Kind());
  EXPECT_EQ(testing::CatalogueDifferences(*walk.Model(), dialect, false), "");
  EXPECT_EQ(testing::CatalogueDifferences(schema::Introspect(walk.Db()), dialect, true), "");

  // The last steps left their seeds.
  EXPECT_EQ(walk.Rows("SELECT COUNT(*) FROM IdentificacaoECF")[0][0].ToInt32(), 55);
  EXPECT_EQ(testing::steps445::StoredLayoutFields(walk, 1),
            testing::steps445::DocumentedLayoutFields());
}

}  // namespace
}  // namespace bp
