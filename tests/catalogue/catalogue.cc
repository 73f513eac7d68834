// Reads catalogue.txt (its format is described at the top of the file).
#include "catalogue/catalogue.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "bp/schema/introspect.h"

namespace bp::testing {
namespace {

struct Reader {
  std::vector<CatalogueTable> tables;
  std::vector<std::string> dropped;
  std::istringstream words;
  int line_number = 0;

  [[noreturn]] void Fail(const std::string& what) const {
    throw std::runtime_error("catalogue.txt line " + std::to_string(line_number) + ": " + what);
  }
  std::string Word() {
    std::string w;
    if (!(words >> w)) Fail("a word is missing");
    return w;
  }
  int32_t Number() {
    const std::string w = Word();
    try {
      return std::stoi(w);
    } catch (const std::exception&) {
      Fail("a number expected, " + w + " found");
    }
  }
  // "(A,B,C)"
  std::vector<std::string> List() {
    const std::string w = Word();
    if (w.size() < 2 || w.front() != '(' || w.back() != ')')
      Fail("a list expected, " + w + " found");
    std::vector<std::string> names;
    std::istringstream parts(w.substr(1, w.size() - 2));
    for (std::string name; std::getline(parts, name, ',');) names.push_back(name);
    return names;
  }
  // Only the types as the catalogue writes them: anything else is a slip.
  schema::ColumnType Type() {
    const std::string w = Word();
    const schema::ColumnType type = w == "float(53)" ? schema::Float53() : schema::ReadTypeName(w);
    if (schema::CatalogueName(type) != w) Fail("unknown type " + w);
    return type;
  }
  CatalogueTable& Table() {
    if (tables.empty()) Fail("no table yet");
    return tables.back();
  }

  void ReadTable() {
    CatalogueTable t{.name = Word()};
    const std::string origin = Word();
    if (origin == "created") {
      t.origin = TableOrigin::kCreatedByStep;
    } else if (origin == "rebuilt") {
      t.origin = TableOrigin::kRebuiltByStep;
    } else if (origin != "base") {
      Fail("created, rebuilt or base expected, " + origin + " found");
    }
    if (t.Whole()) t.step = Number();
    tables.push_back(std::move(t));
  }

  void ReadColumn() {
    CatalogueColumn c{.name = Word(), .type = Type()};
    for (std::string w; words >> w;) {
      if (w == "null") {
        c.nullability = schema::Nullability::kNull;
      } else if (w == "not-null") {
        c.nullability = schema::Nullability::kNotNull;
      } else if (w == "unstated") {
        c.nullability = schema::Nullability::kNotStated;
      } else if (w == "collate") {
        c.type.collation = Word();
      } else if (w == "step") {
        c.added_by_step = Number();
      } else if (w == "default") {
        c.default_value = Value(Number());
      } else {
        Fail("unknown column attribute " + w);
      }
    }
    Table().columns.push_back(std::move(c));
  }

  void ReadIndex() {
    schema::Index i{.name = Word(), .columns = List()};
    for (std::string w; words >> w;) {
      if (w == "include") {
        i.include = List();
      } else if (w == "unique") {
        i.unique = true;
      } else if (w == "clustered") {
        i.clustered = true;
      } else {
        Fail("unknown index attribute " + w);
      }
    }
    Table().indexes.push_back(std::move(i));
  }

  void ReadLine(const std::string& line) {
    words = std::istringstream(line);
    std::string kind;
    if (!(words >> kind) || kind.front() == '#') return;
    if (kind == "table") {
      ReadTable();
    } else if (kind == "column") {
      ReadColumn();
    } else if (kind == "present") {
      Table().named_columns = List();
    } else if (kind == "removed") {
      Table().removed_columns = List();
    } else if (kind == "key") {
      schema::PrimaryKey k{.name = Word(), .columns = List()};
      if (std::string w; words >> w) {
        if (w != "clustered") Fail("unknown key attribute " + w);
        k.clustered = true;
      }
      Table().key = std::move(k);
    } else if (kind == "index") {
      ReadIndex();
    } else if (kind == "reference") {
      schema::ForeignKey r{.name = Word(), .columns = List(), .ref_table = Word()};
      if (words >> std::ws && words.peek() == '(') r.ref_columns = List();
      Table().references.push_back(std::move(r));
    } else if (kind == "dropped") {
      dropped.push_back(Word());
    } else {
      Fail("unknown line kind " + kind);
    }
    if (std::string rest; words >> rest) Fail("unexpected " + rest);
  }
};

const Reader& Read() {
  static const Reader reader = [] {
    std::ifstream file(BP_CATALOGUE_FILE);
    if (!file) throw std::runtime_error("cannot open " BP_CATALOGUE_FILE);
    Reader r;
    for (std::string line; std::getline(file, line);) {
      ++r.line_number;
      r.ReadLine(line);
    }
    return r;
  }();
  return reader;
}

}  // namespace

const std::vector<CatalogueTable>& Catalogue() { return Read().tables; }
const std::vector<std::string>& DroppedTables() { return Read().dropped; }

}  // namespace bp::testing
