#include "ui/CommonControlsVersion.h"

#include <algorithm>
#include <limits>

namespace tw::ui {

CommonControlsFeatures FeaturesOf(CommonControlsVersion version) {
  const bool since470 = version >= CommonControlsVersion{4, 70};
  CommonControlsFeatures features;
  features.initCommonControlsEx = since470;
  features.trackMouseEvent = since470;
  features.extendedListViewStyles = since470;
  features.toolTipMaxWidth = since470;
  features.toolInfoSize = since470 ? ToolInfoSize::WithParameter : ToolInfoSize::Original;
  features.upDownRange32 = version >= CommonControlsVersion{4, 71};
  features.upDownPos32 = version >= CommonControlsVersion{5, 80};
  features.standardClasses = version >= CommonControlsVersion{6, 0};
  return features;
}

UpDownRange16 ClampToUpDown16(int minimum, int maximum) {
  constexpr int kLow = std::numeric_limits<short>::min();
  constexpr int kHigh = std::numeric_limits<short>::max();
  return {static_cast<short>(std::clamp(minimum, kLow, kHigh)), static_cast<short>(std::clamp(maximum, kLow, kHigh))};
}

}  // namespace tw::ui
