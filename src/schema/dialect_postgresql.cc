// PostgreSQL: the base templates as they are, with its own type names, no
// collations, no clustering, "NOT VALID" for unchecked references and at most
// 32 columns per index.
#include <algorithm>

#include <fmt/format.h>

#include "bp/schema/dialect.h"

namespace bp::schema {
namespace {

// PostgreSQL's INDEX_MAX_KEYS: key and included columns together.
constexpr size_t kMaxIndexColumns = 32;

class PostgreSQL final : public Dialect {
 public:
  db::DialectKind Kind() const override { return db::DialectKind::kPostgreSQL; }

  // bit and tinyint become smallint, float(53) is float, nvarchar is
  // varchar, money is numeric(19,4) (and numeric(19,4) reads back as money),
  // collations are dropped.
  ColumnType Kept(const ColumnType& type) const override {
    using K = ColumnType::Kind;
    ColumnType out = type;
    out.collation.clear();
    switch (type.kind) {
      case K::kBit:
      case K::kTinyInt:
        out = SmallInt();
        break;
      case K::kFloat53:
        out = Float();
        break;
      case K::kNVarChar:
        out.kind = K::kVarChar;
        break;
      case K::kNumeric:
        if (type.length == 19 && type.scale == 4) out = MoneyType();
        break;
      default:
        break;
    }
    return out;
  }

 protected:
  // bit is smallint, not boolean: the system's statements write 0 and -1 into
  // bit columns and compare them with numbers, which boolean refuses.
  std::string BareTypeName(const ColumnType& type) const override {
    using K = ColumnType::Kind;
    switch (type.kind) {
      case K::kInt:
        return "integer";
      case K::kSmallInt:
      case K::kTinyInt:
      case K::kBit:
        return "smallint";
      case K::kMoney:
        return "numeric(19,4)";
      case K::kFloat:
      case K::kFloat53:
        return "double precision";
      case K::kReal:
        return "real";
      case K::kNumeric:
        return "numeric(" + std::to_string(type.length) + "," + std::to_string(type.scale) + ")";
      case K::kDateTime:
        return "timestamp";
      case K::kChar:
        return "char(" + std::to_string(type.length) + ")";
      case K::kVarChar:
      case K::kNVarChar:
        return "varchar(" + std::to_string(type.length) + ")";
      case K::kText:
        return "text";
    }
    return "text";
  }
  std::string CollationClause(const std::string&) const override { return {}; }
  // Key columns stay; included columns fill what is left of the 32.
  std::vector<std::string> Included(const Index& index) const override {
    const size_t room =
        index.columns.size() >= kMaxIndexColumns ? 0 : kMaxIndexColumns - index.columns.size();
    std::vector<std::string> out = index.include;
    out.resize(std::min(out.size(), room));
    return out;
  }
  const std::optional<std::string>& OwnText(const DataStatement& op) const override {
    return op.postgresql;
  }
  // A column without a default that existing rows get filled: added with
  // the fill as its default, which PostgreSQL keeps in the catalogue for the
  // rows already there instead of writing each of them, and the default
  // dropped again, so rows added later get none.
  std::vector<std::string> AddColumnSql(const AddColumn& op, const Context& c) const override {
    const Column& column = c.after.Get(op.table).columns.back();
    if (op.fill.empty() || !column.default_value.IsEmpty()) return Dialect::AddColumnSql(op, c);
    return {AddColumnStatement(op.table, column) + " DEFAULT " + op.fill,
            fmt::format("ALTER TABLE {} ALTER COLUMN {} DROP DEFAULT", TableName(op.table),
                        column.name)};
  }
  // A wider text type changes the catalogue only; no row is rewritten. With
  // new values the table is written once, its indexes built afresh, which
  // costs far less than an UPDATE of every row (a new version of each row
  // and of its entry in every index).
  std::vector<std::string> WidenColumnSql(const WidenColumn& op, const Context&) const override {
    std::string sql = fmt::format("ALTER TABLE {} ALTER COLUMN {} TYPE {}", TableName(op.table),
                                  op.column, TypeName(op.type));
    if (!op.rewrite.empty()) sql += " USING " + op.rewrite;
    return {sql};
  }
};

}  // namespace

const Dialect& PostgreSQLDialect() {
  static const PostgreSQL dialect;
  return dialect;
}

}  // namespace bp::schema
