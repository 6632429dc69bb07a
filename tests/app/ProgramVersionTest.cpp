#include "app/ProgramVersion.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(ProgramVersion, MajorMinorZeroRevisionInPlainDecimals) {
  EXPECT_EQ("1.2.0.7", MovieVersionText(1, 2, 7));
  EXPECT_EQ("2.0.0.15", MovieVersionText(2, 0, 15));
}

}  // namespace
}  // namespace tw
