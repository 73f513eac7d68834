#include "support/schema_walk.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include "bp/erro.h"
#include "bp/schema/apply.h"
#include "bp/schema/base_schema.h"
#include "bp/schema/introspect.h"

namespace bp::testing {
namespace {

using namespace bp::schema;

Column Col(std::string name, ColumnType type, Nullability nullability = Nullability::kNull,
           Value default_value = Value(), std::string default_name = {}) {
  return Column{std::move(name), std::move(type), nullability, std::move(default_value),
                std::move(default_name)};
}

ColumnType Collated(ColumnType type, std::string collation) {
  type.collation = std::move(collation);
  return type;
}

class Walk {
 public:
  explicit Walk(db::Connection& db) : db_(db) {}

  // Applies `op` and compares the database with the model.
  void Step(const Operation& op) {
    SCOPED_TRACE(Describe(op));
    try {
      Apply(db_, model_, op);
    } catch (const Erro& e) {
      FAIL() << Describe(op) << ": " << e.description;
    }
    const std::string difference = DifferenceFromDatabase(model_, Introspect(db_), db_.Kind());
    EXPECT_EQ(difference, "") << "after " << Describe(op);
  }

  // The Produto rows as "code|name|price|unit|active" lines, in code order.
  std::vector<std::string> Produtos() {
    std::vector<std::string> out;
    const auto rs = db_.Query(
        "SELECT Cd_Produto, Nm_Produto, Vl_Preco, Cd_Unidade, Ic_Ativo, Dt_Inclusao "
        "FROM Produto ORDER BY Cd_Produto");
    const auto shown = [](const Value& v, auto text) {
      return v.IsNull() ? std::string("null") : text(v);
    };
    for (const auto& row : rs.Rows())
      out.push_back(fmt::format(
          "{}|{}|{}|{}|{}|{}", row[0].ToInt32(), row[1].ToText(),
          shown(row[2], [](const Value& v) { return v.ToMoney().ToSql(); }), row[3].ToText(),
          shown(row[4], [](const Value& v) { return std::string(v.ToBool() ? "1" : "0"); }),
          shown(row[5], [](const Value& v) { return std::to_string(v.ToDate().Year()); })));
    return out;
  }

  Model& model() { return model_; }

 private:
  db::Connection& db_;
  Model model_;
};

Table Empresa() {
  Table t{"Empresa", {}, {}, {}, {}};
  t.columns = {Col("Cd_PessoaUsuaria", Int(), Nullability::kNotNull),
               Col("Nm_Empresa", Collated(VarChar(40), "Latin1_General_CI_AS")),
               Col("Ic_Ativo", Bit(), Nullability::kNotNull, Value(true), "DF_Empresa_Ativo"),
               Col("Vl_Limite", MoneyType(), Nullability::kNotStated, Value(Money::FromRaw(7000)))};
  t.primary_key = PrimaryKey{"XPKEmpresa", {"Cd_PessoaUsuaria"}, true};
  return t;
}

Table Produto() {
  Table t{"Produto", {}, {}, {}, {}};
  t.columns = {
      Col("Cd_PessoaUsuaria", Int(), Nullability::kNotNull),
      Col("Cd_Produto", Int(), Nullability::kNotNull),
      Col("Nm_Produto", VarChar(40)),
      Col("Vl_Preco", MoneyType()),
      Col("Qt_Estoque", Float53()),
      Col("Tx_Icms", Real(), Nullability::kNull, Value(0.5)),
      Col("Dt_Inclusao", DateTimeType(), Nullability::kNull, Value(DateTime::Of(2005, 1, 1))),
      Col("Tp_Produto", TinyInt()),
      Col("No_Ordem", SmallInt(), Nullability::kNull, Value(int32_t{-1})),
      Col("Vl_Fator", Numeric(10, 4)),
      Col("Ds_Observacao", Text()),
      Col("Cd_Unidade", Char(2)),
      Col("Nm_Curto", NVarChar(30), Nullability::kNull, Value("O'Brien"))};
  t.primary_key = PrimaryKey{"XPKProduto", {"Cd_PessoaUsuaria", "Cd_Produto"}, false};
  return t;
}

Table Largo() {
  Table t{"Largo", {}, {}, {}, {}};
  for (int i = 1; i <= 42; ++i) t.columns.push_back(Col(fmt::format("c{:02}", i), Int()));
  return t;
}

}  // namespace

std::vector<Operation> SchemaWalk() {
  std::vector<std::string> included;
  for (int i = 3; i <= 42; ++i) included.push_back(fmt::format("c{:02}", i));
  return {
      CreateTable{Empresa()},
      CreateTable{Produto()},
      SeedRows{"Empresa", {"Cd_PessoaUsuaria", "Nm_Empresa"}, {{1, "Posto Um"}, {2, "Dois"}}},
      SeedRows{
          "Produto",
          {"Cd_PessoaUsuaria", "Cd_Produto", "Nm_Produto", "Vl_Preco", "Dt_Inclusao", "Cd_Unidade"},
          {{1, 10, "Gasolina", Money::FromRaw(58990), DateTime::Of(2020, 2, 29, 13, 5, 7), "LT"},
           {2, 20, "O'Leo", Null{}, Value(), "UN"}}},
      AddForeignKey{"Produto", ForeignKey{"R_1", {"Cd_PessoaUsuaria"}, "Empresa", {}}},
      CreateIndex{"Produto", Index{"XIF1Produto", {"Cd_PessoaUsuaria"}, {}, false, false}},
      CreateIndex{"Produto", Index{"Produto_02",
                                   {"Cd_PessoaUsuaria", "Nm_Produto"},
                                   {"Vl_Preco", "Dt_Inclusao"},
                                   true,
                                   false}},
      AddColumn{"Produto", Col("Ic_Ativo", Bit(), Nullability::kNull, Value(false))},
      AddColumn{"Produto", Col("Qt_Minimo", Int(), Nullability::kNotNull, Value(0))},
      RenameColumn{"Produto", "Nm_Curto", "Nm_Abreviado"},
      RetypeColumn{
          "Produto",
          Col("Cd_Unidade", VarChar(6), Nullability::kNotNull, Value("UN"), "DF_Produto_Unidade"),
          "Cd_Unidade2"},
      DropColumn{"Produto", "Qt_Minimo"},
      DropColumn{"Produto", "Nm_Abreviado"},
      // Empresa is rebuilt on SQLite while Produto's rows reference it.
      RetypeColumn{"Empresa", Col("Nm_Empresa", Collated(VarChar(60), "Latin1_General_CI_AS")), ""},
      CreateTable{
          Table{"Natureza",
                {Col("Cd_Natureza", Int(), Nullability::kNotNull), Col("Nm_Natureza", VarChar(20))},
                PrimaryKey{"XPKNatureza", {"Cd_Natureza"}, false},
                {},
                {}}},
      AddColumn{"Produto", Col("Cd_Natureza", Int())},
      AddForeignKey{"Produto", ForeignKey{"R_2", {"Cd_Natureza"}, "Natureza", {"Cd_Natureza"}},
                    true},
      DropPrimaryKey{"Produto", "XPKProduto"},
      AddPrimaryKey{"Produto", PrimaryKey{"Produto_01", {"Cd_PessoaUsuaria", "Cd_Produto"}, true}},
      DropForeignKey{"Produto", "R_2"},
      DropIndex{"Produto", "XIF1Produto"},
      DataStatement{"UPDATE Produto SET Ic_Ativo = 1 WHERE Ic_Ativo IS NULL", {}, {}, {}},
      // An index wider than PostgreSQL allows keeps its keys and 30 included columns there.
      CreateTable{Largo()},
      CreateIndex{"Largo", Index{"Largo_01", {"c01", "c02"}, included, false, false}},
      DropTable{"Largo"},
  };
}

Model RunSchemaWalk(db::Connection& db) {
  Walk walk(db);
  for (const auto& op : SchemaWalk()) {
    walk.Step(op);
    // A nullable column added with a default leaves the existing rows NULL.
    if (Describe(op) == "AddColumn Produto.Ic_Ativo") {
      EXPECT_EQ(walk.Produtos(), (std::vector<std::string>{"10|Gasolina|5.899|LT|null|2020",
                                                           "20|O'Leo|null|UN|null|null"}));
    }
  }
  EXPECT_EQ(walk.Produtos(),
            (std::vector<std::string>{"10|Gasolina|5.899|LT|1|2020", "20|O'Leo|null|UN|1|null"}));
  return walk.model();
}

void CheckReferencesJudgeExistingRows(db::Connection& db) {
  Model model;
  Apply(db, model,
        CreateTable{Table{"Pai",
                          {Column{"Cd", Int(), Nullability::kNotNull}},
                          PrimaryKey{"XPKPai", {"Cd"}},
                          {},
                          {}}});
  Apply(db, model,
        CreateTable{Table{"Filho", {Column{"Cd", Int()}, Column{"Nm", VarChar(5)}}, {}, {}, {}}});
  Apply(db, model, SeedRows{"Pai", {"Cd"}, {{1}}});
  Apply(db, model, SeedRows{"Filho", {"Cd", "Nm"}, {{1, "a"}, {2, "b"}}});
  const Model before = model;
  db.BeginTrans("passo");
  try {
    Apply(db, model, AddForeignKey{"Filho", ForeignKey{"R_9", {"Cd"}, "Pai", {}}});
    ADD_FAILURE() << "the orphan row of Filho was accepted";
  } catch (const Erro& e) {
    EXPECT_EQ(e.number, static_cast<int32_t>(0x80040E2F)) << e.description;
    // PostgreSQL names it in lower case.
    EXPECT_TRUE(e.description.find("R_9") != std::string::npos ||
                e.description.find("r_9") != std::string::npos)
        << e.description;
  }
  EXPECT_EQ(FirstDifference(before, model), "");
  EXPECT_EQ(DifferenceFromDatabase(model, Introspect(db), db.Kind()), "");
  EXPECT_EQ(db.Query("SELECT * FROM Filho").RecordCount(), 2);
  Apply(db, model, AddForeignKey{"Filho", ForeignKey{"R_9", {"Cd"}, "Pai", {}}, true});
  db.CommitTrans("passo");
  EXPECT_EQ(DifferenceFromDatabase(model, Introspect(db), db.Kind()), "");
  EXPECT_THROW(db.Execute("INSERT INTO Filho (Cd, Nm) VALUES (3, 'c')"), Erro);

  Apply(db, model, CreateTable{Table{"Vazia", {Column{"Cd", Int()}}, {}, {}, {}}});
  Apply(db, model, AddColumn{"Vazia", Column{"Nm", VarChar(3), Nullability::kNotNull}});
  EXPECT_THROW(Apply(db, model, AddColumn{"Filho", Column{"Qt", Int(), Nullability::kNotNull}}),
               Erro);
  EXPECT_EQ(DifferenceFromDatabase(model, Introspect(db), db.Kind()), "");
}

void ExpectBaseSchemaEqualsItsModel(db::Connection& db) {
  Model model;
  db.BeginTrans("BaseSchemaV18");
  for (const auto& op : BaseSchemaV18()) Apply(db, model, op);
  for (const auto& op : SeedV18()) Apply(db, model, op);
  db.CommitTrans("BaseSchemaV18");
  EXPECT_EQ(DifferenceFromDatabase(model, Introspect(db), db.Kind()), "");
  EXPECT_EQ(db.Query("SELECT No_VersaoBD FROM Parametro").Field("No_VersaoBD").ToInt32(), 18);
}

}  // namespace bp::testing
