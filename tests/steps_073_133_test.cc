// The version steps 73 to 133 on SQLite: the walk from version 18 with the
// schema compared to the driver's model after each step, the data
// corrections on rows made for them, and the retry of a closed connection.
#include <gtest/gtest.h>

#include <vector>

#include "steps_073_133_walk.h"

namespace bp::testing::s073 {
namespace {

TEST(Steps073To133, TableHoldsTheRangeWithItsTolerances) {
  schema::StepTable t;
  schema::AddSteps073To133(t);
  EXPECT_EQ(t.Size(), kRange.size());
  for (int32_t n : kRange) {
    const schema::Step* step = t.Find(n - 1);
    ASSERT_NE(step, nullptr) << n;
    EXPECT_EQ(step->number, n);
    const bool skips = n == 117 || n == 120;
    EXPECT_EQ(step->tolerance, skips ? schema::Tolerance::kSkipAll : schema::Tolerance::kNone) << n;
  }
}

TEST(Steps073To133, WalkFrom18KeepsTheModelAndCorrectsTheRows) {
  StepWalk w(Range());
  WalkWithRows(w);
}

TEST(Steps073To133, ClosedConnectionResumesAtTheProductThatFailed) {
  StepWalk w(Range());
  InsertCorrectionRows(w.Db());
  w.To(105);
  w.stock.closed_at_call = 1;
  w.To(106);
  const DateTime d = DateTime::Of(2005, 1, 1);
  EXPECT_EQ(w.stock.calls,
            (std::vector<StockScript::Call>{{1, 10, d}, {1, 20, d}, {1, 20, d}}));
  EXPECT_EQ(w.env.sleeps, std::vector<int32_t>{1000});
  EXPECT_EQ(w.Count("SELECT COUNT(*) FROM Cardex"), 2);
  EXPECT_EQ(w.Version(), 106);
}

TEST(Steps073To133, EmptySelectionsNeedNoRecomputationNorWindow) {
  StepWalk w(Range());
  w.To(107);
  EXPECT_EQ(w.stock.objects_created, 0);
  EXPECT_EQ(w.env.windows_created, 0);
}

}  // namespace
}  // namespace bp::testing::s073
