#include "support/row_by_row.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/erro.h"
#include "bp/format.h"
#include "schema/steps/correction_rows.h"
#include "station/seed/gerador.h"
#include "station/session/banco_inicial.h"
#include "station/session/sessao.h"
#include "station/stock/recalculo_estoque.h"
#include "support/test_env.h"

namespace bp::testing {

namespace {

// Which statement the row-by-row form of a step wrote out as text, and how
// it wrote each value: texts quoted, or bare (a number the step had
// formatted itself).
struct Paste {
  std::string statement;  // a part of the statement's text; "" for none
  bool bare_texts = false;
};

Paste& PasteMode() {
  static Paste mode;
  return mode;
}

std::string Literal(const Value& v) {
  if (v.Type() == ValueType::kString && PasteMode().bare_texts) return v.ToText();
  if (v.Type() == ValueType::kString) return schema::correction::Text(v);
  return schema::correction::Number(v);
}

// The statement with its "?" marks replaced by the literals of `values`.
std::string Pasted(const std::string& sql, const std::vector<Value>& values) {
  std::string text;
  size_t used = 0;
  for (char ch : sql) {
    if (ch == '?') {
      text += Literal(values.at(used++));
    } else {
      text += ch;
    }
  }
  return text;
}

// A step as it ran before: the library's body, each row's statements
// written out as text.
schema::Step AsText(int32_t number, Paste mode) {
  const schema::Step* library = schema::LibrarySteps().Find(number - 1);
  schema::StepBody body = library->body;
  return schema::Step{number, library->tolerance, [body, mode](schema::StepContext& c) {
                        PasteMode() = mode;
                        try {
                          body(c);
                        } catch (...) {
                          PasteMode() = {};
                          throw;
                        }
                        PasteMode() = {};
                      }};
}

}  // namespace

int64_t OneByOneConnection::Execute(std::string_view sql, const std::vector<Value>& params) {
  if (closed_at && *closed_at == with_values) {
    closed_at.reset();
    RaiseRuntime(rt::kObjectClosed);
  }
  ++with_values;
  const std::string& pasted = PasteMode().statement;
  if (pasted.empty() || sql.find(pasted) == std::string_view::npos)
    return real_.Execute(sql, params);
  return real_.Execute(Pasted(std::string(sql), params));
}

std::unique_ptr<host::BORecalculoEstoque> OneByOneHost::CriarRecalculoEstoque() {
  return std::make_unique<station::RecalculoEstoque>(*this);
}

const schema::StepTable& RowByRowSteps() {
  static const schema::StepTable steps = [] {
    schema::StepTable t = schema::LibrarySteps();
    t.Add(AsText(48, {"SET    Nm_Doc = ?", false}));
    t.Add(AsText(66, {"SET    Vl_Unitario = ?", true}));
    return t;
  }();
  return steps;
}

std::string TableDifference(db::Connection& a, db::Connection& b, const std::string& table) {
  const int32_t columns = a.Query("SELECT * FROM " + table + " WHERE 1 = 0").FieldCount();
  std::string order;
  for (int32_t i = 1; i <= columns; ++i) order += (i > 1 ? ", " : "") + std::to_string(i);
  const std::string sql = "SELECT * FROM " + table + " ORDER BY " + order;
  const auto ra = a.Query(sql).Rows();
  const auto rb = b.Query(sql).Rows();
  if (ra.size() != rb.size())
    return table + ": " + std::to_string(ra.size()) + " rows against " + std::to_string(rb.size());
  for (size_t r = 0; r < ra.size(); ++r) {
    for (size_t col = 0; col < ra[r].size(); ++col) {
      if (ra[r][col] == rb[r][col]) continue;
      return table + " row " + std::to_string(r) + " column " + std::to_string(col) + ": " +
             ra[r][col].ToText(RegionalSettings::Invariant()) + " against " +
             rb[r][col].ToText(RegionalSettings::Invariant());
    }
  }
  return "";
}

void ExpectExecuteEachActsAsExecute(db::Connection& c) {
  c.Execute("CREATE TABLE t (id int PRIMARY KEY, s varchar(8))");
  c.Execute("CREATE TABLE u (id int PRIMARY KEY)");
  const std::vector<std::string> statements{"INSERT INTO t (id, s) VALUES (?, ?)",
                                            "INSERT INTO u (id) VALUES (?)"};
  std::vector<std::vector<Value>> rows;
  for (int32_t i = 0; i < 2500; ++i)
    rows.push_back({Value(i), Value("r" + std::to_string(i)), Value(i)});
  const auto counts = [&] {
    return std::to_string(c.Query("SELECT COUNT(*) FROM t").Field(0).ToInt32()) + "/" +
           std::to_string(c.Query("SELECT COUNT(*) FROM u").Field(0).ToInt32());
  };
  // Row 1700 (in the second run of rows) breaks u's key: its first
  // statement stays done, as a separate Execute would leave it.
  rows[1700][2] = Value(5);
  c.BeginTrans("each");
  size_t next = 0;
  try {
    db::ExecuteEach(c, statements, rows, next);
    ADD_FAILURE() << "no failure";
  } catch (const Erro& e) {
    EXPECT_EQ(e.number, db::kErroIntegridade);
  }
  EXPECT_EQ(next, 1700u);
  EXPECT_EQ(counts(), "1701/1700");
  next = 1701;  // the transaction goes on past the failed row
  db::ExecuteEach(c, statements, rows, next);
  EXPECT_EQ(next, 2500u);
  EXPECT_EQ(counts(), "2500/2499");
  c.RollbackTrans("each");

  // Outside a transaction each row stands on its own, and a row with the
  // wrong number of values is refused before anything runs.
  rows[1700][2] = Value(1700);
  rows[30][2] = Value(5);
  next = 0;
  EXPECT_THROW(db::ExecuteEach(c, statements, rows, next), Erro);
  EXPECT_EQ(next, 30u);
  EXPECT_EQ(counts(), "31/30");
  next = 0;
  EXPECT_THROW(db::ExecuteEach(c, statements, {{Value(9000)}}, next), Erro);
  EXPECT_EQ(counts(), "31/30");
  EXPECT_EQ(c.TransactionDepth(), 0);
}

void ExpectFasterStepsEqualRowByRow(const std::string& fast, const std::string& reference) {
  TestEnv env;
  station::OpcoesGerador o;
  o.dias = 40;
  o.cupons_dia = 25;
  o.produtos = 14;
  o.clientes = 12;
  o.semente = 16;
  for (const std::string& target : {fast, reference}) {
    auto c = db::Connection::Open(target);
    station::CriarBancoVersao18(*c, o.cd_pessoa_usuaria);
    station::GerarMovimento(*c, o);
  }
  auto a = std::make_shared<station::Sessao>(station::Configuracao{fast});
  station::Sessao b(station::Configuracao{reference});
  auto one_by_one = std::make_shared<OneByOneHost>(b);
  one_by_one->connection.closed_at = 40;  // inside step 48
  BPAtualizarBancoDeDados faster, row_by_row;
  faster.SetObBOSistema(a);
  row_by_row.SetObBOSistema(one_by_one);
  row_by_row.SetSteps(&RowByRowSteps());

  const std::map<int32_t, std::vector<std::string>> touched = {
      {48, {"Cardex"}},
      {66, {"Cardex", "ItemNotaEntrada", "Produto"}},
      {67, {"Cardex", "Produto"}},
      {106, {"Cardex", "ItemNotaSaida", "Produto"}},
      {107, {"Cardex", "Produto"}}};
  auto& da = a->Dal().Conexao();
  auto& db = b.Dal().Conexao();
  const auto count = [&](const std::string& sql) { return da.Query(sql).Field(0).ToInt32(); };
  const int32_t cardex = count("SELECT COUNT(*) FROM Cardex");
  for (const auto& [step, tables] : touched) {
    for (BPAtualizarBancoDeDados* driver : {&faster, &row_by_row}) {
      driver->SetTargetVersion(step);
      driver->Atualizar(false);
    }
    ASSERT_EQ(station::VersaoDoBanco(da), step);
    ASSERT_EQ(station::VersaoDoBanco(db), step);
    for (const std::string& table : tables)
      EXPECT_EQ(TableDifference(da, db, table), "") << "after step " << step;
  }
  // The corrections had rows to change: coupon documents named, movements
  // of billing invoices removed.
  EXPECT_GT(count("SELECT COUNT(*) FROM Cardex WHERE Nm_Doc LIKE 'CF-%'"), 100);
  EXPECT_LT(count("SELECT COUNT(*) FROM Cardex"), cardex);
  EXPECT_EQ(env.sleeps, std::vector<int32_t>{1000});
}

}  // namespace bp::testing
