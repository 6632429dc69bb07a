#include "tuning/WizardMode.h"

#include <algorithm>

namespace tw {
namespace {

std::string Word(bool value) { return value ? "True" : "False"; }
std::string Number(long value) { return std::to_string(value); }

}  // namespace

std::string ModeDescription(const TcpIpSettings& s) {
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

std::vector<int> DescriptionColumns(std::span<const std::string> descriptions,
                                    const std::function<int(std::string_view)>& measure, int gap) {
  std::vector<int> widths;
  for (const std::string& description : descriptions) {
    for (const auto& line : DescriptionCells(description)) {
      if (line.size() > widths.size()) widths.resize(line.size(), 0);
      if (line.size() < 2) continue;
      for (std::size_t k = 0; k < line.size(); ++k) widths[k] = std::max(widths[k], measure(line[k]));
    }
  }
  std::vector<int> lefts(widths.size(), 0);
  for (std::size_t k = 1; k < lefts.size(); ++k) lefts[k] = lefts[k - 1] + widths[k - 1] + gap;
  return lefts;
}

}  // namespace tw
