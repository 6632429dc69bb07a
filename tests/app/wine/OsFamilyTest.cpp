// The family each test prefix reports: Wine set to XP and to 98.
#include <gtest/gtest.h>

#include <string>

#include "platform/OsVersion.h"
#include "memory/FreeRam.h"
#include "platform/win32/Win32Version.h"
#include "support/wine/Program.h"

namespace tw {
namespace {

TEST(OsFamily, DetectedFromTheRunningSystem) {
  const std::string prefix = test::TestFamily();
  ASSERT_TRUE(prefix == "xp" || prefix == "98") << "unknown prefix " << prefix;
  Win32Version version;
  const OsFamilyInfo family = DetectOsFamily(version);
  if (prefix == "xp") {
    EXPECT_EQ(7, family.code);
    EXPECT_EQ("Windows XP", family.name);
    EXPECT_TRUE(IsWindowsNT(version));
  } else {
    EXPECT_EQ(3, family.code);
    EXPECT_EQ("Windows 98", family.name);
    EXPECT_FALSE(IsWindowsNT(version));
  }
}

}  // namespace
}  // namespace tw
