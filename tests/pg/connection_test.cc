// The PostgreSQL connection against a real server (see support/pg_cluster.h).
#include <gtest/gtest.h>

#include "support/db_checks.h"
#include "support/pg_cluster.h"

namespace bp {
namespace {

using testing::FailureOf;

class PgConnectionTest : public testing::PgTest {};

TEST_F(PgConnectionTest, RunsBatchesAndCountsRecordsAffected) { testing::CheckBatches(*Connect()); }
TEST_F(PgConnectionTest, ReadsValuesBackWithTheirTypes) { testing::CheckTypedValues(*Connect()); }
TEST_F(PgConnectionTest, IntegrityViolations) { testing::CheckIntegrity(*Connect()); }
TEST_F(PgConnectionTest, NestedTransactions) { testing::CheckTransactions(*Connect()); }
TEST_F(PgConnectionTest, ClosedConnection) { testing::CheckClosedConnection(*Connect()); }

TEST_F(PgConnectionTest, StatementTimeoutCancelsALongQuery) {
  testing::CheckCommandTimeout(*Connect(), "SELECT pg_sleep(5)");
}

TEST_F(PgConnectionTest, LostConnectionRaises3709UntilReopened) {
  auto c = Connect();
  c->BeginTrans("Faturar");
  const int32_t pid = c->Query("SELECT pg_backend_pid()").Field(0).ToInt32();
  Connect()->Query("SELECT pg_terminate_backend(?)", {pid});
  const Erro e = FailureOf([&] { c->Execute("SELECT 1"); });
  EXPECT_EQ(e.number, rt::kConnectionUnusable) << e.description;
  EXPECT_EQ(c->TransactionDepth(), 0);
  EXPECT_FALSE(c->IsUsable());
  c->Reopen();
  EXPECT_TRUE(c->IsUsable());
}

}  // namespace
}  // namespace bp
