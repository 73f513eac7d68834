// How each dialect renders the schema operations.
#include <fmt/format.h>
#include <fmt/ranges.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "bp/erro.h"
#include "bp/schema/dialect.h"
#include "support/schema_walk.h"
#include "support/test_env.h"

namespace bp::schema {
namespace {

using db::DialectKind;

::testing::AssertionResult Has(const std::string& text, const std::string& part) {
  if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\"" << part << "\" not in:\n" << text;
}

// A parent and a child table without rows: enough for every operation.
Model Base() {
  Model m;
  ColumnType ci = VarChar(40);
  ci.collation = "Latin1_General_CI_AS";
  m.Apply(CreateTable{
      Table{"Empresa",
            {Column{"Cd_PessoaUsuaria", Int(), Nullability::kNotNull}, Column{"Nm_Empresa", ci}},
            PrimaryKey{"XPKEmpresa", {"Cd_PessoaUsuaria"}, true},
            {},
            {}}});
  m.Apply(
      CreateTable{Table{"Produto",
                        {Column{"Cd_PessoaUsuaria", Int(), Nullability::kNotNull},
                         Column{"Cd_Produto", Int(), Nullability::kNotNull},
                         Column{"Qt_Minimo", Int(), Nullability::kNotNull, Value(0)},
                         Column{"Ic_Ativo", Bit(), Nullability::kNotNull, Value(true), "DF_Ativo"},
                         Column{"Qt_Estoque", Float53()}},
                        PrimaryKey{"XPKProduto", {"Cd_PessoaUsuaria", "Cd_Produto"}, false},
                        {Index{"XIF1Produto", {"Cd_Produto"}, {"Qt_Estoque"}, false, false}},
                        {ForeignKey{"R_1", {"Cd_PessoaUsuaria"}, "Empresa", {}}}}});
  return m;
}

// The statements of `op`, joined one per line.
std::string Sql(DialectKind kind, const Operation& op, const Model& before = Base()) {
  return fmt::format("{}", fmt::join(DialectFor(kind).Render(op, before), "\n"));
}

const Column kAtivoNullable{"Ic_Novo", Bit(), Nullability::kNull, Value(false)};
const RetypeColumn kRetype{
    "Produto", Column{"Qt_Minimo", SmallInt(), Nullability::kNotNull, Value(1)}, "Qt_Temp"};

TEST(SchemaRenderTest, TypesAndLiteralsPerDialect) {
  const auto& sqlserver = DialectFor(DialectKind::kSqlServer);
  const auto& postgresql = DialectFor(DialectKind::kPostgreSQL);
  const auto& sqlite = DialectFor(DialectKind::kSQLite);
  ColumnType ci = VarChar(40);
  ci.collation = "SQL_Latin1_General_CP1_CI_AI";
  EXPECT_EQ(sqlserver.TypeName(ci), "varchar(40) COLLATE SQL_Latin1_General_CP1_CI_AI");
  EXPECT_EQ(postgresql.TypeName(ci), "varchar(40)");
  EXPECT_EQ(sqlite.TypeName(ci), "VARCHAR(40) COLLATE NOCASE");
  EXPECT_EQ(postgresql.TypeName(MoneyType()), "numeric(19,4)");
  EXPECT_EQ(postgresql.TypeName(Bit()), "smallint");
  EXPECT_EQ(postgresql.TypeName(DateTimeType()), "timestamp");
  EXPECT_EQ(sqlite.TypeName(Numeric(10, 4)), "NUMERIC(10,4)");

  const DateTime date = DateTime::Of(2020, 2, 29, 13, 5, 7);
  EXPECT_EQ(sqlserver.Literal(Value(date)), "'20200229 13:05:07'");
  EXPECT_EQ(postgresql.Literal(Value(date)), "'2020-02-29 13:05:07'");
  EXPECT_EQ(sqlite.Literal(Value(date)), "'2020-02-29 13:05:07'");
  for (const auto* d : {&sqlserver, &postgresql, &sqlite}) {
    EXPECT_EQ(d->Literal(Value(true)), "1");
    EXPECT_EQ(d->Literal(Value(false)), "0");
    EXPECT_EQ(d->Literal(Value(Money::FromRaw(12345678))), "1234.5678");  // never "1234,5678"
    EXPECT_EQ(d->Literal(Value(0.1)), "0.1");
    EXPECT_EQ(d->Literal(Value("O'Brien")), "'O''Brien'");
    EXPECT_EQ(d->Literal(Value(Null{})), "NULL");
  }
}

TEST(SchemaRenderTest, SqlServerWritesCatalogueClauses) {
  const auto k = DialectKind::kSqlServer;
  const std::string create = Sql(k, CreateTable{Base().Get("Produto")}, [] {
    Model m = Base();
    m.Apply(DropTable{"Produto"});
    return m;
  }());
  EXPECT_TRUE(Has(create, "CREATE TABLE dbo.Produto ("));
  EXPECT_TRUE(Has(create, "Ic_Ativo bit NOT NULL CONSTRAINT DF_Ativo DEFAULT 1,"));
  EXPECT_TRUE(Has(create, "Qt_Estoque float(53),"));
  EXPECT_TRUE(
      Has(create, "CONSTRAINT XPKProduto PRIMARY KEY NONCLUSTERED (Cd_PessoaUsuaria, Cd_Produto)"));
  EXPECT_TRUE(Has(create, "REFERENCES dbo.Empresa (Cd_PessoaUsuaria)\n) ON [PRIMARY]"));
  EXPECT_TRUE(Has(create,
                  "CREATE NONCLUSTERED INDEX XIF1Produto ON dbo.Produto (Cd_Produto) "
                  "INCLUDE (Qt_Estoque) ON [PRIMARY]"));
  EXPECT_TRUE(Has(Sql(k, CreateIndex{"Produto", Index{"I2", {"Qt_Minimo"}, {}, true, true}}),
                  "CREATE UNIQUE CLUSTERED INDEX I2"));
  EXPECT_TRUE(
      Has(Sql(k, AddForeignKey{"Produto", {"R_2", {"Cd_PessoaUsuaria"}, "Empresa", {}}, true}),
          "ALTER TABLE dbo.Produto WITH NOCHECK ADD CONSTRAINT R_2 FOREIGN KEY "
          "(Cd_PessoaUsuaria) REFERENCES dbo.Empresa (Cd_PessoaUsuaria)"));
  EXPECT_EQ(Sql(k, RenameColumn{"Produto", "Qt_Minimo", "Qt_Min"}),
            "EXEC sp_rename 'dbo.Produto.Qt_Minimo', 'Qt_Min', 'COLUMN'");
  EXPECT_EQ(Sql(k, DropIndex{"Produto", "XIF1Produto"}), "DROP INDEX XIF1Produto ON dbo.Produto");
  EXPECT_EQ(Sql(k, DropForeignKey{"Produto", "R_1"}),
            "ALTER TABLE dbo.Produto DROP CONSTRAINT R_1");
  // A nullable column with a default: the server itself leaves old rows NULL.
  EXPECT_EQ(Sql(k, AddColumn{"Produto", kAtivoNullable}),
            "ALTER TABLE dbo.Produto ADD Ic_Novo bit NULL DEFAULT 0");

  // Defaults go before their column: by name, or found in sys.default_constraints.
  EXPECT_EQ(Sql(k, DropColumn{"Produto", "Ic_Ativo"}),
            "ALTER TABLE dbo.Produto DROP CONSTRAINT DF_Ativo\n"
            "ALTER TABLE dbo.Produto DROP COLUMN Ic_Ativo");
  const auto drop = DialectFor(k).Render(DropColumn{"Produto", "Qt_Minimo"}, Base());
  ASSERT_EQ(drop.size(), 2u);
  EXPECT_TRUE(Has(drop[0], "sys.default_constraints"));
  EXPECT_TRUE(Has(drop[0], "COLUMNPROPERTY(OBJECT_ID(N'dbo.Produto'), 'Qt_Minimo', 'ColumnId')"));

  const auto retype = DialectFor(k).Render(kRetype, Base());
  ASSERT_EQ(retype.size(), 7u);
  EXPECT_EQ(retype[0], "ALTER TABLE dbo.Produto ADD Qt_Temp smallint NULL");
  EXPECT_EQ(retype[1], "UPDATE dbo.Produto SET Qt_Temp = CAST(Qt_Minimo AS smallint)");
  EXPECT_TRUE(Has(retype[2], "sys.default_constraints"));
  EXPECT_EQ(retype[3], "ALTER TABLE dbo.Produto DROP COLUMN Qt_Minimo");
  EXPECT_EQ(retype[4], "EXEC sp_rename 'dbo.Produto.Qt_Temp', 'Qt_Minimo', 'COLUMN'");
  EXPECT_EQ(retype[5], "ALTER TABLE dbo.Produto ALTER COLUMN Qt_Minimo smallint NOT NULL");
  EXPECT_EQ(retype[6], "ALTER TABLE dbo.Produto ADD DEFAULT 1 FOR Qt_Minimo");
}

TEST(SchemaRenderTest, RowsAndDataStatementsPerDialect) {
  const SeedRows seed{"Empresa", {"Cd_PessoaUsuaria", "Nm_Empresa"}, {{1, "Um"}, {2, Null{}}}};
  EXPECT_EQ(Sql(DialectKind::kSqlServer, seed),
            "INSERT INTO dbo.Empresa (Cd_PessoaUsuaria, Nm_Empresa) VALUES (1, 'Um')\n"
            "INSERT INTO dbo.Empresa (Cd_PessoaUsuaria, Nm_Empresa) VALUES (2, NULL)");
  const DataStatement data{"UPDATE Empresa SET Nm_Empresa = ''", std::nullopt, "UPDATE pg",
                           "UPDATE dbo.Empresa"};
  EXPECT_EQ(Sql(DialectKind::kSQLite, data), "UPDATE Empresa SET Nm_Empresa = ''");
  EXPECT_EQ(Sql(DialectKind::kPostgreSQL, data), "UPDATE pg");
  EXPECT_EQ(Sql(DialectKind::kSqlServer, data), "UPDATE dbo.Empresa");
  // Rendering checks the operation first, as the model would.
  EXPECT_THROW(Sql(DialectKind::kSQLite, DropColumn{"Produto", "Nada"}), Erro);
}

// Every T-SQL statement of the schema walk parses as T-SQL.
TEST(SchemaRenderTest, EveryTsqlStatementOfTheWalkParses) {
  if (std::system("sqlfluff --version > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "sqlfluff is not installed (scripts/setup installs it): T-SQL not parsed";
  const testing::TestEnv env;
  const std::string script = env.Path("schema_walk.sql");
  const std::string report = env.Path("schema_walk.txt");
  {
    std::ofstream out(script);
    Model model;
    for (const auto& op : testing::SchemaWalk()) {
      for (std::string statement : DialectFor(DialectKind::kSqlServer).Render(op, model)) {
        // sqlfluff 1.4.5 knows "WITH CHECK ADD" but not "WITH NOCHECK ADD",
        // the same clause of ALTER TABLE with the other keyword.
        if (const auto at = statement.find("WITH NOCHECK ADD"); at != std::string::npos)
          statement.replace(at, 12, "WITH CHECK");
        out << statement << "\nGO\n";
      }
      model.Apply(op);
    }
  }
  const int status = std::system(
      fmt::format("sqlfluff parse --dialect tsql '{}' > '{}' 2>&1", script, report).c_str());
  std::ifstream in(report);
  const std::string output((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(status, 0) << output.substr(
      output.find("====") == std::string::npos ? 0 : output.find("===="));
  EXPECT_FALSE(Has(output, "unparsable"));
}

}  // namespace
}  // namespace bp::schema
