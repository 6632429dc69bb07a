#include "tuning/NormalMode.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/Numbers.h"
#include "tuning/MtuSearch.h"

namespace tw {
namespace {

const std::array<std::int32_t, 4> kMultipliers{3, 44, 44, 44};

constexpr std::int64_t kInt32Max = 2147483647;

// The ranges Windows accepts for each value, so that nothing is written that no
// Windows should get. KB 314053 (Windows XP) and KB 120642 (NT 4.0 and 2000)
// document the NT family's values, KB 158474 those of 95 and 98.
constexpr RangeRule kRangeRules[] = {
    // Windows takes an interface MTU from 68 up to the MTU of the network under
    // it ("MTU", KB 314053; "MaxMTU", KB 158474). Every host takes 576-byte
    // datagrams (RFC 1122), and 1500 is Ethernet's (RFC 894), the largest of
    // the connections these pages recommend for.
    {IDC_txtMTUValue, {576, 1500}},
    // The MTU less the 40 bytes of the IP and TCP headers (RFC 879); the MTU
    // box's own MTU lowers the top (see RangeOf).
    {IDC_txtMSSValue, {536, 1460}},
    // "DefaultTTL": 1 to 255, one byte of the IP header (KB 314053, KB 158474).
    {IDC_txtTTLValue, {1, 255}},
    // WinInet reads both as a DWORD and names no upper limit (KB 183110); the
    // floors are the connections it opens without them, 4 and 2 (KB 183110).
    {IDC_txtHTTP10Value, {4, kInt32Max}},
    {IDC_txtHTTP11Value, {2, kInt32Max}},
    // Windows takes 1 to 0xFFFFFFFF milliseconds (KB 314053); under a second,
    // keep-alives flood an idle line, and the program writes signed 32 bits.
    {IDC_txtKeepAliveTimeValue, {1000, kInt32Max}},
    {IDC_txtKeepAliveIntervalValue, {1000, kInt32Max}},
};

// Beside a row's box, in the place of the row's label and recommendation; the
// multiplier's, under the formula, in the place of the recommended window.
constexpr ui::ProblemSpot kProblemSpots[] = {
    {IDC_txtMTUValue, {IDC_lblMTURecom, IDC_lblMTURecValue}},
    {IDC_txtMSSValue, {IDC_lblMSSRecom, IDC_lblMSSRecVaklue}},
    {IDC_txtMultiplier, {IDC_lblRwinRecom, IDC_lblRWINRecValue}},
    {IDC_txtTTLValue, {IDC_lblTTLRecom, IDC_lblTTLRecValue}},
    {IDC_txtHTTP10Value, {IDC_lblHTTP10, IDC_lblHTTP10RecValue}},
    {IDC_txtHTTP11Value, {IDC_lblHTTP11, IDC_lblHTTP11RecValue}},
    {IDC_txtKeepAliveTimeValue, {IDC_lblKeepAliveTimeRecom, IDC_lblKARecValue}},
    {IDC_txtKeepAliveIntervalValue, {IDC_lblKeepAliveIntervalReccom, IDC_lblKAIntervalRecValue}},
};

// The boxes "Finish" takes the eight values from.
constexpr std::pair<int, std::int32_t TcpIpSettings::*> kFinishBoxes[] = {
    {IDC_txtMTUValue, &TcpIpSettings::MTU},
    {IDC_txtMSSValue, &TcpIpSettings::MSS},
    {IDC_txtRWIN, &TcpIpSettings::RWIN},
    {IDC_txtTTLValue, &TcpIpSettings::TTL},
    {IDC_txtHTTP10Value, &TcpIpSettings::HTTP10},
    {IDC_txtHTTP11Value, &TcpIpSettings::HTTP11},
    {IDC_txtKeepAliveTimeValue, &TcpIpSettings::KeepAliveTime},
    {IDC_txtKeepAliveIntervalValue, &TcpIpSettings::KeepAliveInterval},
};

// Each value now: its label, the field, and the words it is shown in. Away
// from their rows, at the foot of the page, the values say which they are.
struct NowLabel {
  int id;
  TcpIpField field;
  Words words;
  std::string_view name;
};
constexpr NowLabel kNowLabels[] = {
    {IDC_lblMTUNow, TcpIpField::MTU, Words::TrueFalse, "MTU "},
    {IDC_lblMSSNow, TcpIpField::MSS, Words::TrueFalse, "MSS "},
    {IDC_lblBlackHoleNow, TcpIpField::BlackHole, Words::OnOff, ""},
    {IDC_lblMTUDiscoverNow, TcpIpField::MTUDiscovery, Words::OnOff, ""},
    {IDC_lblRWINNow, TcpIpField::RWIN, Words::TrueFalse, ""},
    {IDC_lblTTLNow, TcpIpField::TTL, Words::TrueFalse, "TTL "},
    {IDC_lblHTTP10Now, TcpIpField::HTTP10, Words::TrueFalse, "HTTP 1.0 "},
    {IDC_lblHTTP11Now, TcpIpField::HTTP11, Words::TrueFalse, "HTTP 1.1 "},
    {IDC_lblKeepAliveTimeNow, TcpIpField::KeepAliveTime, Words::TrueFalse, "Keep Alive Time "},
    {IDC_lblKeepAliveIntervalNow, TcpIpField::KeepAliveInterval, Words::TrueFalse, "Interval "},
    {IDC_lblSYNNow, TcpIpField::SYN, Words::TrueFalse, ""},
    {IDC_lblNDINow, TcpIpField::NDI, Words::TrueFalse, ""},
    {IDC_lblICMPNow, TcpIpField::ICMP, Words::OnOff, ""},
};

constexpr std::string_view kChangesTip = "* \"Finish\" changes it: Windows holds another value now.";

constexpr std::string_view kFinishCaption = "Finish";
constexpr std::string_view kNextCaption = "Next>>";

}  // namespace


std::optional<ConnectionRecommendation> RecommendationFor(int connectionType) {
  switch (connectionType) {
    case 0: return ConnectionRecommendation{576, 536, "576 Byte", "536 Byte", kMultipliers[0]};
    case 1: return ConnectionRecommendation{1500, 1460, "1500 Byte", "1460 Byte", kMultipliers[1]};
    case 2: return ConnectionRecommendation{1492, 1452, "1492 Byte", "1452Byte", kMultipliers[2]};
    case 3: return ConnectionRecommendation{1500, 1460, "1500 Byte", "1460 Byte", kMultipliers[3]};
    default: return std::nullopt;
  }
}

const ui::ProblemSpot* ProblemSpotFor(int id) {
  for (const ui::ProblemSpot& spot : kProblemSpots) {
    if (spot.box == id) return &spot;
  }
  return nullptr;
}

const RangeRule* RangeRuleFor(int id) {
  for (const RangeRule& rule : kRangeRules) {
    if (rule.id == id) return &rule;
  }
  return nullptr;
}

void NormalModePages::Form_Load(IStepPagesView& view) {
  view_ = &view;
  currWizardPage = 0;
  connectionType = 0;
  lastApply_ = {};
  filledFor_.fill(-1);
  view.hideAllExcept(0);
  view.Enable(IDC_cmdPrevPage, false);
  cmbNDI_Click();
  ShowValuesNow(true);
}

void NormalModePages::optConnType_Click(int index) { connectionType = static_cast<std::int16_t>(index); }

void NormalModePages::chkBlackHoleValue_Click() { settings().BlackHole = view_->Checked(IDC_chkBlackHoleValue); }

// The box asks whether to turn discovery off.
void NormalModePages::chkMTUDisconver_Click() { settings().MTUDiscovery = !view_->Checked(IDC_chkMTUDisconver); }

void NormalModePages::chkICMPValue_Click() { settings().ICMP = view_->Checked(IDC_chkICMPValue); }

void NormalModePages::cmbNDI_Click() {
  if (const auto ndi = Number(IDC_cmbNDI)) settings().NDI = *ndi;
}

void NormalModePages::txtSYNValue_Change() {
  if (const auto syn = Number(IDC_txtSYNValue)) settings().SYN = static_cast<std::int16_t>(*syn);
}

void NormalModePages::TextChanged(int id) {
  if (view_ == nullptr) return;
  if (id == IDC_txtMultiplier) {
    txtMultiplier_Change();
  } else if (id == IDC_txtSYNValue) {
    txtSYNValue_Change();
  }
  // Typing is never checked, only a text that now passes clears what was said.
  if ((RangeRuleFor(id) != nullptr || id == IDC_txtMultiplier) && Problem(id).empty()) view_->ShowProblem(id, "");
  // The MSS's top follows the MTU.
  if (id == IDC_txtMTUValue && Problem(IDC_txtMSSValue).empty()) view_->ShowProblem(IDC_txtMSSValue, "");
}

ui::WholeRange NormalModePages::RangeOf(const RangeRule& rule) const {
  if (rule.id != IDC_txtMSSValue) return rule.range;
  // A segment larger than its packet would be split or lost; while the MTU
  // box fails, its own check speaks first.
  if (!Problem(IDC_txtMTUValue).empty()) return rule.range;
  return {rule.range.minimum, std::min(rule.range.maximum, std::int64_t{*Number(IDC_txtMTUValue)} - kTcpIpHeaderBytes)};
}

std::string NormalModePages::Problem(int id) const {
  if (const RangeRule* rule = RangeRuleFor(id)) return ui::WholeNumberProblem(view_->Text(id), RangeOf(*rule));
  if (id != IDC_txtMultiplier) return {};
  // Windows takes a receive window up to 0x3FFFFFFF ("TcpWindowSize",
  // "GlobalMaxTcpWindowSize", KB 314053), and one that holds at least a segment.
  const std::int64_t segment = std::int64_t{WindowMss()} * Number(IDC_txtScaleFactor).value_or(0);
  const std::int64_t most = segment > 0 ? static_cast<std::int64_t>(kMaxRwin) / segment : 0;
  return ui::WholeNumberProblem(view_->Text(id), {1, std::max<std::int64_t>(most, 1)});
}

bool NormalModePages::BoxLeft(int id) {
  if (view_ == nullptr || (RangeRuleFor(id) == nullptr && id != IDC_txtMultiplier)) return true;
  const std::string problem = Problem(id);
  view_->ShowProblem(id, problem);
  return problem.empty();
}

int NormalModePages::FailingBox(int page) const {
  for (const ui::ControlSpec& control : kNormalModePanel.controls) {
    if (control.kind == ui::ControlKind::TextBox && PageOf(control.id) == page && !Problem(control.id).empty()) {
      return control.id;
    }
  }
  return 0;
}

bool NormalModePages::PageHolds(int page) {
  const int failing = FailingBox(page);
  if (failing == 0) return true;
  BoxLeft(failing);
  view_->FocusBox(failing);
  return false;
}

std::optional<std::int32_t> NormalModePages::Number(int id) const {
  const auto value = ui::WholeNumber(view_->Text(id));
  if (!value || *value < INT32_MIN || *value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

std::int32_t NormalModePages::WindowMss() const {
  return Problem(IDC_txtMSSValue).empty() ? *Number(IDC_txtMSSValue) : tuning_.CurrentSettings.MSS;
}

// Each change of the multiplier shows its window at once; whether the
// multiplier is one Windows takes is said when the box is left.
void NormalModePages::txtMultiplier_Change() { CalculateRwin(); }

void NormalModePages::CalculateRwin() {
  const auto multiplier = ui::WholeNumber(view_->Text(IDC_txtMultiplier));
  const double scale = Number(IDC_txtScaleFactor).value_or(0);
  view_->SetText(IDC_txtRWIN, multiplier ? FormatDecimal(static_cast<double>(WindowMss()) *
                                                         static_cast<double>(*multiplier) * scale)
                                         : std::string());
}

void NormalModePages::cmdNextPage_Click() {
  // A page is left only with what its boxes hold passing their checks, and
  // "Finish" applies only when every page's do.
  if (!PageHolds(currWizardPage)) return;
  if (currWizardPage >= 7) {
    for (int page = 1; page < 7; ++page) {
      if (FailingBox(page) == 0) continue;
      ShowPage(page);
      PageHolds(page);
      return;
    }
  }
  currWizardPage = static_cast<std::int16_t>(std::min(currWizardPage + 1, 8));
  if (currWizardPage == 8) {
    Finish();
    return;
  }
  EnterPage();
  view_->hideAllExcept(currWizardPage);
  view_->Enable(IDC_cmdPrevPage, true);
}

void NormalModePages::ShowPage(int page) {
  currWizardPage = static_cast<std::int16_t>(page);
  view_->hideAllExcept(page);
  view_->Enable(IDC_cmdPrevPage, page > 0);
  view_->SetText(IDC_cmdNextPage, page == 7 ? kFinishCaption : kNextCaption);
  view_->Enable(IDC_cmdNextPage, true);
}

void NormalModePages::EnterPage() {
  const int page = currWizardPage;
  if (page == 7) view_->SetText(IDC_cmdNextPage, kFinishCaption);
  // A page fills in its recommendation on its first showing in a walk, and the
  // two made for a connection type again when the type changed; otherwise
  // what the user made of the page stays.
  const bool forType = page == 1 || page == 3;
  if (page < 1 || page > 7) return;
  if (filledFor_[page] >= 0 && (!forType || filledFor_[page] == connectionType)) {
    if (page == 3) ShowRwin(false);  // the MSS may have changed since
    return;
  }
  TcpIpSettings& s = settings();
  switch (page) {
    case 1: {
      const auto recommendation = RecommendationFor(connectionType);
      if (!recommendation) {
        view_->Message("Error", ui::kMbOk);
        return;
      }
      view_->SetText(IDC_txtMTUValue, std::to_string(recommendation->MTU));
      view_->SetText(IDC_txtMSSValue, std::to_string(recommendation->MSS));
      view_->SetText(IDC_lblMTURecValue, recommendation->mtuCaption);
      view_->SetText(IDC_lblMSSRecVaklue, recommendation->mssCaption);
      s.MTU = recommendation->MTU;
      s.MSS = recommendation->MSS;
      break;
    }
    case 2:
      s.MTUDiscovery = true;
      s.BlackHole = false;
      break;
    case 3:
      if (!ShowRwin(true)) return;
      break;
    case 4:
      s.TTL = 64;
      s.HTTP10 = 20;
      s.HTTP11 = 20;
      break;
    case 5:
      s.KeepAliveTime = 7200000;
      s.KeepAliveInterval = 1000;
      break;
    case 6:
      s.SYN = 2;
      s.NDI = 0;
      break;
    case 7: s.ICMP = false; break;
    default: break;
  }
  filledFor_[page] = connectionType;
}

bool NormalModePages::ShowRwin(bool fill) {
  view_->SetText(IDC_txtMSSRWINValue, std::to_string(WindowMss()));
  if (fill) {
    const auto recommendation = RecommendationFor(connectionType);
    if (!recommendation) {
      view_->Message("Error", ui::kMbOk);
      return false;
    }
    view_->SetText(IDC_txtMultiplier, std::to_string(recommendation->multiplier));  // which calculates
  } else {
    CalculateRwin();
  }
  if (const auto rwin = Number(IDC_txtRWIN)) {
    settings().RWIN = *rwin;
    if (fill) view_->SetText(IDC_lblRWINRecValue, std::to_string(*rwin) + "Bytes");
  }
  return true;
}

TcpIpSettings NormalModePages::Proposed() const {
  TcpIpSettings s = tuning_.CurrentSettings;
  if (view_ == nullptr) return s;
  // The pages always show numbers, and those are what is applied.
  s.WindowsDecides = false;
  for (const auto& [id, field] : kFinishBoxes) {
    if (const auto value = Number(id)) s.*field = *value;
  }
  // What is applied is what the pages show: entering a page again puts its
  // recommendation into the record while these controls keep the user's choice.
  s.BlackHole = view_->Checked(IDC_chkBlackHoleValue);
  s.MTUDiscovery = !view_->Checked(IDC_chkMTUDisconver);
  s.ICMP = view_->Checked(IDC_chkICMPValue);
  if (const auto syn = Number(IDC_txtSYNValue)) s.SYN = static_cast<std::int16_t>(*syn);
  if (const auto ndi = Number(IDC_cmbNDI)) s.NDI = *ndi;
  return s;
}

void NormalModePages::ShowValuesNow(bool reread) {
  if (view_ == nullptr || !readNow_) return;
  if (reread || !now_) now_ = readNow_();
  const TcpIpSettings proposed = Proposed();
  for (const NowLabel& label : kNowLabels) {
    const std::string marks = now_->Marks(label.field, proposed);
    std::string text = std::string(label.name) + "now " + now_->Text(label.field, label.words);
    if (!marks.empty()) text += " " + marks;
    if (view_->Text(label.id) != text) view_->SetText(label.id, text);
    std::string tip(now_->WouldChange(label.field, proposed) ? kChangesTip : "");
    const std::string_view reason = now_->IgnoredReason(label.field);
    if (!reason.empty()) tip += (tip.empty() ? "! " : "\r\n! ") + std::string(reason);
    view_->SetTip(label.id, tip);
  }
}

void NormalModePages::Finish() {
  TcpIpSettings& s = settings();
  s = Proposed();

  lastApply_ = apply_(s);
  ShowValuesNow(true);
  if (!lastApply_.message.empty()) view_->Message(lastApply_.message, ui::kMbOk | ui::kMbIconExclamation);
  if (lastApply_.outcome == ApplyOutcome::RefusedWithoutBackup) {
    // Nothing was written: the last page stays, and "Finish" can be tried again.
    currWizardPage = 7;
    return;
  }
  view_->Enable(IDC_cmdNextPage, false);
  view_->GoHome();
}

void NormalModePages::cmdPrevPage_Click() {
  if (!PageHolds(currWizardPage)) return;
  currWizardPage = static_cast<std::int16_t>(std::max(currWizardPage - 1, 0));
  if (currWizardPage == 0) view_->Enable(IDC_cmdPrevPage, false);
  view_->hideAllExcept(currWizardPage);
  // Back on the last page the button still applies, so it says so.
  view_->SetText(IDC_cmdNextPage, currWizardPage == 7 ? kFinishCaption : kNextCaption);
  if (currWizardPage == 7) view_->Enable(IDC_cmdNextPage, true);
}

}  // namespace tw
