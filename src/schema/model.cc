#include "bp/names.h"
#include "bp/schema/model.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <optional>

#include "bp/erro.h"
#include "schema/invariant.h"

namespace bp::schema {
namespace {

constexpr int32_t kErroComando = static_cast<int32_t>(0x80040E14);

// The server's words for each refusal.
constexpr const char* kObjectExists = "There is already an object named '{}' in the database.";
constexpr const char* kColumnExists =
    "Column names in each table must be unique. Column name '{}' in table '{}' is specified "
    "more than once.";
constexpr const char* kNoTable = "Invalid object name '{}'.";
constexpr const char* kNoColumn = "Invalid column name '{}'.";
constexpr const char* kNoColumns = "Table '{}' must have at least one column.";
constexpr const char* kDropTableMissing =
    "Cannot drop the table '{}', because it does not exist or you do not have permission.";
constexpr const char* kTableReferenced =
    "Could not drop object '{}' because it is referenced by a FOREIGN KEY constraint.";
constexpr const char* kDropColumnMissing =
    "ALTER TABLE DROP COLUMN failed because column '{}' does not exist in table '{}'.";
constexpr const char* kColumnInUse =
    "The object '{}' is dependent on column '{}'. ALTER TABLE DROP COLUMN {} failed because "
    "one or more objects access this column.";
constexpr const char* kOnlyColumn =
    "ALTER TABLE DROP COLUMN failed because '{}' is the only data column in table '{}'. A table "
    "must have at least one data column.";
constexpr const char* kRenameMissing =
    "Either the parameter @objname is ambiguous or the claimed @objtype (COLUMN) is wrong.";
constexpr const char* kKeyColumnMissing =
    "Column name '{}' does not exist in the target table or view.";
constexpr const char* kDuplicateKeyColumn =
    "Cannot use duplicate column names in index. Column name '{}' listed more than once.";
constexpr const char* kIndexExists =
    "The operation failed because an index or statistics with name '{}' already exists on "
    "table '{}'.";
constexpr const char* kDropIndexMissing =
    "Cannot drop the index '{}.{}', because it does not exist or you do not have permission.";
constexpr const char* kIndexEnforcesReference =
    "An explicit DROP INDEX is not allowed on index '{}.{}'. It is being used for FOREIGN KEY "
    "constraint enforcement.";
constexpr const char* kSecondClustered =
    "Cannot create more than one clustered index on table '{}'. Drop the existing clustered "
    "index '{}' before creating another.";
constexpr const char* kHasPrimaryKey = "Table '{}' already has a primary key defined on it.";
constexpr const char* kNotAConstraint = "'{}' is not a constraint. Could not drop constraint.";
constexpr const char* kKeyReferenced =
    "The constraint '{}' is being referenced by table '{}', foreign key constraint '{}'.";
constexpr const char* kBadRefTable = "Foreign key '{}' references invalid table '{}'.";
constexpr const char* kBadFkColumn =
    "Foreign key '{}' references invalid column '{}' in referencing table '{}'.";
constexpr const char* kBadRefColumn =
    "Foreign key '{}' references invalid column '{}' in referenced table '{}'.";
constexpr const char* kFkWidth =
    "Number of referencing columns in foreign key differs from number of referenced columns, "
    "table '{}'.";
constexpr const char* kNoCandidateKey =
    "There are no primary or candidate keys in the referenced table '{}' that match the "
    "referencing column list in the foreign key '{}'.";
constexpr const char* kValuesWidth =
    "The number of values in the VALUES clause must match the number of columns specified in "
    "the INSERT statement.";

template <class... Args>
[[noreturn]] void Refuse(fmt::format_string<Args...> text, Args&&... args) {
  throw Erro(kErroComando, fmt::format(text, std::forward<Args>(args)...));
}

using bp::Overloaded;

std::string Lower(std::string_view name) {
  std::string out(name);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool Contains(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(), [&](const auto& n) { return SameName(n, name); });
}

// The same names in any order.
bool SameSet(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  if (a.size() != b.size()) return false;
  return std::all_of(a.begin(), a.end(), [&](const auto& n) { return Contains(b, n); });
}

void Rename(std::vector<std::string>& names, std::string_view from, const std::string& to) {
  for (auto& n : names)
    if (SameName(n, from)) n = to;
}

const Index* FindIndex(const Table& table, std::string_view name) {
  for (const auto& index : table.indexes)
    if (SameName(index.name, name)) return &index;
  return nullptr;
}

// Checks a key's or index's column list: every column exists, none repeats.
void CheckKeyColumns(const Table& table, const std::vector<std::string>& columns) {
  for (size_t i = 0; i < columns.size(); ++i) {
    if (!FindColumn(table, columns[i])) Refuse(kKeyColumnMissing, columns[i]);
    for (size_t j = 0; j < i; ++j)
      if (SameName(columns[i], columns[j])) Refuse(kDuplicateKeyColumn, columns[i]);
  }
}

// The clustered key or index of a table, if any.
std::optional<std::string> ClusteredName(const Table& table) {
  if (table.primary_key && table.primary_key->clustered) return table.primary_key->name;
  for (const auto& index : table.indexes)
    if (index.clustered) return index.name;
  return std::nullopt;
}

void MarkNotNull(Table& table, const std::vector<std::string>& columns) {
  for (auto& column : table.columns)
    if (Contains(columns, column.name)) column.nullability = Nullability::kNotNull;
}

}  // namespace

bool SameNames(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](const auto& x, const auto& y) { return SameName(x, y); });
}

const Column* FindColumn(const Table& table, std::string_view name) {
  for (const auto& column : table.columns)
    if (SameName(column.name, name)) return &column;
  return nullptr;
}

std::string CatalogueName(const ColumnType& type) {
  using K = ColumnType::Kind;
  std::string name;
  switch (type.kind) {
    case K::kInt:
      name = "int";
      break;
    case K::kSmallInt:
      name = "smallint";
      break;
    case K::kTinyInt:
      name = "tinyint";
      break;
    case K::kBit:
      name = "bit";
      break;
    case K::kMoney:
      name = "money";
      break;
    case K::kFloat:
      name = "float";
      break;
    case K::kFloat53:
      name = "float(53)";
      break;
    case K::kReal:
      name = "real";
      break;
    case K::kNumeric:
      name = fmt::format("numeric({},{})", type.length, type.scale);
      break;
    case K::kDateTime:
      name = "datetime";
      break;
    case K::kChar:
      name = fmt::format("char({})", type.length);
      break;
    case K::kVarChar:
      name = fmt::format("varchar({})", type.length);
      break;
    case K::kNVarChar:
      name = fmt::format("nvarchar({})", type.length);
      break;
    case K::kText:
      name = "text";
      break;
  }
  if (!type.collation.empty()) name += " COLLATE " + type.collation;
  return name;
}

Value NormalizeDefault(const ColumnType& type, const Value& value) {
  using K = ColumnType::Kind;
  if (value.IsEmpty() || value.IsNull()) return Value();
  switch (type.kind) {
    case K::kInt:
      return Value(static_cast<int32_t>(invariant::Number(value)));
    case K::kSmallInt:
      return Value(static_cast<int16_t>(invariant::Number(value)));
    case K::kTinyInt:
      return Value(static_cast<uint8_t>(invariant::Number(value)));
    case K::kBit:
      return Value(invariant::Number(value) != 0);
    case K::kMoney:
    case K::kNumeric:
      return Value(invariant::ToMoney(value));
    case K::kFloat:
    case K::kFloat53:
    case K::kReal:
      return Value(invariant::Number(value));
    case K::kDateTime:
      return Value(invariant::ToDate(value));
    case K::kChar:
    case K::kVarChar:
    case K::kNVarChar:
    case K::kText:
      return Value(invariant::Text(value));
  }
  return value;
}

// ---- Model ----------------------------------------------------------------

const Table* Model::Find(std::string_view table) const {
  const auto it = tables_.find(Lower(table));
  return it == tables_.end() ? nullptr : &it->second;
}

const Table& Model::Get(std::string_view table) const {
  const Table* found = Find(table);
  if (!found) Refuse(kNoTable, table);
  return *found;
}

std::vector<const Table*> Model::Tables() const {
  std::vector<const Table*> out;
  for (const auto& [key, table] : tables_) out.push_back(&table);
  return out;
}

void Model::Put(Table table) {
  std::string key = Lower(table.name);
  tables_[key] = std::move(table);
}

namespace {

// The checks and changes of one operation, made on a copy of the model so a
// refusal half-way leaves the original as it was.
class Replay {
 public:
  explicit Replay(std::map<std::string, Table>& tables) : tables_(tables) {}

  const Table* Find(std::string_view name) const {
    const auto it = tables_.find(Lower(name));
    return it == tables_.end() ? nullptr : &it->second;
  }
  Table& Mutable(std::string_view name) {
    const auto it = tables_.find(Lower(name));
    if (it == tables_.end()) Refuse(kNoTable, name);
    return it->second;
  }

  // Raises when `name` is already the name of any object of the database.
  void CheckFreeName(std::string_view name) const {
    for (const auto& [key, table] : tables_) {
      bool taken = SameName(table.name, name) ||
                   (table.primary_key && SameName(table.primary_key->name, name));
      for (const auto& fk : table.foreign_keys) taken = taken || SameName(fk.name, name);
      for (const auto& column : table.columns)
        taken = taken || (!column.default_name.empty() && SameName(column.default_name, name));
      if (FindIndex(table, name)) Refuse(kIndexExists, name, table.name);
      if (taken) Refuse(kObjectExists, name);
    }
  }

  void CheckNewColumn(const Table& table, const Column& column) const {
    if (FindColumn(table, column.name)) Refuse(kColumnExists, column.name, table.name);
    if (!column.default_name.empty()) CheckFreeName(column.default_name);
  }

  // Checks a reference of `table` and returns it with the referenced columns
  // filled in.
  ForeignKey Resolve(const Table& table, ForeignKey fk) const {
    for (const auto& c : fk.columns)
      if (!FindColumn(table, c)) Refuse(kBadFkColumn, fk.name, c, table.name);
    const Table* target = Find(fk.ref_table);
    if (!target) Refuse(kBadRefTable, fk.name, fk.ref_table);
    if (fk.ref_columns.empty()) {
      if (!target->primary_key) Refuse(kNoCandidateKey, target->name, fk.name);
      fk.ref_columns = target->primary_key->columns;
    }
    for (const auto& c : fk.ref_columns)
      if (!FindColumn(*target, c)) Refuse(kBadRefColumn, fk.name, c, target->name);
    if (fk.columns.size() != fk.ref_columns.size()) Refuse(kFkWidth, table.name);
    bool candidate = target->primary_key && SameSet(target->primary_key->columns, fk.ref_columns);
    for (const auto& index : target->indexes)
      candidate = candidate || (index.unique && SameSet(index.columns, fk.ref_columns));
    if (!candidate) Refuse(kNoCandidateKey, target->name, fk.name);
    return fk;
  }

  // The first reference of any table to `table` on exactly these columns.
  std::optional<std::pair<std::string, std::string>> ReferenceOn(
      const Table& table, const std::vector<std::string>& columns) const {
    for (const auto& [key, other] : tables_)
      for (const auto& fk : other.foreign_keys)
        if (SameName(fk.ref_table, table.name) && SameSet(fk.ref_columns, columns))
          return std::pair{other.name, fk.name};
    return std::nullopt;
  }

  // Raises when some key, index or reference of `table`, or a reference of
  // another table, uses `column`.
  void CheckUnused(const Table& table, std::string_view column) const {
    const auto refuse = [&](const std::string& object) {
      Refuse(kColumnInUse, object, column, column);
    };
    if (table.primary_key && Contains(table.primary_key->columns, column))
      refuse(table.primary_key->name);
    for (const auto& index : table.indexes)
      if (Contains(index.columns, column) || Contains(index.include, column)) refuse(index.name);
    for (const auto& fk : table.foreign_keys)
      if (Contains(fk.columns, column)) refuse(fk.name);
    for (const auto& [key, other] : tables_)
      for (const auto& fk : other.foreign_keys)
        if (SameName(fk.ref_table, table.name) && Contains(fk.ref_columns, column)) refuse(fk.name);
  }

  // The table goes in with its columns and key first; its indexes and
  // references then follow the rules of CreateIndex and AddForeignKey.
  void operator()(const CreateTable& op) {
    CheckFreeName(op.table.name);
    Table table = op.table;
    table.indexes.clear();
    table.foreign_keys.clear();
    if (table.columns.empty()) Refuse(kNoColumns, table.name);
    for (size_t i = 0; i < table.columns.size(); ++i) {
      for (size_t j = 0; j < i; ++j)
        if (SameName(table.columns[i].name, table.columns[j].name))
          Refuse(kColumnExists, table.columns[i].name, table.name);
      table.columns[i].default_value =
          NormalizeDefault(table.columns[i].type, table.columns[i].default_value);
      if (!table.columns[i].default_name.empty()) CheckFreeName(table.columns[i].default_name);
    }
    if (table.primary_key) {
      CheckFreeName(table.primary_key->name);
      if (SameName(table.primary_key->name, table.name)) Refuse(kObjectExists, table.name);
      CheckKeyColumns(table, table.primary_key->columns);
      MarkNotNull(table, table.primary_key->columns);
    }
    tables_[Lower(table.name)] = std::move(table);
    for (const auto& index : op.table.indexes) (*this)(CreateIndex{op.table.name, index});
    for (const auto& fk : op.table.foreign_keys) (*this)(AddForeignKey{op.table.name, fk, false});
  }

  void operator()(const DropTable& op) {
    const Table* table = Find(op.table);
    if (!table) Refuse(kDropTableMissing, op.table);
    for (const auto& [key, other] : tables_)
      for (const auto& fk : other.foreign_keys)
        if (SameName(fk.ref_table, table->name) && !SameName(other.name, table->name))
          Refuse(kTableReferenced, table->name);
    tables_.erase(Lower(op.table));
  }

  void operator()(const AddColumn& op) {
    Table& table = Mutable(op.table);
    CheckNewColumn(table, op.column);
    Column column = op.column;
    column.default_value = NormalizeDefault(column.type, column.default_value);
    table.columns.push_back(std::move(column));
  }

  void operator()(const DropColumn& op) {
    Table& table = Mutable(op.table);
    if (!FindColumn(table, op.column)) Refuse(kDropColumnMissing, op.column, table.name);
    CheckUnused(table, op.column);
    if (table.columns.size() == 1) Refuse(kOnlyColumn, op.column, table.name);
    std::erase_if(table.columns, [&](const Column& c) { return SameName(c.name, op.column); });
  }

  void operator()(const RenameColumn& op) {
    Table& table = Mutable(op.table);
    if (!FindColumn(table, op.from)) Refuse(kRenameMissing);
    if (!SameName(op.from, op.to) && FindColumn(table, op.to))
      Refuse(kColumnExists, op.to, table.name);
    for (auto& column : table.columns)
      if (SameName(column.name, op.from)) column.name = op.to;
    if (table.primary_key) Rename(table.primary_key->columns, op.from, op.to);
    for (auto& index : table.indexes) {
      Rename(index.columns, op.from, op.to);
      Rename(index.include, op.from, op.to);
    }
    for (auto& fk : table.foreign_keys) Rename(fk.columns, op.from, op.to);
    for (auto& [key, other] : tables_)
      for (auto& fk : other.foreign_keys)
        if (SameName(fk.ref_table, table.name)) Rename(fk.ref_columns, op.from, op.to);
  }

  void operator()(const RetypeColumn& op) {
    Table& table = Mutable(op.table);
    const std::string temporary =
        op.temporary_name.empty() ? op.column.name + "_Temp" : op.temporary_name;
    const Column* old = FindColumn(table, op.column.name);
    if (!old) Refuse(kNoColumn, op.column.name);
    if (FindColumn(table, temporary)) Refuse(kColumnExists, temporary, table.name);
    CheckUnused(table, op.column.name);
    if (!op.column.default_name.empty() && !SameName(op.column.default_name, old->default_name))
      CheckFreeName(op.column.default_name);
    Column column = op.column;
    column.name = old->name;
    column.default_value = NormalizeDefault(column.type, column.default_value);
    std::erase_if(table.columns, [&](const Column& c) { return SameName(c.name, op.column.name); });
    table.columns.push_back(std::move(column));
  }

  void operator()(const WidenColumn& op) {
    Table& table = Mutable(op.table);
    Column* column = nullptr;
    for (auto& c : table.columns)
      if (SameName(c.name, op.column)) column = &c;
    if (!column) Refuse(kNoColumn, op.column);
    column->type = op.type;
  }

  void operator()(const CreateIndex& op) { AddIndex(Mutable(op.table), op.index); }

  void operator()(const DropIndex& op) {
    Table& table = Mutable(op.table);
    const Index* index = FindIndex(table, op.index);
    if (!index) Refuse(kDropIndexMissing, table.name, op.index);
    const bool key_serves =
        table.primary_key && SameSet(table.primary_key->columns, index->columns);
    if (index->unique && !key_serves && ReferenceOn(table, index->columns))
      Refuse(kIndexEnforcesReference, table.name, index->name);
    std::erase_if(table.indexes, [&](const Index& i) { return SameName(i.name, op.index); });
  }

  void operator()(const AddPrimaryKey& op) {
    Table& table = Mutable(op.table);
    if (table.primary_key) Refuse(kHasPrimaryKey, table.name);
    CheckFreeName(op.key.name);
    CheckKeyColumns(table, op.key.columns);
    if (const auto clustered = ClusteredName(table); op.key.clustered && clustered)
      Refuse(kSecondClustered, table.name, *clustered);
    table.primary_key = op.key;
    MarkNotNull(table, op.key.columns);
  }

  void operator()(const DropPrimaryKey& op) {
    Table& table = Mutable(op.table);
    if (!table.primary_key || !SameName(table.primary_key->name, op.name))
      Refuse(kNotAConstraint, op.name);
    if (const auto user = ReferenceOn(table, table.primary_key->columns))
      Refuse(kKeyReferenced, op.name, user->first, user->second);
    table.primary_key.reset();
  }

  void operator()(const AddForeignKey& op) {
    Table& table = Mutable(op.table);
    CheckFreeName(op.key.name);
    table.foreign_keys.push_back(Resolve(table, op.key));
  }

  void operator()(const DropForeignKey& op) {
    Table& table = Mutable(op.table);
    const auto before = table.foreign_keys.size();
    std::erase_if(table.foreign_keys,
                  [&](const ForeignKey& fk) { return SameName(fk.name, op.name); });
    if (table.foreign_keys.size() == before) Refuse(kNotAConstraint, op.name);
  }

  void operator()(const SeedRows& op) {
    const Table& table = Mutable(op.table);
    for (const auto& c : op.columns)
      if (!FindColumn(table, c)) Refuse(kNoColumn, c);
    for (const auto& row : op.rows)
      if (row.size() != op.columns.size()) Refuse(kValuesWidth);
  }

  void operator()(const DataStatement&) {}

 private:
  void AddIndex(Table& table, const Index& index) {
    if (FindIndex(table, index.name)) Refuse(kIndexExists, index.name, table.name);
    CheckFreeName(index.name);
    std::vector<std::string> all = index.columns;
    all.insert(all.end(), index.include.begin(), index.include.end());
    CheckKeyColumns(table, all);
    if (const auto clustered = ClusteredName(table); index.clustered && clustered)
      Refuse(kSecondClustered, table.name, *clustered);
    table.indexes.push_back(index);
  }

  std::map<std::string, Table>& tables_;
};

}  // namespace

void Model::Apply(const Operation& op) {
  Model next = *this;
  Replay replay(next.tables_);
  std::visit(replay, op);
  *this = std::move(next);
}

}  // namespace bp::schema
