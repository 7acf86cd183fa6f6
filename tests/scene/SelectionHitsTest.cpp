// Reading selection buffers by their records' own name counts.
#include <gtest/gtest.h>

#include <vector>

#include "scene/SelectionHits.h"

namespace {

std::vector<GLuint> Names(const std::vector<SelectionHits::Hit>& hits) {
  std::vector<GLuint> names;
  for (const auto& hit : hits) names.push_back(hit.name);
  return names;
}

TEST(SelectionHits, OnlyOneNameRecordsOfGraphicNamesCountWhateverCameFirst) {
  // A host record with two names, then graphics 7 and 5, a record under the
  // empty name 0, one nameless record, and a name beyond the limit.
  const std::vector<GLuint> buffer = {2, 10, 20, 1, 0x686F7374, 1, 30, 40, 7, 1, 25, 26,
                                      5, 1,  5,  6, 0,          0, 1,  2,  1, 8, 9,  99};
  auto hits = SelectionHits::ReadGraphicHits(buffer, 6, 50);
  EXPECT_EQ(Names(hits), (std::vector<GLuint>{7, 5}));
  ASSERT_NE(SelectionHits::Nearest(hits), nullptr);
  EXPECT_EQ(SelectionHits::Nearest(hits)->name, 5u);
  // Without the host's record in front the first graphic is read all the same.
  std::vector<GLuint> graphicsOnly(buffer.begin() + 5, buffer.end());
  EXPECT_EQ(Names(SelectionHits::ReadGraphicHits(graphicsOnly, 5, 50)), (std::vector<GLuint>{7, 5}));
  // An overflowed buffer (negative count) and a record cut off read nothing more.
  EXPECT_TRUE(SelectionHits::ReadGraphicHits(buffer, -1, 50).empty());
  std::vector<GLuint> cut = {1, 3, 4, 7, 3, 1, 2};
  EXPECT_EQ(Names(SelectionHits::ReadGraphicHits(cut, 2, 50)), (std::vector<GLuint>{7}));
  EXPECT_EQ(SelectionHits::Nearest({}), nullptr);
}

}  // namespace
