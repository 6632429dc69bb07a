#include "platform/OsVersion.h"

#include <gtest/gtest.h>

#include "memory/FreeRam.h"

namespace tw {
namespace {

struct FixedVersion final : IVersionSource {
  bool ok = true;
  OsVersionInfo info;
  bool GetVersionExA(OsVersionInfo& out) override {
    if (ok) out = info;
    return ok;
  }
};

struct Row {
  std::uint32_t platform, major, minor;
  std::int16_t family;
  const char* name;
};

TEST(OsVersion, EveryRowOfTheFamilyTable) {
  const Row rows[] = {
      {1, 4, 0, 2, "Windows 95"},   {1, 4, 10, 3, "Windows 98"},   {1, 4, 90, 4, "Windows ME"},
      {1, 4, 3, 1, "Windows 32"},   {1, 4, 91, 1, "Windows 32"},   {1, 5, 10, 3, "Windows 98"},
      {2, 3, 51, 5, "Windows NT"},  {2, 4, 0, 5, "Windows NT"},    {2, 5, 0, 6, "Windows 2000"},
      {2, 5, 1, 7, "Windows XP"},   {2, 5, 2, 1, "Windows 32"},    {2, 6, 0, 1, "Windows 32"},
      {2, 6, 1, 1, "Windows 32"},   {2, 10, 0, 1, "Windows 32"},   {0, 3, 10, 1, "Windows 32"},
      {3, 5, 1, 1, "Windows 32"},   {2, 4, 90, 5, "Windows NT"},
  };
  for (const Row& row : rows) {
    FixedVersion source;
    source.info = {row.major, row.minor, 0, row.platform};
    const OsFamilyInfo family = DetectOsFamily(source);
    EXPECT_EQ(row.family, family.code) << row.platform << " " << row.major << "." << row.minor;
    EXPECT_EQ(row.name, family.name) << row.platform << " " << row.major << "." << row.minor;
    EXPECT_EQ(row.family - 1, static_cast<int>(GetWindowsVersion(source)));
    EXPECT_EQ(row.platform == 2, IsWindowsNT(source));
    EXPECT_EQ(row.platform == 2, family.ntPlatform) << "Windows 7 is family 1, yet NT inside";
    // The family code stays as it was; the version itself tells Vista and later apart.
    EXPECT_EQ(row.platform == 2 && row.major >= 6, IsVistaOrLater(family)) << row.major << "." << row.minor;
  }
}

TEST(OsVersion, AFailedQueryIsAnUnknownNonNtSystem) {
  FixedVersion source;
  source.ok = false;
  EXPECT_EQ(1, DetectOsFamily(source).code);
  EXPECT_FALSE(DetectOsFamily(source).ntPlatform);
  EXPECT_FALSE(IsWindowsNT(source));
}

TEST(OsVersion, FamiliesSplitIntoTheTwoBranches) {
  for (std::int16_t code = 1; code <= 4; ++code) EXPECT_TRUE(Is9xFamily(code) && !IsNtFamily(code));
  for (std::int16_t code = 5; code <= 7; ++code) EXPECT_TRUE(IsNtFamily(code) && !Is9xFamily(code));
}

}  // namespace
}  // namespace tw
