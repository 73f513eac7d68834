// Holds the schema that the version steps build against an account of the
// tables a version-500 station database holds, written down by hand apart
// from the steps (catalogue/). First the account itself is checked for
// slips of transcription; then a new version-18 database is walked to 500
// with the library's steps and every described table is compared with the
// walk's model.
#include "catalogue/catalogue.h"

#include <fmt/format.h>
#include <fmt/ranges.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <exception>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/erro.h"
#include "bp/names.h"
#include "bp/schema/dialect.h"
#include "bp/schema/model.h"
#include "bp/schema/version_step.h"
#include "station/session/banco_inicial.h"
#include "station/session/sessao.h"
#include "support/test_env.h"

namespace bp {
namespace {

using schema::Nullability;
using testing::Catalogue;
using testing::CatalogueColumn;
using testing::CatalogueTable;
using testing::TableOrigin;

const CatalogueTable& Described(const std::string& name) {
  for (const auto& table : Catalogue()) {
    if (SameName(table.name, name)) return table;
  }
  throw std::runtime_error("no table " + name + " in the catalogue");
}

const CatalogueColumn& ColumnOf(const CatalogueTable& table, const std::string& name) {
  for (const auto& column : table.columns) {
    if (SameName(column.name, name)) return column;
  }
  throw std::runtime_error("no column " + table.name + "." + name + " in the catalogue");
}

template <class Pred>
size_t CountTables(Pred pred) {
  return static_cast<size_t>(std::count_if(Catalogue().begin(), Catalogue().end(), pred));
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& n) { return SameName(n, name); });
}

std::string List(const std::vector<std::string>& names) {
  return "(" + fmt::format("{}", fmt::join(names, ", ")) + ")";
}

// ---- The transcription ------------------------------------------------------

// Counts taken by hand from the table descriptions and the list of steps.
TEST(SchemaCatalogue, CountsMatchTheTableDescriptions) {
  EXPECT_EQ(Catalogue().size(), 90u);
  EXPECT_EQ(CountTables([](const auto& t) { return t.origin == TableOrigin::kCreatedByStep; }),
            52u);
  EXPECT_EQ(CountTables([](const auto& t) { return t.origin == TableOrigin::kRebuiltByStep; }), 4u);
  EXPECT_EQ(CountTables(
                [](const auto& t) { return t.origin == TableOrigin::kBase && !t.columns.empty(); }),
            26u);
  size_t added = 0, keys = 0, indexes = 0, references = 0;
  for (const auto& t : Catalogue()) {
    if (t.origin == TableOrigin::kBase) added += t.columns.size();
    keys += t.key ? 1 : 0;
    indexes += t.indexes.size();
    references += t.references.size();
  }
  EXPECT_EQ(added, 180u);
  // Every whole table but the five report work tables has a key; two base
  // tables have theirs re-created by steps.
  EXPECT_EQ(keys, 53u);
  EXPECT_EQ(indexes, 154u);
  EXPECT_EQ(references, 120u);

  EXPECT_EQ(Described("EmpresaUsuaria").columns.size(), 31u);
  EXPECT_EQ(Described("EmpresaUsuaria").removed_columns.size(), 23u);  // 1 + 9 + 12 + 1
  EXPECT_EQ(Described("ECF").columns.size(), 52u);                     // 32 + 8 + 12
  EXPECT_EQ(Described("MapaResumoECF").columns.size(), 16u);
  EXPECT_EQ(Described("ReducaoZ").columns.size(), 109u);  // 22 + 60 + 18 + 9
  EXPECT_EQ(Described("CupomFiscal").named_columns.size(), 42u);
  EXPECT_EQ(Described("Produto").columns.size(), 40u);
  EXPECT_EQ(Described("ItemNotaEntrada").columns.size(), 25u);
}

TEST(SchemaCatalogue, EveryTableOnceAndNoDroppedTable) {
  std::set<std::string> seen;
  for (const auto& t : Catalogue()) {
    std::string lower = t.name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_TRUE(seen.insert(lower).second) << t.name << " described twice";
    EXPECT_FALSE(Contains(testing::DroppedTables(), t.name)) << t.name;
    EXPECT_EQ(t.step == 0, t.origin == TableOrigin::kBase) << t.name;
    if (t.Whole()) {
      EXPECT_TRUE(t.named_columns.empty()) << t.name;
      for (const auto& c : t.columns) {
        EXPECT_TRUE(c.added_by_step == 0 || c.added_by_step >= t.step) << t.name << "." << c.name;
      }
    } else {
      for (const auto& c : t.columns) EXPECT_GT(c.added_by_step, 18) << t.name << "." << c.name;
    }
  }
}

// Keys, indexes and references only name columns the description lists, and
// references only point at described tables or at the tables that the steps
// merely reference.
TEST(SchemaCatalogue, KeysIndexesAndReferencesNameListedColumns) {
  const std::vector<std::string> referenced_only = {
      "Banco", "ConBan", "Fornecedor", "Funcao", "GrupoProduto", "TipoDespesa", "Veiculo"};
  for (const auto& t : Catalogue()) {
    std::vector<std::string> listed = t.named_columns;
    for (const auto& c : t.columns) {
      EXPECT_FALSE(Contains(listed, c.name)) << t.name << "." << c.name << " listed twice";
      listed.push_back(c.name);
    }
    auto check = [&](const std::vector<std::string>& names, const std::string& what) {
      for (const auto& n : names)
        EXPECT_TRUE(Contains(listed, n)) << t.name << " " << what << " " << n;
    };
    if (t.key) check(t.key->columns, t.key->name);
    for (const auto& i : t.indexes) {
      check(i.columns, i.name);
      check(i.include, i.name);
    }
    for (const auto& r : t.references) {
      check(r.columns, r.name);
      const bool known =
          std::any_of(Catalogue().begin(), Catalogue().end(),
                      [&](const auto& o) { return SameName(o.name, r.ref_table); }) ||
          Contains(referenced_only, r.ref_table);
      EXPECT_TRUE(known) << t.name << " " << r.name << " -> " << r.ref_table;
    }
  }
}

TEST(SchemaCatalogue, SampleRowsAsWritten) {
  using schema::ColumnType;
  const auto& sangria =
      ColumnOf(Described("EmpresaUsuaria"), "Ic_FazerSangriaDeDinheiroPorLancamento");
  EXPECT_EQ(sangria.type, schema::Bit());
  EXPECT_EQ(sangria.nullability, Nullability::kNotNull);
  EXPECT_EQ(sangria.default_value, Value(int32_t{0}));
  EXPECT_EQ(sangria.added_by_step, 469);

  const auto& ecf = Described("ECF");
  EXPECT_EQ(ecf.columns[0].name, "Tp_T01");
  EXPECT_EQ(ecf.columns[31].name, "Al_T16");
  EXPECT_EQ(ecf.columns[31].added_by_step, 158);
  EXPECT_EQ(ecf.columns[32].name, "Tp_T17");
  EXPECT_EQ(ecf.columns[32].type, schema::TinyInt());
  EXPECT_EQ(ecf.columns[32].added_by_step, 244);
  EXPECT_EQ(ColumnOf(ecf, "No_Serie").type, schema::VarChar(100));
  EXPECT_EQ(ColumnOf(ecf, "Ic_ImprimirNomeCnpjEnderecoFinalCupom").default_value,
            Value(int32_t{1}));

  const auto& reducao = Described("ReducaoZ");
  EXPECT_EQ(reducao.columns[21].name, "Vl_GTotalFinal");
  EXPECT_EQ(reducao.columns[23].name, "Vl_T01");
  EXPECT_EQ(reducao.columns[81].name, "Al_T20");
  EXPECT_EQ(reducao.columns[82].name, "Vl_IsentasICMS");
  EXPECT_EQ(reducao.columns.back().name, "Ds_VersaoSoftwareBasicoECF");
  EXPECT_EQ(reducao.columns.back().nullability, Nullability::kNotStated);
  EXPECT_EQ(reducao.columns.back().added_by_step, 500);
  EXPECT_EQ(reducao.key,
            (schema::PrimaryKey{
                "ReducaoZICF_01", {"Cd_PessoaUsuaria", "Dt_Movimento", "No_Impressora"}, true}));

  const auto& log = Described("LogDocumentoEmitidoECF");
  EXPECT_EQ(log.columns[9].name, "Dt_Fim");
  EXPECT_EQ(log.columns[9].nullability, Nullability::kNotNull);
  EXPECT_EQ(log.columns[9].added_by_step, 468);

  EXPECT_EQ(ColumnOf(Described("AutomacaoBomba"), "Ic_GerarAbastecimentoDasDiferencasDeEncerrante")
                .default_value,
            Value(int32_t{-1}));
  EXPECT_EQ(ColumnOf(Described("GrupoNBM"), "Nm_GrupoNBM").type.collation, "Latin1_General_CI_AS");
  EXPECT_EQ(ColumnOf(Described("EstoqueConsolidado"), "Qt_Estoque").type, schema::Numeric(10, 3));
  EXPECT_EQ(ColumnOf(Described("ItemNotaSaida"), "Qt_Unidade").type, schema::Float53());
  EXPECT_EQ(ColumnOf(Described("TempRelPagamento1"), "Vl_Pagamento").type, schema::Float());

  const auto& cupom = Described("CupomFiscal");
  const auto cupom15 = std::find_if(cupom.indexes.begin(), cupom.indexes.end(),
                                    [](const auto& i) { return i.name == "CupomFiscal_15"; });
  ASSERT_NE(cupom15, cupom.indexes.end());
  EXPECT_EQ(cupom15->columns, (std::vector<std::string>{"Dt_Emissao", "Vl_TotalLiquido"}));
  EXPECT_EQ(cupom15->include.size(), 45u);
  EXPECT_EQ(cupom15->include.back(), "Id_Empenho");

  EXPECT_TRUE(Described("Usuario").indexes.at(0).unique);
  EXPECT_EQ(Described("ItemNotaEntrada").references.at(0),
            (schema::ForeignKey{"Pro_IteNotEnt",
                                {"Cd_PessoaUsuaria", "Cd_ProdutoItem"},
                                "Produto",
                                {"Cd_PessoaUsuaria", "Cd_Produto"}}));
  EXPECT_EQ(Described("LanCCPessoa").key->name, "LanCCFuncionario_01");
  EXPECT_EQ(Described("TipoCartaoCliente").key->columns,
            (std::vector<std::string>{"Cd_TipoCartao"}));
}

// ---- The comparison ---------------------------------------------------------

std::string NullText(Nullability n) {
  switch (n) {
    case Nullability::kNull:
      return "NULL";
    case Nullability::kNotNull:
      return "NOT NULL";
    case Nullability::kNotStated:
      break;
  }
  return "unstated nullability";
}

std::string DefaultText(const Value& v) {
  if (v.IsEmpty()) return "no default";
  return "default " + v.ToText();
}

std::string OriginText(const CatalogueTable& t) {
  switch (t.origin) {
    case TableOrigin::kCreatedByStep:
      return fmt::format("created by step {}", t.step);
    case TableOrigin::kRebuiltByStep:
      return fmt::format("rebuilt by step {}", t.step);
    case TableOrigin::kBase:
      break;
  }
  return "version-18 table";
}

// What the comparison may rely on. The walk's model starts from the
// version-18 tables as read back from the walk's database, which keeps
// neither float(53) apart from float nor clustering; a step that rebuilds
// such a table from the model carries that reading over. So for the tables rebuilt by a
// step, types are compared as that database keeps them and clustering is
// left out; everything else is compared exactly.
struct Lens {
  const schema::Dialect& database;
  bool rebuilt = false;

  std::string Type(const schema::ColumnType& type) const {
    return schema::CatalogueName(rebuilt ? database.Kept(type) : type);
  }
  bool SameClustering(bool expected, bool found) const { return rebuilt || expected == found; }
};

template <class C>
std::vector<std::string> Names(const std::vector<C>& columns) {
  std::vector<std::string> out;
  for (const auto& c : columns) out.push_back(c.name);
  return out;
}

// The column's type, nullability and default; an added column also says
// which step adds it.
void CompareColumn(const CatalogueColumn& e, const schema::Column& a, const Lens& lens,
                   std::vector<std::string>& out) {
  const std::string where = e.added_by_step
                                ? fmt::format("column {} (step {})", e.name, e.added_by_step)
                                : "column " + e.name;
  if (!SameName(lens.Type(e.type), lens.Type(a.type)))
    out.push_back(fmt::format("{}: type {} expected, {} found", where,
                              schema::CatalogueName(e.type), schema::CatalogueName(a.type)));
  if (e.nullability != a.nullability)
    out.push_back(fmt::format("{}: {} expected, {} found", where, NullText(e.nullability),
                              NullText(a.nullability)));
  const Value expected_default = schema::NormalizeDefault(e.type, e.default_value);
  const Value found_default = schema::NormalizeDefault(a.type, a.default_value);
  if (!(expected_default == found_default))
    out.push_back(fmt::format("{}: {} expected, {} found", where, DefaultText(expected_default),
                              DefaultText(found_default)));
}

void CompareColumns(const CatalogueTable& e, const schema::Table& a, const Lens& lens,
                    std::vector<std::string>& out) {
  std::vector<std::string> expected_order, found_order;
  for (const auto& c : e.columns) {
    const schema::Column* found = schema::FindColumn(a, c.name);
    if (found == nullptr) {
      out.push_back(fmt::format("column {}{} missing", c.name,
                                c.added_by_step ? fmt::format(" (step {})", c.added_by_step) : ""));
      continue;
    }
    expected_order.push_back(c.name);
    CompareColumn(c, *found, lens, out);
  }
  for (const auto& name : e.named_columns) {
    if (schema::FindColumn(a, name) == nullptr) out.push_back("column " + name + " missing");
  }
  for (const auto& name : e.removed_columns) {
    if (schema::FindColumn(a, name) != nullptr)
      out.push_back("column " + name + " should have been removed");
  }
  if (!e.Whole()) return;
  for (const auto& c : a.columns) {
    if (std::none_of(e.columns.begin(), e.columns.end(),
                     [&](const auto& x) { return SameName(x.name, c.name); })) {
      out.push_back("unexpected column " + c.name + " " + schema::CatalogueName(c.type));
    } else {
      found_order.push_back(c.name);
    }
  }
  if (!schema::SameNames(expected_order, found_order))
    out.push_back("columns in order " + List(Names(e.columns)) + " expected, " +
                  List(Names(a.columns)) + " found");
}

void CompareKey(const CatalogueTable& e, const schema::Table& a, const Lens& lens,
                std::vector<std::string>& out) {
  if (!e.key) {
    if (e.Whole() && a.primary_key) out.push_back("unexpected primary key " + a.primary_key->name);
    return;
  }
  const auto& k = *e.key;
  if (!a.primary_key) {
    out.push_back("primary key " + k.name + " missing");
    return;
  }
  if (!SameName(k.name, a.primary_key->name) ||
      !schema::SameNames(k.columns, a.primary_key->columns))
    out.push_back(fmt::format("primary key {} {} expected, {} {} found", k.name, List(k.columns),
                              a.primary_key->name, List(a.primary_key->columns)));
  if (!lens.SameClustering(k.clustered, a.primary_key->clustered))
    out.push_back(fmt::format("primary key {}: {} expected", k.name,
                              k.clustered ? "clustered" : "non-clustered"));
}

void CompareIndexes(const CatalogueTable& e, const schema::Table& a, const Lens& lens,
                    std::vector<std::string>& out) {
  for (const auto& i : e.indexes) {
    const auto found = std::find_if(a.indexes.begin(), a.indexes.end(),
                                    [&](const auto& x) { return SameName(x.name, i.name); });
    if (found == a.indexes.end()) {
      out.push_back("index " + i.name + " " + List(i.columns) + " missing");
      continue;
    }
    if (!schema::SameNames(i.columns, found->columns))
      out.push_back(fmt::format("index {}: columns {} expected, {} found", i.name, List(i.columns),
                                List(found->columns)));
    if (!schema::SameNames(i.include, found->include))
      out.push_back(fmt::format("index {}: included columns {} expected, {} found", i.name,
                                List(i.include), List(found->include)));
    if (i.unique != found->unique)
      out.push_back(
          fmt::format("index {}: {} expected", i.name, i.unique ? "unique" : "not unique"));
    if (!lens.SameClustering(i.clustered, found->clustered))
      out.push_back(fmt::format("index {}: {} expected", i.name,
                                i.clustered ? "clustered" : "non-clustered"));
  }
  if (!e.Whole()) return;
  for (const auto& x : a.indexes) {
    if (std::none_of(e.indexes.begin(), e.indexes.end(),
                     [&](const auto& i) { return SameName(i.name, x.name); }))
      out.push_back("unexpected index " + x.name + " " + List(x.columns));
  }
}

void CompareReferences(const CatalogueTable& e, const schema::Table& a,
                       std::vector<std::string>& out) {
  for (const auto& r : e.references) {
    const auto found = std::find_if(a.foreign_keys.begin(), a.foreign_keys.end(),
                                    [&](const auto& x) { return SameName(x.name, r.name); });
    if (found == a.foreign_keys.end()) {
      out.push_back("reference " + r.name + " " + List(r.columns) + " -> " + r.ref_table +
                    " missing");
      continue;
    }
    if (!schema::SameNames(r.columns, found->columns) || !SameName(r.ref_table, found->ref_table))
      out.push_back(fmt::format("reference {}: {} -> {} expected, {} -> {} found", r.name,
                                List(r.columns), r.ref_table, List(found->columns),
                                found->ref_table));
    if (!r.ref_columns.empty() && !schema::SameNames(r.ref_columns, found->ref_columns))
      out.push_back(fmt::format("reference {}: referenced columns {} expected, {} found", r.name,
                                List(r.ref_columns), List(found->ref_columns)));
  }
  if (!e.Whole()) return;
  for (const auto& x : a.foreign_keys) {
    if (std::none_of(e.references.begin(), e.references.end(),
                     [&](const auto& r) { return SameName(r.name, x.name); }))
      out.push_back("unexpected reference " + x.name + " " + List(x.columns) + " -> " +
                    x.ref_table);
  }
}

std::vector<std::string> Differences(const CatalogueTable& e, const schema::Model& model,
                                     const schema::Dialect& database) {
  const schema::Table* a = model.Find(e.name);
  if (a == nullptr) return {"table missing"};
  const Lens lens{database, e.origin == TableOrigin::kRebuiltByStep};
  std::vector<std::string> out;
  CompareColumns(e, *a, lens, out);
  CompareKey(e, *a, lens, out);
  CompareIndexes(e, *a, lens, out);
  CompareReferences(e, *a, out);
  return out;
}

// A new version-18 station database walked with the library's steps.
struct Walk {
  std::unique_ptr<schema::Model> model;  // the driver's model where the walk ended
  db::DialectKind kind = db::DialectKind::kSQLite;
  int32_t version = 0;  // the version the database was left at
  std::string failure;  // why the walk stopped short; empty when it did not
};

Walk WalkTo(int32_t target, const testing::TestEnv& env) {
  station::Configuracao config(env.Path("posto.db"));
  auto session = std::make_shared<station::Sessao>(config);
  db::Connection& db = session->Dal().Conexao();
  station::CriarBancoVersao18(db, config.cd_pessoa_usuaria);

  BPAtualizarBancoDeDados driver;
  driver.SetObBOSistema(session);
  driver.SetSteps(&schema::LibrarySteps());
  driver.SetTargetVersion(target);
  int32_t last_step = 0;
  driver.SetTurnObserver([&](int32_t, int32_t, int32_t step) {
    if (step != 0) last_step = step;
  });

  Walk walk;
  walk.kind = db.Kind();
  try {
    driver.Atualizar(false);
  } catch (const Erro& e) {
    walk.failure = fmt::format("error {:#010x}: {} (source: {})", static_cast<uint32_t>(e.number),
                               e.description, e.source);
  } catch (const std::exception& e) {
    walk.failure = std::string("exception: ") + e.what();
  }
  walk.version = station::VersaoDoBanco(db);
  if (walk.failure.empty() && walk.version != target)
    walk.failure = fmt::format("The walk from version 18 to {} ended without error at version {}",
                               target, walk.version);
  else if (!walk.failure.empty())
    walk.failure = fmt::format(
        "The walk from version 18 to {} stopped at version {} (the turn to version {} failed; "
        "the last step completed was {}): {}",
        target, walk.version, walk.version + 1, last_step, walk.failure);
  if (driver.CurrentModel() != nullptr)
    walk.model = std::make_unique<schema::Model>(*driver.CurrentModel());
  return walk;
}

TEST(SchemaCatalogue, CatalogueMatchesTheModelAtVersion500) {
  testing::TestEnv env;
  const Walk walk = WalkTo(500, env);
  ASSERT_TRUE(walk.failure.empty()) << walk.failure;
  ASSERT_NE(walk.model, nullptr) << "the walk ran no step";

  std::string report;
  size_t differing = 0;
  for (const auto& table : Catalogue()) {
    const auto lines = Differences(table, *walk.model, schema::DialectFor(walk.kind));
    if (lines.empty()) continue;
    ++differing;
    report += fmt::format("\n{} ({}):", table.name, OriginText(table));
    for (const auto& line : lines) report += "\n  - " + line;
  }
  for (const auto& name : testing::DroppedTables()) {
    if (walk.model->Find(name) != nullptr) {
      ++differing;
      report += "\n" + name + ": should have been dropped";
    }
  }
  EXPECT_EQ(differing, 0u) << differing << " of the " << Catalogue().size()
                           << " described tables differ from the model at version 500:" << report;
}

}  // namespace
}  // namespace bp
