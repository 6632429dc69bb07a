#include "tuning/WizardMode.h"

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

}  // namespace tw
