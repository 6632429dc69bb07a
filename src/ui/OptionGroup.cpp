#include "ui/OptionGroup.h"

#include <algorithm>
#include <vector>

namespace tw::ui {
namespace {

// Twice the centre, to stay in whole numbers.
int CentreX2(const PixelRect& r) { return 2 * r.left + r.width; }
int CentreY2(const PixelRect& r) { return 2 * r.top + r.height; }

// By centres: neighbouring rows of option buttons often overlap by a pixel.
bool SameColumn(const PixelRect& a, const PixelRect& b) {
  return CentreX2(b) >= 2 * a.left && CentreX2(b) < 2 * (a.left + a.width);
}
bool SameRow(const PixelRect& a, const PixelRect& b) {
  return CentreY2(b) >= 2 * a.top && CentreY2(b) < 2 * (a.top + a.height);
}

}  // namespace

std::size_t NextOption(std::span<const PixelRect> buttons, std::size_t current, Arrow arrow) {
  if (current >= buttons.size()) return current;
  const PixelRect& here = buttons[current];
  const bool vertical = arrow == Arrow::Up || arrow == Arrow::Down;
  const bool backwards = arrow == Arrow::Up || arrow == Arrow::Left;

  std::vector<std::size_t> line;  // the column (Up, Down) or row (Left, Right) of `here`
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (vertical ? SameColumn(here, buttons[i]) : SameRow(here, buttons[i])) line.push_back(i);
  }
  if (std::find(line.begin(), line.end(), current) == line.end()) line.push_back(current);
  if (line.size() < 2) {
    const std::size_t count = buttons.size();
    return backwards ? (current + count - 1) % count : (current + 1) % count;
  }
  std::stable_sort(line.begin(), line.end(), [&](std::size_t a, std::size_t b) {
    return vertical ? CentreY2(buttons[a]) < CentreY2(buttons[b]) : CentreX2(buttons[a]) < CentreX2(buttons[b]);
  });
  const auto at = static_cast<std::size_t>(std::find(line.begin(), line.end(), current) - line.begin());
  return line[backwards ? (at + line.size() - 1) % line.size() : (at + 1) % line.size()];
}

}  // namespace tw::ui
