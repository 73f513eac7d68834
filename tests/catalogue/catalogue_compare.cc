// Compares a model of a version-500 database with the catalogue, table by
// table, in words a failing test can print.
#include <fmt/format.h>
#include <fmt/ranges.h>

#include "catalogue/catalogue.h"

namespace bp::testing {
namespace {

using schema::Nullability;

std::string List(const std::vector<std::string>& names) {
  return "(" + fmt::format("{}", fmt::join(names, ", ")) + ")";
}

std::string NullText(Nullability n) {
  return n == Nullability::kNull      ? "NULL"
         : n == Nullability::kNotNull ? "NOT NULL"
                                      : "unstated nullability";
}

std::string DefaultText(const Value& v) {
  return v.IsEmpty() ? "no default" : "default " + v.ToText();
}

std::string OriginText(const CatalogueTable& t) {
  if (t.origin == TableOrigin::kBase) return "version-18 table";
  const char* how = t.origin == TableOrigin::kCreatedByStep ? "created" : "rebuilt";
  return fmt::format("{} by step {}", how, t.step);
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

// Whole tables: every entry found that the catalogue does not list.
template <class E, class F, class Describe>
void Unexpected(const std::vector<E>& expected, const std::vector<F>& found,
                std::vector<std::string>& out, Describe describe) {
  for (const F& x : found)
    if (!Named(expected, x.name)) out.push_back("unexpected " + describe(x));
}

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
    if (Named(e.columns, c.name)) found_order.push_back(c.name);
  }
  Unexpected(e.columns, a.columns, out, [](const schema::Column& c) {
    return "column " + c.name + " " + schema::CatalogueName(c.type);
  });
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
    const schema::Index* found = Named(a.indexes, i.name);
    if (found == nullptr) {
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
  if (e.Whole())
    Unexpected(e.indexes, a.indexes, out,
               [](const schema::Index& x) { return "index " + x.name + " " + List(x.columns); });
}

void CompareReferences(const CatalogueTable& e, const schema::Table& a,
                       std::vector<std::string>& out) {
  for (const auto& r : e.references) {
    const schema::ForeignKey* found = Named(a.foreign_keys, r.name);
    if (found == nullptr) {
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
  if (e.Whole())
    Unexpected(e.references, a.foreign_keys, out, [](const schema::ForeignKey& x) {
      return "reference " + x.name + " " + List(x.columns) + " -> " + x.ref_table;
    });
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

// The table as a database of `database`'s kind keeps it (its types, no
// clustering, the included columns it can carry ...), through the same
// reading the dialect gives a whole model.
CatalogueTable KeptBy(const schema::Dialect& database, CatalogueTable e) {
  schema::Table t{.name = e.name,
                  .columns = {},
                  .primary_key = e.key,
                  .indexes = e.indexes,
                  .foreign_keys = e.references};
  for (const auto& c : e.columns)
    t.columns.push_back({.name = c.name,
                         .type = c.type,
                         .nullability = c.nullability,
                         .default_value = schema::NormalizeDefault(c.type, c.default_value)});
  schema::Model m;
  m.Put(std::move(t));
  const schema::Model kept_model = database.Kept(m);
  const schema::Table& kept = kept_model.Get(e.name);
  for (size_t i = 0; i < e.columns.size(); ++i) {
    e.columns[i].type = kept.columns[i].type;
    e.columns[i].nullability = kept.columns[i].nullability;
    e.columns[i].default_value = kept.columns[i].default_value;
  }
  e.key = kept.primary_key;
  e.indexes = kept.indexes;
  return e;
}

}  // namespace

std::string CatalogueDifferences(const schema::Model& model, const schema::Dialect& database,
                                 bool introspected) {
  const schema::Model found = introspected ? database.Kept(model) : model;
  std::string report;
  for (const auto& described : Catalogue()) {
    const CatalogueTable table = introspected ? KeptBy(database, described) : described;
    const auto lines = Differences(table, found, database);
    if (lines.empty()) continue;
    report += fmt::format("\n{} ({}):", table.name, OriginText(table));
    for (const auto& line : lines) report += "\n  - " + line;
  }
  for (const auto& name : DroppedTables()) {
    if (found.Find(name) != nullptr) report += "\n" + name + ": should have been dropped";
  }
  return report;
}

}  // namespace bp::testing
