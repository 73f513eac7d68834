// The schema model: replaying operations, refusing what the server refuses,
// and naming the first difference between two models.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "bp/erro.h"
#include "bp/schema/model.h"

namespace bp::schema {
namespace {

Model Base() {
  Model m;
  m.Apply(CreateTable{Table{"Empresa",
                            {Column{"Cd_PessoaUsuaria", Int()}, Column{"Nm_Empresa", VarChar(40)}},
                            PrimaryKey{"XPKEmpresa", {"Cd_PessoaUsuaria"}, true},
                            {},
                            {}}});
  m.Apply(CreateTable{Table{"Produto",
                            {Column{"Cd_PessoaUsuaria", Int(), Nullability::kNotNull},
                             Column{"Cd_Produto", Int(), Nullability::kNotNull},
                             Column{"Qt_Minimo", Int(), Nullability::kNotNull, Value(0)},
                             Column{"Qt_Estoque", Float53()}},
                            PrimaryKey{"XPKProduto", {"Cd_PessoaUsuaria", "Cd_Produto"}},
                            {Index{"XIF1Produto", {"Cd_Produto"}, {"Qt_Estoque"}}},
                            {ForeignKey{"R_1", {"Cd_PessoaUsuaria"}, "EMPRESA", {}}}}});
  return m;
}

TEST(SchemaModelTest, RefusesWhatTheServerRefusesAndStaysUnchanged) {
  const Table x{"X", {Column{"a", Int()}}, PrimaryKey{"XPKEmpresa", {"a"}}, {}, {}};
  const struct {
    Operation op;
    const char* words;
  } cases[] = {
      {CreateTable{Table{"empresa", {Column{"a", Int()}}, {}, {}, {}}},
       "already an object named 'empresa'"},
      {CreateTable{x}, "already an object named 'XPKEmpresa'"},
      {AddColumn{"Produto", Column{"qt_minimo", Int()}},
       "Column name 'qt_minimo' in table 'Produto'"},
      {AddColumn{"Nada", Column{"a", Int()}}, "Invalid object name 'Nada'"},
      {DropColumn{"Produto", "Nada"}, "column 'Nada' does not exist in table 'Produto'"},
      {DropColumn{"Produto", "Qt_Estoque"}, "'XIF1Produto' is dependent on column 'Qt_Estoque'"},
      {DropColumn{"Produto", "Cd_PessoaUsuaria"}, "'XPKProduto' is dependent"},
      {DropColumn{"Empresa", "Cd_PessoaUsuaria"}, "is dependent on column"},
      {RenameColumn{"Produto", "Nada", "Algo"}, "@objname is ambiguous"},
      {RenameColumn{"Produto", "Qt_Minimo", "Qt_Estoque"}, "Column name 'Qt_Estoque'"},
      {RetypeColumn{"Produto", Column{"Cd_Produto", SmallInt()}, ""}, "'XPKProduto' is dependent"},
      {CreateIndex{"Produto", Index{"xif1produto", {"Cd_Produto"}}},
       "'xif1produto' already exists"},
      {CreateIndex{"Empresa", Index{"XIF1Produto", {"Nm_Empresa"}}}, "on table 'Produto'"},
      {CreateIndex{"Empresa", Index{"I", {"Nada"}}}, "Column name 'Nada' does not exist"},
      {CreateIndex{"Empresa", Index{"I", {"Nm_Empresa"}, {}, false, true}},
       "more than one clustered"},
      {CreateIndex{"Empresa", Index{"I", {"Nm_Empresa"}, {"nm_empresa"}}},
       "duplicate column names"},
      {DropIndex{"Empresa", "XIF1Produto"}, "Cannot drop the index 'Empresa.XIF1Produto'"},
      {AddPrimaryKey{"Produto", PrimaryKey{"PK2", {"Cd_Produto"}}}, "already has a primary key"},
      {DropPrimaryKey{"Empresa", "XPKEmpresa"},
       "referenced by table 'Produto', foreign key constraint 'R_1'"},
      {DropPrimaryKey{"Produto", "Outro"}, "'Outro' is not a constraint"},
      {AddForeignKey{"Produto", ForeignKey{"R_2", {"Cd_Produto"}, "Nada", {}}},
       "references invalid table 'Nada'"},
      {AddForeignKey{"Produto", ForeignKey{"R_2", {"Cd_Produto"}, "Empresa", {"Nm_Empresa"}}},
       "no primary or candidate keys in the referenced table 'Empresa'"},
      {AddForeignKey{"Produto", ForeignKey{"R_2", {"Nada"}, "Empresa", {}}},
       "invalid column 'Nada'"},
      {AddForeignKey{"Produto", ForeignKey{"r_1", {"Cd_Produto"}, "Empresa", {}}},
       "object named 'r_1'"},
      {DropForeignKey{"Produto", "R_9"}, "'R_9' is not a constraint"},
      {DropTable{"Empresa"}, "Could not drop object 'Empresa'"},
      {DropTable{"Nada"}, "Cannot drop the table 'Nada'"},
      {SeedRows{"Empresa", {"Nada"}, {}}, "Invalid column name 'Nada'"},
      {SeedRows{"Empresa", {"Cd_PessoaUsuaria"}, {{1, 2}}}, "number of values"},
  };
  for (const auto& c : cases) {
    Model m = Base();
    try {
      m.Apply(c.op);
      ADD_FAILURE() << Describe(c.op) << " was accepted";
    } catch (const Erro& e) {
      EXPECT_EQ(e.number, static_cast<int32_t>(0x80040E14)) << Describe(c.op);
      EXPECT_NE(e.description.find(c.words), std::string::npos)
          << Describe(c.op) << ": " << e.description;
    }
    EXPECT_EQ(FirstDifference(Base(), m), "") << Describe(c.op);
  }
}

TEST(SchemaModelTest, ReplaysChangesAsTheServerLeavesThem) {
  Model m = Base();
  // Key columns become NOT NULL; references name the parent's key columns.
  EXPECT_EQ(m.Get("Empresa").columns[0].nullability, Nullability::kNotNull);
  EXPECT_EQ(m.Get("produto").foreign_keys[0].ref_columns,
            std::vector<std::string>{"Cd_PessoaUsuaria"});

  // A rename reaches the table's key and the references of other tables.
  m.Apply(RenameColumn{"Empresa", "cd_pessoausuaria", "Cd_Empresa"});
  EXPECT_EQ(m.Get("Empresa").primary_key->columns, std::vector<std::string>{"Cd_Empresa"});
  EXPECT_EQ(m.Get("Produto").foreign_keys[0].ref_columns, std::vector<std::string>{"Cd_Empresa"});
  EXPECT_EQ(m.Get("Produto").foreign_keys[0].columns, std::vector<std::string>{"Cd_PessoaUsuaria"});
  m.Apply(RenameColumn{"Produto", "Qt_Estoque", "Qt_Saldo"});
  EXPECT_EQ(m.Get("Produto").indexes[0].include, std::vector<std::string>{"Qt_Saldo"});

  // A re-typed column goes last, with its new type and a default of its kind.
  m.Apply(RetypeColumn{"Produto",
                       Column{"Qt_Minimo", Bit(), Nullability::kNull, Value(int32_t{-1})}, ""});
  const Column& last = m.Get("Produto").columns.back();
  EXPECT_EQ(last.name, "Qt_Minimo");
  EXPECT_EQ(last.type, Bit());
  EXPECT_EQ(last.default_value, Value(true));
  m.Apply(AddColumn{"Produto", Column{"Vl_Preco", MoneyType(), Nullability::kNull, Value("0.7")}});
  EXPECT_EQ(m.Get("Produto").columns.back().default_value, Value(Money::FromRaw(7000)));

  // A unique index may serve a reference, and may not go while it does.
  m.Apply(CreateIndex{"Empresa", Index{"Empresa_02", {"Nm_Empresa"}, {}, true}});
  m.Apply(AddForeignKey{"Produto", ForeignKey{"R_2", {"Qt_Saldo"}, "Empresa", {"Nm_Empresa"}}});
  EXPECT_THROW(m.Apply(DropIndex{"Empresa", "Empresa_02"}), Erro);
  m.Apply(DropForeignKey{"Produto", "R_2"});
  m.Apply(DropIndex{"Empresa", "Empresa_02"});

  // Once no reference uses it, the key may go; its columns stay NOT NULL.
  m.Apply(DropForeignKey{"Produto", "R_1"});
  m.Apply(DropPrimaryKey{"Empresa", "XPKEmpresa"});
  EXPECT_FALSE(m.Get("Empresa").primary_key);
  EXPECT_EQ(m.Get("Empresa").columns[0].nullability, Nullability::kNotNull);
  m.Apply(DropTable{"Empresa"});
  EXPECT_EQ(m.size(), 1u);

  const Model before = m;
  m.Apply(SeedRows{"Produto", {"Cd_Produto"}, {{1}}});
  m.Apply(DataStatement{"DELETE FROM Produto", {}, {}, {}});
  EXPECT_EQ(FirstDifference(before, m), "");
}

TEST(SchemaModelTest, FirstDifferenceNamesWhatDiffers) {
  const Model base = Base();
  // Case of names, order of indexes and unstated nullability do not count.
  Model expected = base;
  expected.Apply(CreateIndex{"Produto", Index{"Produto_02", {"Qt_Minimo"}}});
  Model found;
  for (const Table* t : expected.Tables()) {
    Table copy = *t;
    for (auto& ch : copy.name) ch = static_cast<char>(std::toupper(ch));
    for (auto& c : copy.columns) {
      if (c.nullability == Nullability::kNotStated) c.nullability = Nullability::kNull;
      for (auto& ch : c.name) ch = static_cast<char>(std::tolower(ch));
    }
    std::reverse(copy.indexes.begin(), copy.indexes.end());
    found.Put(copy);
  }
  EXPECT_EQ(FirstDifference(expected, found), "");

  const auto changed = [&](auto change) {
    Model m = base;
    Table t = m.Get("Produto");
    change(t);
    m.Put(t);
    return FirstDifference(base, m);
  };
  EXPECT_EQ(changed([](Table& t) { t.columns[3].type = Float(); }),
            "Produto.Qt_Estoque: type float(53) expected, float found");
  EXPECT_EQ(changed([](Table& t) { t.columns[2].default_value = Value(int32_t{1}); }),
            "Produto.Qt_Minimo: default 0 expected, 1 found");
  EXPECT_EQ(changed([](Table& t) { t.columns.pop_back(); }),
            "Produto: column Qt_Estoque is missing");
  EXPECT_EQ(changed([](Table& t) { t.indexes[0].include.clear(); }),
            "Produto: index XIF1Produto including (Qt_Estoque) expected, () found");
  EXPECT_EQ(changed([](Table& t) { t.foreign_keys.clear(); }), "Produto: reference R_1 is missing");
  EXPECT_EQ(changed([](Table& t) { t.primary_key->clustered = true; }),
            "Produto: primary key XPKProduto should not be clustered");
  Model more = base;
  more.Apply(CreateTable{Table{"Outra", {Column{"a", Int()}}, {}, {}, {}}});
  EXPECT_EQ(FirstDifference(base, more), "unexpected table Outra");
}

}  // namespace
}  // namespace bp::schema
