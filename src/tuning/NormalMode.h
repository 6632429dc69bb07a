#pragma once
// frmNormalMode, "Normal Mode": the step-by-step editor. Eight pages, one group
// of TCP/IP values each, that recommend values by connection type, check what
// the user types and apply the result. The page logic lives here; the panel
// (win32/frmNormalMode) shows it through IStepPagesView.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "tcpip/CurrentValues.h"
#include "tuning/ApplySettings.h"
#include "tuning/Presets.h"
#include "ui/BoxCheck.h"
#include "ui/ControlLayout.h"
#include "ui/MessageBox.h"
#include "ui/Panels.h"

namespace tw {

enum NormalModeControl : int {
  IDC_frmWizardPages_0 = 1200,  // "Step 1 of 8 : Connection type"
  IDC_frmWizardPages_1,
  IDC_frmWizardPages_2,
  IDC_frmWizardPages_3,
  IDC_frmWizardPages_4,
  IDC_frmWizardPages_5,
  IDC_frmWizardPages_6,
  IDC_frmWizardPages_7,  // "Step 8 of 8 : ICMP Redirect Attack Setting"
  // Page 0
  IDC_lblConnectioTypeExplain,
  IDC_frmConnectionType,
  IDC_optConnType_0,
  IDC_optConnType_1,
  IDC_optConnType_2,
  IDC_optConnType_3,
  // Page 1
  IDC_lblMTURecom,
  IDC_lblMTURecValue,
  IDC_txtMTUValue,
  IDC_lblMSSRecom,
  IDC_lblMSSRecVaklue,
  IDC_txtMSSValue,
  IDC_lblMTUExplain,
  IDC_lblMSSExplain,
  IDC_cmdFindMTU,    // "&Find": the largest MTU to the pinger's host
  IDC_lblMTUSearch,  // what the search is doing or found
  // Page 2
  IDC_lblBlackHoleExplain,
  IDC_lblBlackHoleRecom,
  IDC_chkBlackHoleValue,
  IDC_lblMTUDiscoverExplain,
  IDC_lblMTUDiscoverRecom,
  IDC_lblOtherMTURecValue,
  IDC_chkMTUDisconver,
  // Page 3: the formula row MSS * Multiplier * Scale Factor = RWIN
  IDC_lblFormulaMSS,
  IDC_lblFormulaMultiplier,
  IDC_lblFormulaScaleFactor,
  IDC_lblFormulaRWIN,
  IDC_txtMSSRWINValue,
  IDC_lblFormulaTimes1,
  IDC_txtMultiplier,
  IDC_lblFormulaTimes2,
  IDC_txtScaleFactor,
  IDC_lblFormulaEquals,
  IDC_txtRWIN,
  IDC_lblRwinRecom,
  IDC_lblRWINRecValue,
  IDC_lblRWINExplain,
  // Page 4
  IDC_lblTTLRecom,
  IDC_lblTTLRecValue,
  IDC_txtTTLValue,
  IDC_lblHTTP10,
  IDC_lblHTTP10RecValue,
  IDC_txtHTTP10Value,
  IDC_lblHTTP11,
  IDC_lblHTTP11RecValue,
  IDC_txtHTTP11Value,
  IDC_lblTTLExplain,
  IDC_lblIEExplain,
  // Page 5
  IDC_lblKeepAliveTimeRecom,
  IDC_lblKARecValue,
  IDC_txtKeepAliveTimeValue,
  IDC_lblKeepAliveIntervalReccom,
  IDC_lblKAIntervalRecValue,
  IDC_txtKeepAliveIntervalValue,
  IDC_lblKeepAliveTimeExplain,
  IDC_lblKeepAliveIntervalExplain,
  // Page 6
  IDC_lblSYNExplain,
  IDC_lblSYNRecom,
  IDC_txtSYNValue,
  IDC_updwnDescision,
  IDC_lblSYNLevel2,
  IDC_lblSYNLevel1,
  IDC_lblSYNLevel0,
  IDC_lblNDIRec,
  IDC_cmbNDI,
  IDC_lblNDIDescription,
  // Page 7
  IDC_lblICMPExplain,
  IDC_lblICMPRecom,
  IDC_chkICMPValue,
  // Below the pages
  IDC_cmdPrevPage,
  IDC_cmdNextPage,
};

// The value Windows holds now, beside each setting of a page.
enum NormalModeNowControl : int {
  IDC_lblMTUNow = 1280,
  IDC_lblMSSNow,
  IDC_lblBlackHoleNow,
  IDC_lblMTUDiscoverNow,
  IDC_lblRWINNow,
  IDC_lblTTLNow,
  IDC_lblHTTP10Now,
  IDC_lblHTTP11Now,
  IDC_lblKeepAliveTimeNow,
  IDC_lblKeepAliveIntervalNow,
  IDC_lblSYNNow,
  IDC_lblNDINow,
  IDC_lblICMPNow,
};

// What is wrong with a box of the shown page, said beside it.
enum NormalModeProblemControl : int { IDC_lblStepProblem = 1295 };

// The units beside number boxes.
enum NormalModeUnitControl : int { IDC_lblTTLUnit = 1300 };

inline constexpr int kWizardPageCount = 8;
inline constexpr int WizardPageId(int page) { return IDC_frmWizardPages_0 + page; }
inline constexpr int OptConnTypeId(int index) { return IDC_optConnType_0 + index; }

extern const ui::PanelSpec kNormalModePanel;

// The page (0 to 7) a control of the panel lies on, through its frames; -1 for
// the controls below the pages.
int PageOf(int id);

// What page 1 and page 3 recommend for a connection type (0 modem, 1 cable,
// 2 DSL, 3 LAN); nothing for any other type.
struct ConnectionRecommendation {
  std::int32_t MTU;
  std::int32_t MSS;
  std::string_view mtuCaption;  // lblMTURecValue
  std::string_view mssCaption;  // lblMSSRecVaklue
  int multiplier;               // of the MSS in the receive window, page 3
};
std::optional<ConnectionRecommendation> RecommendationFor(int connectionType);

// The largest receive window the calculator offers: the most Windows takes
// with window scaling.
inline constexpr double kMaxRwin = 1073741823;

// A box whose value Windows takes only inside a range. What is typed stays as
// typed; it is checked when the keyboard leaves the box and before a page is
// left or anything is applied.
struct RangeRule {
  int id;
  ui::WholeRange range;
};
const RangeRule* RangeRuleFor(int id);

// Where checked box `id` says what is wrong with it; null for other boxes.
const ui::ProblemSpot* ProblemSpotFor(int id);

// The panel as the page logic sees it: controls by id.
class IStepPagesView {
 public:
  virtual ~IStepPagesView() = default;
  // A text box's text, a label's caption, the chosen item of a list.
  virtual std::string Text(int id) const = 0;
  // As the control does, a text box tells NormalModePages::TextChanged of its
  // new text before this returns.
  virtual void SetText(int id, std::string_view text) = 0;
  virtual bool Checked(int id) const = 0;
  virtual void Enable(int id, bool enabled) = 0;
  // Shows page `page` and hides the other seven.
  virtual void hideAllExcept(int page) = 0;
  virtual void Message(std::string_view text, unsigned flags) = 0;
  // The tip of a control; empty text takes it away.
  virtual void SetTip(int id, std::string_view text) = 0;
  // Hands the window back to the navigation: in front, on its home view.
  virtual void GoHome() = 0;
  // Says beside box `id` what is wrong with it; empty text takes that away.
  virtual void ShowProblem(int id, std::string_view text) = 0;
  // Puts the keyboard into box `id`, its text chosen.
  virtual void FocusBox(int id) = 0;
};

class NormalModePages {
 public:
  // Applies a parameter set with a backup first.
  using Applier = std::function<ApplyResult(const TcpIpSettings&)>;

  NormalModePages(TuningState& tuning, Applier apply) : tuning_(tuning), apply_(std::move(apply)) {}

  // Form_Load, on the controls just made with their start values: page 0, and
  // the first NDI item chosen (which sets NDI to 0).
  void Form_Load(IStepPagesView& view);

  void optConnType_Click(int index);
  void cmdNextPage_Click();
  void cmdPrevPage_Click();
  void chkBlackHoleValue_Click();
  void chkMTUDisconver_Click();
  void chkICMPValue_Click();
  void cmbNDI_Click();
  void txtSYNValue_Change();
  void txtMultiplier_Change();

  // A text box's text changed: runs its _Change handler, if it has one, and
  // takes away what was said against a checked box once its text passes.
  void TextChanged(int id);
  // The keyboard left box `id`: a checked box that fails says why beside it,
  // and false tells the view to put the keyboard back.
  bool BoxLeft(int id);
  // What is wrong with checked box `id` (a range box or the multiplier), empty
  // when nothing is.
  std::string Problem(int id) const;

  // Where the values Windows holds now come from; without it the pages show none.
  void SetValuesNowReader(std::function<CurrentValues()> read) { readNow_ = std::move(read); }
  // Shows beside each setting the value Windows holds now, with its marks:
  // "*" when "Finish" would change it, "!" when Windows ignores it (why, in
  // the tip). Reads the values again first when `reread`.
  void ShowValuesNow(bool reread = false);
  // The set "Finish" applies: CurrentSettings with what the pages' boxes,
  // check boxes, SYN box and NDI list show.
  TcpIpSettings Proposed() const;

  // The page shown, 0 to 7; 8 once "Finish" applied.
  std::int16_t currWizardPage = 0;
  std::int16_t connectionType = 0;

  // Loaded and not yet finished: what its pages hold is the user's.
  bool WalkUnderWay() const { return view_ != nullptr && currWizardPage < kWizardPageCount; }

  // What the last "Finish" did.
  const ApplyResult& LastApply() const { return lastApply_; }

 private:
  // True when every checked box of `page` passes; otherwise the first that
  // fails says why and takes the keyboard.
  bool PageHolds(int page);
  // The range box `rule.id` takes now: the MSS's depends on the MTU box.
  ui::WholeRange RangeOf(const RangeRule& rule) const;
  // The first checked box of `page` that fails, 0 for none.
  int FailingBox(int page) const;
  void ShowPage(int page);
  void EnterPage();
  // Page 3: the MSS and the window; `fill` puts the type's multiplier in first.
  bool ShowRwin(bool fill);
  void CalculateRwin();
  // The number box, list or label `id` holds, read as a typed number is
  // (ui::WholeNumber); nothing past 32 bits.
  std::optional<std::int32_t> Number(int id) const;
  // The MSS the window is made of: the MSS box's, once it passes its check.
  std::int32_t WindowMss() const;
  void Finish();
  TcpIpSettings& settings() { return tuning_.CurrentSettings; }

  TuningState& tuning_;
  Applier apply_;
  IStepPagesView* view_ = nullptr;
  ApplyResult lastApply_;
  std::function<CurrentValues()> readNow_;
  std::optional<CurrentValues> now_;
  // The connection type each page last filled in its recommendation for in
  // this walk; -1 before its first showing.
  std::array<int, kWizardPageCount> filledFor_{};
};

}  // namespace tw
