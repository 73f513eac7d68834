#include "support/row_by_row.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/db/execute_each.h"
#include "bp/erro.h"
#include "bp/format.h"
#include "bp/schema/introspect.h"
#include "schema/steps/correction_rows.h"
#include "station/seed/gerador.h"
#include "station/session/banco_inicial.h"
#include "station/session/sessao.h"
#include "station/stock/recalculo_estoque.h"
#include "support/db_checks.h"
#include "support/recording_session.h"
#include "support/test_env.h"

namespace bp::testing {

namespace {

// The part of the statement text whose row-by-row form had its values
// written in ("" for none). Texts that read as numbers were numbers the step
// had formatted itself, written bare; other texts were quoted.
std::string& Pasted() {
  static std::string statement;
  return statement;
}

std::string Literal(const Value& v) {
  if (v.Type() != ValueType::kString) return schema::correction::Number(v);
  const std::string text = v.ToText();
  char* end = nullptr;
  std::strtod(text.c_str(), &end);
  const bool number = !text.empty() && *end == '\0';
  return number ? text : schema::correction::Text(v);
}

// The statement with its "?" marks replaced by the literals of `values`.
std::string WithValues(const std::string& sql, const std::vector<Value>& values) {
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
schema::Step AsText(int32_t number, std::string statement) {
  const schema::Step* library = schema::LibrarySteps().Find(number - 1);
  schema::StepBody body = library->body;
  return schema::Step{number, library->tolerance, [body, statement](schema::StepContext& c) {
                        Pasted() = statement;
                        body(c);
                        Pasted().clear();
                      }};
}

// Step 21 as it ran before: each of the three tables rebuilt whole into its
// new shape (every row copied out and back, the references to the products
// dropped and re-created), then the codes lengthened.
schema::Step RebuiltStep21() {
  return schema::Step{21, schema::Tolerance::kNone, [](schema::StepContext& c) {
                        c.Run(schema::AddColumn{"EmpresaUsuaria",
                                                {"Vl_DespesaBoleta", schema::MoneyType(),
                                                 schema::Nullability::kNull}});
                        const auto widen = [](schema::Table& table) {
                          for (auto& column : table.columns)
                            if (column.name == "No_SitTributaria") column.type = schema::VarChar(3);
                        };
                        for (const char* table : {"ItemNotaSaida", "ItemCupomFiscal", "Produto"})
                          schema::correction::RebuildTable(c, table, widen);
                        for (const char* table : {"Produto", "ItemNotaSaida", "ItemCupomFiscal"}) {
                          c.Run(schema::correction::Statement(
                              std::string("UPDATE ") + table +
                              " SET No_SitTributaria = No_SitTributaria || '0'"));
                        }
                      }};
}

// Step 48 as it ran before: one statement per coupon item, in the
// selection's order, each naming the card rows of the item's code.
schema::Step RowByRowStep48() {
  return schema::Step{48, schema::Tolerance::kNone, [](schema::StepContext& c) {
                        using schema::correction::Number;
                        db::Recordset items = c.Query(
                            "SELECT No_Impressora, No_CupomFiscal, No_Item, Cd_LancamentoCardex "
                            "FROM ItemCupomFiscal");
                        schema::correction::ForEachRow(c, items, {}, [&](const db::Recordset& r) {
                          if (r["Cd_LancamentoCardex"].IsNull()) return;
                          c.Execute("UPDATE Cardex SET Nm_Doc = 'CF-" + Number(r["No_Impressora"]) +
                                    "-" + Number(r["No_CupomFiscal"]) + "-" +
                                    Number(r["No_Item"]) + "' WHERE Cd_LancamentoCardex = " +
                                    Number(r["Cd_LancamentoCardex"]));
                        });
                      }};
}

// Step 52 as it ran before: the column added, then every fuelling updated.
schema::Step UpdatedStep52() {
  return schema::Step{52, schema::Tolerance::kNone, [](schema::StepContext& c) {
                        c.Run(schema::AddColumn{"Abastecimento",
                                                {"Ic_Afericao", schema::Bit(),
                                                 schema::Nullability::kNull}});
                        c.Run(schema::correction::Statement(
                            "UPDATE Abastecimento SET Ic_Afericao = 0"));
                      }};
}

// Not one of the library's own connections, so db::ExecuteEach runs one
// Execute per statement and row through it; the statement with values
// counted `closed_at` raises 3704 once instead of running.
class OneByOne final : public db::Connection {
 public:
  explicit OneByOne(db::Connection& real) : real_(real) {}
  std::optional<size_t> closed_at;

  int64_t Execute(std::string_view sql, const std::vector<Value>& params) override {
    if (closed_at && (*closed_at)-- == 0) {
      closed_at.reset();
      RaiseRuntime(rt::kObjectClosed);
    }
    if (Pasted().empty() || sql.find(Pasted()) == std::string_view::npos)
      return real_.Execute(sql, params);
    return real_.Execute(WithValues(std::string(sql), params));
  }
  db::DialectKind Kind() const override { return real_.Kind(); }
  bool IsOpen() const override { return real_.IsOpen(); }
  void Close() override { real_.Close(); }
  void Reopen() override { real_.Reopen(); }
  bool IsUsable() override { return real_.IsUsable(); }
  int64_t Execute(std::string_view sql) override { return real_.Execute(sql); }
  db::Recordset Query(std::string_view sql) override { return real_.Query(sql); }
  db::Recordset Query(std::string_view sql, const std::vector<Value>& p) override {
    return real_.Query(sql, p);
  }
  void BeginTrans(std::string_view name) override { real_.BeginTrans(name); }
  void CommitTrans(std::string_view name) override { real_.CommitTrans(name); }
  void RollbackTrans(std::string_view name) override { real_.RollbackTrans(name); }
  int32_t TransactionDepth() const override { return real_.TransactionDepth(); }
  void Savepoint(std::string_view name) override { real_.Savepoint(name); }
  void ReleaseSavepoint(std::string_view name) override { real_.ReleaseSavepoint(name); }
  void RollbackToSavepoint(std::string_view name) override { real_.RollbackToSavepoint(name); }
  int32_t ConnectionTimeout() const override { return real_.ConnectionTimeout(); }
  void SetConnectionTimeout(int32_t s) override { real_.SetConnectionTimeout(s); }
  int32_t CommandTimeout() const override { return real_.CommandTimeout(); }
  void SetCommandTimeout(int32_t s) override { real_.SetCommandTimeout(s); }
  std::string DateLiteral(DateTime date) const override { return real_.DateLiteral(date); }
  std::string Quote(std::string_view text) const override { return real_.Quote(text); }
  std::string Describe() const override { return real_.Describe(); }

 private:
  db::Connection& real_;
};

// A session over `real` whose steps and stock recomputation use OneByOne.
class OneByOneHost final : public RecordingSession {
 public:
  explicit OneByOneHost(host::BOSistema& real)
      : RecordingSession(real), connection(real.ObDAL().Conexao()) {}
  OneByOne connection;
  db::Connection& Conexao() override { return connection; }
  std::unique_ptr<host::BORecalculoEstoque> CriarRecalculoEstoque() override {
    return std::make_unique<station::RecalculoEstoque>(*this);
  }
};

// The library's steps, with those that wrote values into their statements
// in their row-by-row form.
const schema::StepTable& RowByRowSteps() {
  static const schema::StepTable steps = [] {
    schema::StepTable t = schema::LibrarySteps();
    t.Add(RebuiltStep21());
    t.Add(AsText(44, "SET    Vl_TotSer = ?"));
    t.Add(RowByRowStep48());
    t.Add(UpdatedStep52());
    t.Add(AsText(66, "SET    Vl_Unitario = ?"));
    return t;
  }();
  return steps;
}

// "" when `table` holds the same rows in both databases, else the first
// difference.
std::string TableDifference(db::Connection& a, db::Connection& b, const std::string& table) {
  const int32_t columns = a.Query("SELECT * FROM " + table + " WHERE 1 = 0").FieldCount();
  std::string order;
  for (int32_t i = 1; i <= columns; ++i) order += (i > 1 ? ", " : "") + std::to_string(i);
  const std::string sql = "SELECT * FROM " + table + " ORDER BY " + order;
  const auto ra = a.Query(sql).Rows(), rb = b.Query(sql).Rows();
  for (size_t r = 0; r < std::min(ra.size(), rb.size()); ++r) {
    for (size_t col = 0; col < ra[r].size(); ++col) {
      if (ra[r][col] == rb[r][col]) continue;
      return fmt::format("{} row {} column {}: {} against {}", table, r, col,
                         ra[r][col].ToText(RegionalSettings::Invariant()),
                         rb[r][col].ToText(RegionalSettings::Invariant()));
    }
  }
  return ra.size() == rb.size()
             ? ""
             : fmt::format("{}: {} rows against {}", table, ra.size(), rb.size());
}

}  // namespace

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
  // statement stays done, as a separate Execute would leave it, and the
  // transaction goes on past it.
  rows[1700][2] = Value(5);
  c.BeginTrans("each");
  size_t next = 0;
  EXPECT_EQ(FailureOf([&] { db::ExecuteEach(c, statements, rows, next); }).number,
            db::kErroIntegridade);
  EXPECT_EQ(next, 1700u);
  EXPECT_EQ(counts(), "1701/1700");
  db::ExecuteEach(c, statements, rows, ++next);
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
  const station::OpcoesGerador o{.dias = 40, .cupons_dia = 25, .produtos = 14, .clientes = 12,
                                 .semente = 16, .ao_fim_do_dia = nullptr};
  for (const std::string& target : {fast, reference}) {
    auto c = db::Connection::Open(target);
    station::CriarBancoVersao18(*c, o.cd_pessoa_usuaria);
    station::GerarMovimento(*c, o);
  }
  auto a = std::make_shared<station::Sessao>(station::Configuracao{fast});
  station::Sessao b(station::Configuracao{reference});
  auto one_by_one = std::make_shared<OneByOneHost>(b);
  one_by_one->connection.closed_at = 40;  // inside a row walk
  BPAtualizarBancoDeDados faster, row_by_row;
  faster.SetObBOSistema(a);
  row_by_row.SetObBOSistema(one_by_one);
  row_by_row.SetSteps(&RowByRowSteps());

  const std::map<int32_t, std::vector<std::string>> touched = {
      {21, {"EmpresaUsuaria", "ItemNotaSaida", "ItemCupomFiscal", "Produto"}},
      {44, {"CupomFiscal"}},
      {48, {"Cardex"}},
      {52, {"Abastecimento"}},
      {66, {"Cardex", "ItemNotaEntrada", "Produto"}},
      {67, {"Cardex", "Produto"}},
      {106, {"Cardex", "ItemNotaSaida", "Produto"}},
      {107, {"Cardex", "Produto"}}};
  auto& da = a->Dal().Conexao();
  auto& db = b.Dal().Conexao();
  const auto count = [&](const std::string& sql) { return da.Query(sql).Field(0).ToInt32(); };
  const int32_t cardex = count("SELECT COUNT(*) FROM Cardex");
  for (const auto& [step, tables] : touched) {
    // Four items name the lowest card code before step 48, so the card row
    // of that code is named by whichever of them comes last.
    for (auto* c : {&da, &db})
      if (step == 48)
        c->Execute(
            "UPDATE ItemCupomFiscal SET Cd_LancamentoCardex = (SELECT MIN(Cd_LancamentoCardex) "
            "FROM ItemCupomFiscal) WHERE Cd_LancamentoCardex IN (SELECT Cd_LancamentoCardex FROM "
            "ItemCupomFiscal WHERE Cd_LancamentoCardex IS NOT NULL ORDER BY Cd_LancamentoCardex "
            "DESC LIMIT 3)");
    for (BPAtualizarBancoDeDados* driver : {&faster, &row_by_row}) {
      driver->SetTargetVersion(step);
      driver->Atualizar(false);
    }
    ASSERT_EQ(station::VersaoDoBanco(da), step);
    ASSERT_EQ(station::VersaoDoBanco(db), step);
    for (const std::string& table : tables)
      EXPECT_EQ(TableDifference(da, db, table), "") << "after step " << step;
    EXPECT_EQ(schema::DifferenceFromDatabase(schema::Introspect(db), schema::Introspect(da),
                                             da.Kind()),
              "")
        << "schema after step " << step;
  }
  // The corrections had rows to change: coupon documents named, movements
  // of billing invoices removed.
  EXPECT_GT(count("SELECT COUNT(*) FROM Cardex WHERE Nm_Doc LIKE 'CF-%'"), 100);
  EXPECT_LT(count("SELECT COUNT(*) FROM Cardex"), cardex);
  EXPECT_EQ(env.sleeps, std::vector<int32_t>{1000});
}

}  // namespace bp::testing
