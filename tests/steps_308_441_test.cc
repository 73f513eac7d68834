// The version steps 308 to 441 on a real SQLite station database.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/schema/model.h"
#include "steps_308_441_walk.h"

namespace bp {
namespace {

using testing::StepWalk;
using testing::steps308::Range;

TEST(Steps308To441, CorrectTheDataAndKeepTheModelEqualToTheDatabase) {
  StepWalk walk(Range());
  testing::steps308::WalkWithRows(walk);
}

}  // namespace
}  // namespace bp
