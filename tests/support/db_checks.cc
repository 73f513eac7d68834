#include "support/db_checks.h"

#include <gtest/gtest.h>

namespace bp::testing {

using db::DialectKind;

namespace {

int64_t Count(db::Connection& c, const std::string& sql) {
  auto rs = c.Query(sql);
  return rs.Field(0).ToInt32();
}

bool TableExists(db::Connection& c, const std::string& table) {
  return FailureOf([&] { c.Query("SELECT * FROM " + table); }).number == 0;
}

}  // namespace

Erro FailureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Erro& e) {
    return e;
  }
  return Erro();
}

std::string TablesAsText(db::Connection& c, const std::vector<std::string>& tables,
                         const std::string& order_by) {
  std::string text;
  for (const std::string& table : tables) {
    const db::Recordset rs = c.Query("SELECT * FROM " + table + " ORDER BY " + order_by);
    for (const auto& row : rs.Rows()) {
      for (const Value& v : row) text += v.ToText() + '|';
      text += '\n';
    }
  }
  return text;
}

void CheckBatches(db::Connection& c) {
  EXPECT_EQ(c.Execute("CREATE TABLE Bomba (Cd_Bomba int PRIMARY KEY, Nm_Bomba varchar(20));"
                      "INSERT INTO Bomba VALUES (1, 'a'), (2, 'b'), (3, 'c');\n"
                      "UPDATE Bomba SET Nm_Bomba = 'x' WHERE Cd_Bomba > 1;"),
            2);
  // A statement that changes no rows is still the last data statement.
  EXPECT_EQ(c.Execute("UPDATE Bomba SET Nm_Bomba = 'y' WHERE Cd_Bomba = 1; "
                      "DELETE FROM Bomba WHERE Cd_Bomba = 9"),
            0);
  EXPECT_EQ(c.Execute("UPDATE Bomba SET Nm_Bomba = ? WHERE Cd_Bomba >= ?", {"z", int32_t{2}}), 2);
  EXPECT_EQ(c.Execute("CREATE INDEX IX_Bomba ON Bomba (Nm_Bomba)"), 0);
  EXPECT_EQ(FailureOf([&] {
              c.Execute("UPDATE Bomba SET Nm_Bomba = ?", {"a", "b"});
            }).number,
            db::kErroComando);
  // A query batch yields the rows of its last query.
  auto rs = c.Query(
      "UPDATE Bomba SET Nm_Bomba = 'w' WHERE Cd_Bomba = 3; "
      "SELECT Cd_Bomba, Nm_Bomba FROM Bomba ORDER BY Cd_Bomba");
  EXPECT_EQ(rs.RecordCount(), 3);
  rs.MoveLast();
  EXPECT_EQ(rs["NM_BOMBA"], Value("w"));

  // Open runs the source; reopening after Close reads the rows afresh, and
  // a failing source leaves an open recordset as it was.
  db::Recordset pumps;
  pumps.Open(c, "SELECT * FROM Bomba ORDER BY Cd_Bomba");
  EXPECT_EQ(pumps.RecordCount(), 3);
  EXPECT_EQ(FailureOf([&] { pumps.Open(c, "SELECT * FROM Nada"); }).number, db::kErroComando);
  EXPECT_EQ(pumps.RecordCount(), 3);
  pumps.Close();
  c.Execute("INSERT INTO Bomba VALUES (4, 'd')");
  pumps.Open(c, pumps.Source());
  EXPECT_EQ(pumps.RecordCount(), 4);
  EXPECT_EQ(pumps.Field("cd_bomba"), Value(int32_t{1}));
}

void CheckTypedValues(db::Connection& c) {
  const bool pg = c.Kind() == DialectKind::kPostgreSQL;
  c.Execute(std::string("CREATE TABLE Tipos (Cd int PRIMARY KEY, No_Pequeno smallint, No_Byte ") +
            (pg ? "smallint" : "tinyint") + ", Ic_Ativo " + (pg ? "boolean" : "bit") +
            ", Vl_Total " + (pg ? "numeric(19,4)" : "money") +
            ", Vl_Preco NUMERIC(10, 2), Tx_Fator numeric(12,6), Qt_Litros " +
            (pg ? "double precision" : "float") + ", Dt_Emissao " +
            (pg ? "timestamp" : "datetime") + ", Nm_Nome varchar(50), Ds_Obs text)");
  const auto when = DateTime::Of(2024, 2, 29, 23, 59, 58);
  const std::string name = "Posto São João – D'Ávila";
  c.Execute("INSERT INTO Tipos VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {int32_t{1}, int16_t{-7}, uint8_t{200}, true, Money::Parse("1234.5678"),
             Money::Parse("-0.01"), 0.125, 0.1, when, name, Null{}});
  c.Execute("INSERT INTO Tipos VALUES (2, 0, 0, " + std::string(pg ? "false" : "0") +
            ", 922337203685.4775, 0, 0, 1e300, '" + c.DateLiteral(DateTime()) + "', " +
            c.Quote(name) + ", '')");

  auto rs = c.Query("SELECT * FROM Tipos ORDER BY Cd");
  EXPECT_EQ(rs["cd"], Value(int32_t{1}));
  EXPECT_EQ(rs["no_pequeno"], Value(int16_t{-7}));
  EXPECT_EQ(rs["no_byte"].ToInt32(), 200);
  EXPECT_EQ(rs["ic_ativo"], Value(true));
  EXPECT_EQ(rs["vl_total"], Value(Money::Parse("1234.5678")));
  EXPECT_EQ(rs["vl_preco"], Value(Money::Parse("-0.01")));
  EXPECT_EQ(rs["tx_fator"], Value(0.125));
  EXPECT_EQ(rs["qt_litros"], Value(0.1));
  EXPECT_EQ(rs["dt_emissao"], Value(when));
  EXPECT_EQ(rs["nm_nome"], Value(name));
  EXPECT_TRUE(rs["ds_obs"].IsNull());
  rs.MoveNext();
  EXPECT_EQ(rs["ic_ativo"], Value(false));
  EXPECT_EQ(rs["vl_total"], Value(Money::Parse("922337203685.4775")));
  EXPECT_EQ(rs["qt_litros"], Value(1e300));
  EXPECT_EQ(rs["dt_emissao"], Value(DateTime()));
  EXPECT_EQ(rs["nm_nome"], Value(name));
  EXPECT_EQ(rs["ds_obs"], Value(""));

  // Computed columns: counts as Long, sums as Double, dates compared as text.
  auto sums = c.Query(
      "SELECT COUNT(*) AS N, SUM(Vl_Total) AS Total FROM Tipos WHERE Dt_Emissao "
      "> ? AND Nm_Nome = ?",
      {DateTime::Of(2024, 2, 29), name});
  EXPECT_EQ(sums["n"], Value(int32_t{1}));
  EXPECT_EQ(sums["total"].ToMoney(), Money::Parse("1234.5678"));
  EXPECT_EQ(Count(c, "SELECT COUNT(*) FROM Tipos WHERE Dt_Emissao = '" + c.DateLiteral(when) + "'"),
            1);
}

void CheckIntegrity(db::Connection& c) {
  c.Execute(
      "CREATE TABLE Pessoa (Cd_Pessoa int PRIMARY KEY, Nm_Pessoa varchar(40) NOT NULL);"
      "CREATE TABLE Cliente (Cd_Cliente int PRIMARY KEY, Cd_Pessoa int NOT NULL, "
      "CONSTRAINT FK_Cliente_Pessoa FOREIGN KEY (Cd_Pessoa) REFERENCES Pessoa (Cd_Pessoa));"
      "INSERT INTO Pessoa VALUES (1, 'Ana')");
  for (const char* sql :
       {"INSERT INTO Pessoa VALUES (1, 'Bia')", "INSERT INTO Pessoa VALUES (2, NULL)",
        "INSERT INTO Cliente VALUES (1, 99)",
        "INSERT INTO Pessoa VALUES (3, 'Caio'); INSERT INTO Pessoa VALUES (1, 'x')"}) {
    const Erro e = FailureOf([&] { c.Execute(sql); });
    EXPECT_EQ(e.number, db::kErroIntegridade) << sql << ": " << e.description;
    EXPECT_FALSE(e.description.empty());
    EXPECT_EQ(e.source, c.Kind() == DialectKind::kPostgreSQL ? "PostgreSQL" : "SQLite");
  }
  EXPECT_EQ(Count(c, "SELECT COUNT(*) FROM Pessoa"), 1);
  EXPECT_EQ(c.Query("SELECT Nm_Pessoa FROM Pessoa")["Nm_Pessoa"], Value("Ana"));
  EXPECT_EQ(FailureOf([&] { c.Execute("DELETE FROM Pesoa"); }).number, db::kErroComando);
}

void CheckTransactions(db::Connection& c) {
  c.Execute("CREATE TABLE Conta (Cd_Conta int PRIMARY KEY)");

  // A rollback at the inner level undoes everything, table creation included,
  // and leaves the outer level nothing to commit.
  c.BeginTrans("Faturar");
  c.BeginTrans("GravarConta");
  EXPECT_EQ(c.TransactionDepth(), 2);
  c.Execute("INSERT INTO Conta VALUES (1); CREATE TABLE Extra (Cd int)");
  c.Execute("INSERT INTO Extra VALUES (1)");
  c.RollbackTrans("GravarConta");
  EXPECT_EQ(c.TransactionDepth(), 0);
  EXPECT_EQ(Count(c, "SELECT COUNT(*) FROM Conta"), 0);
  EXPECT_FALSE(TableExists(c, "Extra"));
  const Erro commit = FailureOf([&] { c.CommitTrans("Faturar"); });
  EXPECT_EQ(commit.number, db::kErroComando);
  EXPECT_NE(commit.description.find("no corresponding BEGIN TRANSACTION"), std::string::npos);
  EXPECT_EQ(FailureOf([&] { c.RollbackTrans("Faturar"); }).number, db::kErroComando);

  // Inner commits only count; the outer commit makes the work durable.
  c.BeginTrans("Faturar");
  c.BeginTrans("GravarConta");
  c.Execute("INSERT INTO Conta VALUES (2); CREATE TABLE Extra (Cd int)");
  c.CommitTrans("GravarConta");
  EXPECT_EQ(c.TransactionDepth(), 1);
  c.CommitTrans("Faturar");
  EXPECT_EQ(c.TransactionDepth(), 0);
  EXPECT_EQ(Count(c, "SELECT COUNT(*) FROM Conta WHERE Cd_Conta = 2"), 1);
  EXPECT_TRUE(TableExists(c, "Extra"));

  // A failed command inside a transaction is undone alone.
  c.BeginTrans("Faturar");
  c.Execute("INSERT INTO Conta VALUES (3)");
  EXPECT_EQ(FailureOf([&] {
              c.Execute("INSERT INTO Conta VALUES (4); INSERT INTO Conta VALUES (3)");
            }).number,
            db::kErroIntegridade);
  EXPECT_EQ(FailureOf([&] { c.Query("SELECT * FROM Nada"); }).number, db::kErroComando);
  c.Execute("INSERT INTO Conta VALUES (5)");
  EXPECT_EQ(c.TransactionDepth(), 1);
  c.CommitTrans("Faturar");
  EXPECT_EQ(Count(c, "SELECT COUNT(*) FROM Conta"), 3);  // 2, 3 and 5
  EXPECT_EQ(Count(c, "SELECT COUNT(*) FROM Conta WHERE Cd_Conta = 4"), 0);

  // A savepoint undoes only what came after it, a failed command included,
  // and the transaction goes on; there is none outside a transaction.
  EXPECT_EQ(FailureOf([&] { c.Savepoint("marca"); }).number, db::kErroComando);
  c.BeginTrans("Faturar");
  c.Execute("INSERT INTO Conta VALUES (6)");
  c.Savepoint("marca");
  c.Execute("INSERT INTO Conta VALUES (7)");
  EXPECT_EQ(FailureOf([&] { c.Execute("INSERT INTO Conta VALUES (6)"); }).number,
            db::kErroIntegridade);
  c.RollbackToSavepoint("marca");
  c.ReleaseSavepoint("marca");
  c.Savepoint("marca");
  c.Execute("INSERT INTO Conta VALUES (8)");
  c.ReleaseSavepoint("marca");
  EXPECT_EQ(FailureOf([&] { c.Savepoint("x; DROP TABLE Conta"); }).number, db::kErroComando);
  c.CommitTrans("Faturar");
  EXPECT_EQ(Count(c, "SELECT COUNT(*) FROM Conta WHERE Cd_Conta IN (6, 8)"), 2);
  EXPECT_EQ(Count(c, "SELECT COUNT(*) FROM Conta WHERE Cd_Conta = 7"), 0);
}

void CheckCommandTimeout(db::Connection& c, std::string_view long_query) {
  c.Execute("CREATE TABLE Marca (Cd int)");
  c.SetCommandTimeout(1);
  const Erro alone = FailureOf([&] { c.Query(long_query); });
  EXPECT_EQ(alone.number, db::kErroTempoEsgotado) << alone.description;
  EXPECT_NE(alone.description.find("Query timeout expired"), std::string::npos);

  c.BeginTrans("Exportar");
  c.Execute("INSERT INTO Marca VALUES (1)");
  EXPECT_EQ(FailureOf([&] { c.Query(long_query); }).number, db::kErroTempoEsgotado);
  EXPECT_EQ(c.TransactionDepth(), 1);
  c.CommitTrans("Exportar");
  EXPECT_EQ(Count(c, "SELECT COUNT(*) FROM Marca"), 1);
  c.SetCommandTimeout(0);
  EXPECT_TRUE(c.IsUsable());
}

void CheckClosedConnection(db::Connection& c) {
  c.Execute("CREATE TABLE Caixa (Cd int)");
  c.Execute("INSERT INTO Caixa VALUES (7)");
  c.BeginTrans("Abrir");
  c.Execute("INSERT INTO Caixa VALUES (8)");
  c.Close();
  EXPECT_FALSE(c.IsOpen());
  EXPECT_FALSE(c.IsUsable());
  EXPECT_EQ(c.TransactionDepth(), 0);
  for (const auto& action : std::vector<std::function<void()>>{
           [&] { c.Execute("SELECT 1"); }, [&] { c.Query("SELECT 1"); },
           [&] { c.Execute("SELECT ?", {int32_t{1}}); }, [&] { c.BeginTrans("x"); },
           [&] { c.CommitTrans("x"); }, [&] { c.RollbackTrans("x"); }})
    EXPECT_EQ(FailureOf(action).number, rt::kConnectionUnusable);
  c.Close();  // closing twice is harmless
  c.Reopen();
  EXPECT_TRUE(c.IsUsable());
  // Closing rolled back the open transaction.
  EXPECT_EQ(Count(c, "SELECT COUNT(*) FROM Caixa"), 1);
}

}  // namespace bp::testing
