// The whole walk: a new station database at version 18 carried by every step
// of the library to the last version, with the driver's model equal to the
// database after each step.
#include <gtest/gtest.h>

#include "steps_445_500_rows.h"

namespace bp {
namespace {

TEST(LibraryWalk, CarriesANewDatabaseFromVersion18ToTheEnd) {
  testing::StepWalkOptions options;
  options.steps = &schema::LibrarySteps();
  testing::StepWalk walk(options);
  walk.To(501);
  EXPECT_EQ(walk.Version(), 501);
  EXPECT_EQ(walk.compared.size(), schema::LibrarySteps().Size());
  ASSERT_FALSE(walk.compared.empty());
  EXPECT_EQ(walk.compared.front(), 19);
  EXPECT_EQ(walk.compared.back(), 500);

  // The last steps left their seeds, and every performance index stands on
  // its documented columns, none created twice along the way.
  EXPECT_EQ(walk.Rows("SELECT COUNT(*) FROM IdentificacaoECF")[0][0].ToInt32(), 55);
  EXPECT_EQ(testing::steps445::StoredLayoutFields(walk, 1),
            testing::steps445::DocumentedLayoutFields());
  testing::steps445::ExpectDocumentedIndexes(schema::Introspect(walk.Db()));
}

}  // namespace
}  // namespace bp
