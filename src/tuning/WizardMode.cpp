#include "tuning/WizardMode.h"

#include <algorithm>

#include "tcpip/CurrentValues.h"

namespace tw {
namespace {

}  // namespace

std::string ModeDescription(const TcpIpSettings& s, std::string_view leftToWindows) {
  const auto Word = [&](bool value) {
    return s.WindowsDecides ? std::string(leftToWindows) : std::string(value ? "True" : "False");
  };
  const auto Number = [&](long value) { return s.WindowsDecides ? std::string(leftToWindows) : std::to_string(value); };
  constexpr const char* kTab = "\t";
  constexpr const char* kCrLf = "\r\n";
  std::string text;
  text += "MSS = " + Number(s.MSS) + kTab + "MTU = " + Number(s.MTU) + kTab + kTab + "ICMP = " + Word(s.ICMP) +
          kCrLf + kCrLf;
  text += "NDI = " + Number(s.NDI) + kTab + "MSCPS0 = " + Number(s.HTTP10) + kTab + kTab + "MSCPS1 = " +
          Number(s.HTTP11) + kCrLf + kCrLf;
  text += "BlackHole = " + Word(s.BlackHole) + kTab + "RWIN = " + Number(s.RWIN) + kTab + kCrLf;
  text += "Keep Alive = " + Number(s.KeepAliveTime) + kCrLf + kCrLf;
  text += "Keep Alive Interval= " + Number(s.KeepAliveInterval) + kTab + "SYN = " + Number(s.SYN) + kTab + kTab +
          "TTL= " + Number(s.TTL) + kCrLf + kCrLf;
  return text;
}

std::vector<std::vector<std::string>> DescriptionCells(std::string_view description) {
  std::vector<std::vector<std::string>> lines(1, std::vector<std::string>(1));
  for (std::size_t i = 0; i < description.size(); ++i) {
    const char c = description[i];
    if (c == '\r' && i + 1 < description.size() && description[i + 1] == '\n') {
      lines.emplace_back(1);
      ++i;
    } else if (c == '\t') {
      lines.back().emplace_back();
    } else {
      lines.back().back() += c;
    }
  }
  return lines;
}

std::vector<std::string> DescriptionValues(std::string_view description) {
  std::vector<std::string> values;
  for (const auto& line : DescriptionCells(description)) {
    for (const std::string& cell : line) {
      if (!cell.empty()) values.push_back(cell);
    }
  }
  return values;
}

GridColumns LayOutGrid(std::span<const std::string> descriptions, std::span<const std::string> nowTexts,
                       const std::function<int(std::string_view)>& measure, int gap, int available) {
  std::array<int, 2> valueWidth{};
  for (const std::string& description : descriptions) {
    const std::vector<std::string> values = DescriptionValues(description);
    for (std::size_t cell = 0; cell < values.size() && cell < kDescribedFields.size(); ++cell) {
      int& widest = valueWidth[cell / kGridRows];
      widest = std::max(widest, measure(values[cell]));
    }
  }
  int nowWidth = std::max(measure("not set"), measure(kNowHeading));
  for (const std::string& text : nowTexts) nowWidth = std::max(nowWidth, measure(text));
  const int markWidth = measure(std::string(kChangesMark) + std::string(kIgnoredMark));

  const auto layOut = [&](int blockGap) {
    GridColumns grid{};
    int left = 0;
    for (std::size_t b = 0; b < grid.blocks.size(); ++b) {
      if (b > 0) left += blockGap;
      GridColumns::Block& block = grid.blocks[b];
      block = {left, valueWidth[b], 0, nowWidth, 0, markWidth};
      block.nowLeft = block.valueLeft + block.valueWidth + gap;
      block.markLeft = block.nowLeft + block.nowWidth + gap / 2;
      left = block.markLeft + block.markWidth;
    }
    grid.width = left;
    return grid;
  };
  const GridColumns wide = layOut(2 * gap);
  if (wide.width <= available) return wide;
  return layOut(std::max(gap, 2 * gap - (wide.width - available)));
}

}  // namespace tw
