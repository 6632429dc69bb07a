#include "ui/CommonControlsVersion.h"

#include <gtest/gtest.h>

namespace tw::ui {
namespace {

// What each release's common controls can do, by the version it ships.
TEST(CommonControlsVersion, EachReleasesVersionGetsWhatItSupports) {
  struct Row {
    CommonControlsVersion version;
    bool since470;  // InitCommonControlsEx, _TrackMouseEvent, list-view extended styles, tip width, tool size
    bool range32;
    bool pos32;
    bool standardClasses;
  };
  const Row rows[] = {
      {{4, 0}, false, false, false, false},  // Windows 95
      {{4, 70}, true, false, false, false},  // NT 4.0, 95 OSR2
      {{4, 71}, true, true, false, false},   // Internet Explorer 4
      {{4, 72}, true, true, false, false},   // 98, NT 4.0 SP4
      {{5, 80}, true, true, true, false},    // 98 SE
      {{5, 81}, true, true, true, false},    // ME, 2000
      {{5, 82}, true, true, true, false},    // XP without the manifest
      {{6, 0}, true, true, true, true},      // XP with the manifest
      {{6, 10}, true, true, true, true},     // later Windows
  };
  for (const Row& row : rows) {
    const CommonControlsFeatures features = FeaturesOf(row.version);
    const std::string name = std::to_string(row.version.major) + "." + std::to_string(row.version.minor);
    EXPECT_EQ(row.since470, features.initCommonControlsEx) << name;
    EXPECT_EQ(row.since470, features.trackMouseEvent) << name;
    EXPECT_EQ(row.since470, features.extendedListViewStyles) << name;
    EXPECT_EQ(row.since470, features.toolTipMaxWidth) << name;
    EXPECT_EQ(row.since470 ? ToolInfoSize::WithParameter : ToolInfoSize::Original, features.toolInfoSize) << name;
    EXPECT_EQ(row.range32, features.upDownRange32) << name;
    EXPECT_EQ(row.pos32, features.upDownPos32) << name;
    EXPECT_EQ(row.standardClasses, features.standardClasses) << name;
  }
}

TEST(CommonControlsVersion, SixteenBitUpDownsKeepWhatFitsOfARange) {
  EXPECT_EQ(100, ClampToUpDown16(100, 65535).minimum);
  EXPECT_EQ(32767, ClampToUpDown16(100, 65535).maximum);
  EXPECT_EQ(-32768, ClampToUpDown16(-100000, 5).minimum);
  EXPECT_EQ(5, ClampToUpDown16(-100000, 5).maximum);
}

}  // namespace
}  // namespace tw::ui
