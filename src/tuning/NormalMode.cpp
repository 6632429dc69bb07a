#include "tuning/NormalMode.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/Numbers.h"
#include "tuning/MtuSearch.h"

namespace tw {
namespace {

using ui::ControlKind;
using ui::ControlSpec;

// The pages were laid out in pixels of the panel's 13-pixel font at 96 DPI; the
// table keeps twips like every other panel's.
constexpr int T(int pixels) { return pixels * ui::kTwipsPerPixelAt96Dpi; }

constexpr int P0 = IDC_frmWizardPages_0, P1 = IDC_frmWizardPages_1, P2 = IDC_frmWizardPages_2,
              P3 = IDC_frmWizardPages_3, P4 = IDC_frmWizardPages_4, P5 = IDC_frmWizardPages_5,
              P6 = IDC_frmWizardPages_6, P7 = IDC_frmWizardPages_7;

// Every explanation opens with the program's own first words and goes on to
// say what the value does, when more or less of it helps, and what can go wrong.
constexpr std::string_view kConnectionTypeExplain =
    "How do you connect to the internet? The next pages recommend values for that kind of connection: "
    "small packets and a small receive window for a modem, large ones for cable, DSL or a network. You "
    "can change each value on its page; nothing is written before \"Finish\".";
constexpr std::string_view kMTUExplain =
    "MTU stands for Maximum Transmission Unit and in basic terms, it is the largest packet your computer "
    "sends in one piece, in bytes. Larger packets suit fast lines, small ones a modem. An MTU larger than"
    " a router on the way accepts gets packets split or lost.";
constexpr std::string_view kMSSExplain =
    "MSS or Maximum Segment Size defines how much actual data a packet carries: the MTU less 40 bytes of "
    "headers.";
constexpr std::string_view kBlackHoleExplain =
    "Black hole routers are configured not to return the Destination Host Unreachable messages that say a"
    " packet is too large, so it vanishes. Detection then retries with smaller packets; elsewhere it only"
    " adds retransmissions.";
constexpr std::string_view kMTUDiscoverExplain =
    "Remote networks also have an MTU value. Discovery finds the largest packet the whole route carries; "
    "without it Windows sends small 576-byte packets to remote networks.";
constexpr std::string_view kRWINExplain =
    "RWIN (Receive WINdow) is the maximum TCP Receive Window size offered by the system. It is how much "
    "data the other end may send before it waits for your computer to acknowledge it: the MSS times your "
    "multiplier times the scale factor of 4, so it holds whole packets. A larger window keeps fast lines "
    "busy; on a slow line one too large only fills buffers and makes each lost packet costlier to resend.";
constexpr std::string_view kTTLExplain =
    "The value of TTL (Time To Live) defines how long a packet can stay active before it is discarded: "
    "each router it passes lowers it by one. 64 reaches any host; less can leave far hosts out of reach.";
constexpr std::string_view kIEExplain =
    "Optimize Internet Explorer by setting the maximum number of simultaneous requests for accessing type"
    " 1.0 or 1.1 HTTP servers. More is faster; some servers refuse too many.";
constexpr std::string_view kKeepAliveTimeExplain =
    "Keep Alive Time is the number of milliseconds to wait before sending keep alive packets on an idle "
    "connection, to learn if the other end is still there. Shorter finds dead connections sooner and "
    "keeps routers from dropping idle ones.";
constexpr std::string_view kKeepAliveIntervalExplain =
    "Keep Alive Interval is the time in milliseconds between retransmissions of keepalives, once the Keep"
    " Alive Time has expired; too short an interval ends slow connections.";
constexpr std::string_view kSYNExplain =
    "Windows includes protection that allows it to detect and adjust when the system is being targeted "
    "with a SYN flood attack, a stream of half-open connections. Higher levels drop those sooner, and on "
    "a very slow line may drop a real one.";
constexpr std::string_view kNDIDescription =
    "The NDI cache size is the size of the cache of the Network Device. It serves the IPX/SPX driver; 0 "
    "lets Windows choose.";
constexpr std::string_view kICMPExplain =
    "Your computer may stop responding when connected to an internet work segment or to the Internet. A "
    "forged ICMP redirect message can tell it to send its traffic through a router that is wrong or not "
    "there. Accepting redirects lets a router point your computer to a better route, which helps only on "
    "a network with several routers. A computer on a home connection has one way out, so disabling "
    "redirects costs nothing and closes this hole.";

constexpr std::string_view kNdiItems[] = {"0", "2", "4", "8", "16", "32", "64"};

// Frame on the left; a row of a recommendation label, its value and the box.
constexpr int kRowLabel = 8, kRowLabelWidth = 216, kRowValue = 232, kRowValueWidth = 130, kRowBox = 368,
              kRowBoxWidth = 62;
constexpr int kTextLeft = 10, kTextWidth = 418;
constexpr int kLine = 16;

constexpr ControlSpec Page(int page, std::string_view caption) {
  return {WizardPageId(page), ControlKind::Frame, caption, T(1), 0, T(438), T(215), 0, page};
}
constexpr ControlSpec Text(int id, std::string_view caption, int top, int lines, int page) {
  return {id, ControlKind::SkinLabel, caption, T(kTextLeft), T(top), T(kTextWidth), T(lines * kLine), page};
}
// A row's parts, each vertically centred on the text box of the row at `top`.
constexpr ControlSpec RowLabel(int id, std::string_view caption, int top, int page,
                               ControlKind kind = ControlKind::SkinLabel) {
  return {id, kind, caption, T(kRowLabel), T(top + 3), T(kRowLabelWidth), T(kLine), page};
}
constexpr ControlSpec RowValue(int id, std::string_view caption, int top, int page, int width = kRowValueWidth) {
  return {id, ControlKind::SkinLabel, caption, T(kRowValue), T(top + 3), T(width), T(kLine), page};
}
constexpr ControlSpec RowBox(int id, std::string_view text, int top, int page, int left = kRowBox) {
  return {id, ControlKind::TextBox, text, T(left), T(top), T(kRowBoxWidth), T(21), page};
}
// The MTU page's boxes stand left of the usual column, which holds "Find".
constexpr int kMtuRowValueWidth = 66, kMtuRowBox = kRowBox - kRowBoxWidth - 4;
constexpr ControlSpec MtuRowValue(int id, int top) {
  return {id, ControlKind::SkinLabel, "   Byte", T(kRowValue), T(top + 3), T(kMtuRowValueWidth), T(kLine), P1};
}

// The TTL page's values are short: its boxes stand further left, so that the
// TTL's unit fits beside its box.
constexpr int kTtlRowValueWidth = 76, kTtlRowBox = kRowValue + kTtlRowValueWidth + 6,
              kTtlUnit = kTtlRowBox + kRowBoxWidth + 4;
constexpr ControlSpec Unit(int id, std::string_view caption, int left, int top, int width, int page) {
  return {id, ControlKind::SkinLabel, caption, T(left), T(top + 3), T(width), T(kLine), page};
}

// The foot of a page, under its last explanation.
constexpr int kFootLine = 193;
constexpr ControlSpec Now(int id, int left, int top, int width, int page) {
  return {id, ControlKind::SkinLabel, "", T(left), T(top), T(width), T(kLine), page};
}

constexpr ControlSpec kControls[] = {
    // Page 0
    Page(0, "Step 1 of 8 : Connection type"),
    Text(IDC_lblConnectioTypeExplain, kConnectionTypeExplain, 20, 5, P0),
    {IDC_frmConnectionType, ControlKind::Frame, "Connection Type", T(10), T(104), T(250), T(100), P0},
    {IDC_optConnType_0, ControlKind::OptionButton, "Dial Up Connection (Modem).", T(12), T(20),
     T(228), T(17), IDC_frmConnectionType, 0},
    {IDC_optConnType_1, ControlKind::OptionButton, "Cable Modem.", T(12), T(39), T(228), T(17),
     IDC_frmConnectionType, 1},
    {IDC_optConnType_2, ControlKind::OptionButton, "Digital  Subscriber Line (DSL).", T(12), T(58),
     T(228), T(17), IDC_frmConnectionType, 2},
    {IDC_optConnType_3, ControlKind::OptionButton, "LAN Connection(Ethernet).", T(12), T(77), T(228),
     T(17), IDC_frmConnectionType, 3},
    // Page 1
    Page(1, "Step 2 of 8 : MTU Settings"),
    Text(IDC_lblMTUExplain, kMTUExplain, 20, 4, P1),
    RowLabel(IDC_lblMTURecom, "Recommended MTU size", 88, P1, ControlKind::Label),
    MtuRowValue(IDC_lblMTURecValue, 88),
    RowBox(IDC_txtMTUValue, "576", 88, P1, kMtuRowBox),
    {IDC_cmdFindMTU, ControlKind::Button, kFindMtuCaption, T(kRowBox), T(88), T(kRowBoxWidth), T(21), P1},
    Text(IDC_lblMTUSearch, kMtuSearchHint, 112, 1, P1),
    Text(IDC_lblMSSExplain, kMSSExplain, 130, 2, P1),
    RowLabel(IDC_lblMSSRecom, "Recommended MSS size", 160, P1, ControlKind::Label),
    MtuRowValue(IDC_lblMSSRecVaklue, 160),
    RowBox(IDC_txtMSSValue, "536", 160, P1, kMtuRowBox),
    // Page 2
    Page(2, "Step 3 of 8 : Other MTU Settings"),
    Text(IDC_lblBlackHoleExplain, kBlackHoleExplain, 20, 4, P2),
    Text(IDC_lblBlackHoleRecom, "Recommended to be DISABLED since it imposes extra transmission overhead.", 85, 2, P2),
    {IDC_chkBlackHoleValue, ControlKind::CheckBox, "Enable It?", T(10), T(118), T(150), T(17), P2},
    Text(IDC_lblMTUDiscoverExplain, kMTUDiscoverExplain, 138, 3, P2),
    {IDC_lblMTUDiscoverRecom, ControlKind::SkinLabel, "Recommended to be.", T(10), T(191), T(126), T(kLine), P2},
    {IDC_lblOtherMTURecValue, ControlKind::SkinLabel, "ENABLED", T(140), T(191), T(66), T(kLine), P2},
    {IDC_chkMTUDisconver, ControlKind::CheckBox, "Disable it??", T(220), T(190), T(100), T(17), P2},
    // Page 3: each box follows the heading that names it.
    Page(3, "Step 4 of 8 : RWIN Settings"),
    {IDC_lblFormulaMSS, ControlKind::SkinLabel, "MSS", T(10), T(20), T(70), T(kLine), P3},
    {IDC_txtMSSRWINValue, ControlKind::TextBox, "", T(10), T(38), T(70), T(21), P3, -1, ui::kReadOnly},
    {IDC_lblFormulaTimes1, ControlKind::SkinLabel, "*", T(84), T(41), T(12), T(kLine), P3},
    {IDC_lblFormulaMultiplier, ControlKind::SkinLabel, "Multiplier", T(100), T(20), T(70), T(kLine), P3},
    {IDC_txtMultiplier, ControlKind::TextBox, "", T(100), T(38), T(70), T(21), P3},
    {IDC_lblFormulaTimes2, ControlKind::SkinLabel, "*", T(174), T(41), T(12), T(kLine), P3},
    {IDC_lblFormulaScaleFactor, ControlKind::SkinLabel, "Scale Factor", T(190), T(20), T(74), T(kLine), P3},
    {IDC_txtScaleFactor, ControlKind::TextBox, "4", T(190), T(38), T(70), T(21), P3, -1, ui::kReadOnly},
    {IDC_lblFormulaEquals, ControlKind::SkinLabel, "=", T(264), T(41), T(12), T(kLine), P3},
    {IDC_lblFormulaRWIN, ControlKind::SkinLabel, "RWIN", T(280), T(20), T(100), T(kLine), P3},
    {IDC_txtRWIN, ControlKind::TextBox, "", T(280), T(38), T(100), T(21), P3, -1, ui::kReadOnly},
    {IDC_lblRwinRecom, ControlKind::SkinLabel, "Recommended RWIN size  : ", T(10), T(68), T(176), T(kLine), P3},
    {IDC_lblRWINRecValue, ControlKind::SkinLabel, "Byte", T(190), T(68), T(150), T(kLine), P3},
    Text(IDC_lblRWINExplain, kRWINExplain, 92, 7, P3),
    // Page 4
    Page(4, "Step 5 of 8 : TTL && IE Optimization"),
    RowLabel(IDC_lblTTLRecom, "Recommended TTL  :", 18, P4),
    RowValue(IDC_lblTTLRecValue, "64 Seconds", 18, P4, kTtlRowValueWidth),
    RowBox(IDC_txtTTLValue, "64", 18, P4, kTtlRowBox),
    RowLabel(IDC_lblHTTP10, "Recommended value for HTTP 1.0  :", 42, P4),
    RowValue(IDC_lblHTTP10RecValue, "20", 42, P4, kTtlRowValueWidth),
    RowBox(IDC_txtHTTP10Value, "20", 42, P4, kTtlRowBox),
    RowLabel(IDC_lblHTTP11, "Recommended value for HTTP 1.1  :", 66, P4),
    RowValue(IDC_lblHTTP11RecValue, "20", 66, P4, kTtlRowValueWidth),
    RowBox(IDC_txtHTTP11Value, "20", 66, P4, kTtlRowBox),
    Text(IDC_lblTTLExplain, kTTLExplain, 92, 3, P4),
    Text(IDC_lblIEExplain, kIEExplain, 142, 3, P4),
    // Page 5
    Page(5, "Step 6 of 8 :  Keep Alive Settigns"),
    RowLabel(IDC_lblKeepAliveTimeRecom, "Recommended Keep Alive Time :", 18, P5),
    RowValue(IDC_lblKARecValue, "7200000 milliseconds.", 18, P5),
    RowBox(IDC_txtKeepAliveTimeValue, "7200000", 18, P5),
    RowLabel(IDC_lblKeepAliveIntervalReccom, "Recommended Keep Alive Interval  :", 42, P5),
    RowValue(IDC_lblKAIntervalRecValue, "1000 milliseconds.", 42, P5),
    RowBox(IDC_txtKeepAliveIntervalValue, "1000", 42, P5),
    Text(IDC_lblKeepAliveTimeExplain, kKeepAliveTimeExplain, 72, 4, P5),
    Text(IDC_lblKeepAliveIntervalExplain, kKeepAliveIntervalExplain, 142, 3, P5),
    // Page 6
    Page(6, "Step 7 of 8 :  SYN Flood Attack Settings && NDI Cache"),
    Text(IDC_lblSYNExplain, kSYNExplain, 16, 4, P6),
    {IDC_lblSYNRecom, ControlKind::SkinLabel, "What will be your decision?", T(10), T(84), T(160), T(kLine), P6},
    {IDC_txtSYNValue, ControlKind::TextBox, "2", T(174), T(81), T(56), T(21), P6, -1, ui::kReadOnly},
    {IDC_updwnDescision, ControlKind::UpDown, "", T(214), T(81), T(16), T(21), P6, -1,
     ui::UpDownOf(IDC_txtSYNValue, 0, 2, 2)},
    Text(IDC_lblSYNLevel2, "2 - (recommended) - best protection against SYN attacks.", 103, 1, P6),
    Text(IDC_lblSYNLevel1, "1 - better protection against SYN attacks.", 119, 1, P6),
    Text(IDC_lblSYNLevel0, "0 - (default) - typical protection against SYN attacks.", 135, 1, P6),
    {IDC_lblNDIRec, ControlKind::SkinLabel, "NDI recommended Value", T(10), T(156), T(160), T(kLine), P6},
    {IDC_cmbNDI, ControlKind::ComboBox, "", T(174), T(153), T(56), T(21), P6, -1, ui::ItemsOf(kNdiItems, 0)},
    Text(IDC_lblNDIDescription, kNDIDescription, 177, 2, P6),
    // Page 7
    Page(7, "Step 8 of 8 : ICMP Redirect Attack Setting"),
    Text(IDC_lblICMPExplain, kICMPExplain, 20, 8, P7),
    Text(IDC_lblICMPRecom, "Recommended to be DISABLED.", 152, 1, P7),
    {IDC_chkICMPValue, ControlKind::CheckBox, "Enable It?", T(10), T(172), T(150), T(17), P7},
    // The values now: after a check box or box, or where rows fill the page
    // from edge to edge, on a line of their own at its foot, each named.
    Now(IDC_lblMTUNow, 10, kFootLine, 216, P1),
    Now(IDC_lblMSSNow, kRowValue, kFootLine, 200, P1),
    Now(IDC_lblBlackHoleNow, 170, 119, 150, P2),
    Now(IDC_lblMTUDiscoverNow, 326, 191, 106, P2),
    Now(IDC_lblRWINNow, 344, 68, 88, P3),
    Now(IDC_lblTTLNow, 10, kFootLine, 124, P4),
    Now(IDC_lblHTTP10Now, 140, kFootLine, 144, P4),
    Now(IDC_lblHTTP11Now, 290, kFootLine, 142, P4),
    Now(IDC_lblKeepAliveTimeNow, 10, kFootLine, 216, P5),
    Now(IDC_lblKeepAliveIntervalNow, kRowValue, kFootLine, 200, P5),
    Now(IDC_lblSYNNow, 240, 84, 150, P6),
    Now(IDC_lblNDINow, 240, 156, 150, P6),
    Now(IDC_lblICMPNow, 170, 174, 150, P7),
    Unit(IDC_lblTTLUnit, "seconds", kTtlUnit, 18, 438 - 6 - kTtlUnit, P4),
    // Shown only while a box holds what its value cannot take, in the place of
    // the box's own label; laid over a row of the pages until then.
    {IDC_lblStepProblem, ControlKind::Label, "", T(kRowLabel), T(88), T(kRowLabelWidth), T(21)},
    // Below the pages
    {IDC_cmdPrevPage, ControlKind::Button, "<<Back", 1680, 3285, 1455, 405},
    {IDC_cmdNextPage, ControlKind::Button, "Next>>", 3675, 3285, 1455, 405},
};

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

const ui::PanelSpec kNormalModePanel = ui::PanelLayout(ui::PanelId::frmNormalMode, kControls);

int PageOf(int id) {
  const ControlSpec* control = ui::FindControl(kControls, id);
  for (int depth = 0; control != nullptr && depth < 8; ++depth) {
    if (control->id >= IDC_frmWizardPages_0 && control->id <= IDC_frmWizardPages_7) {
      return control->id - IDC_frmWizardPages_0;
    }
    control = ui::FindControl(kControls, control->container);
  }
  return -1;
}

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
  if (const auto ndi = ToInt32(view_->Text(IDC_cmbNDI))) settings().NDI = *ndi;
}

void NormalModePages::txtSYNValue_Change() {
  if (const auto syn = ToInt16(view_->Text(IDC_txtSYNValue))) settings().SYN = *syn;
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
  const std::string mtu = view_->Text(IDC_txtMTUValue);
  if (!ui::WholeNumberProblem(mtu, RangeRuleFor(IDC_txtMTUValue)->range).empty()) return rule.range;
  return {rule.range.minimum, std::min(rule.range.maximum, *ui::WholeNumber(mtu) - std::int64_t{kTcpIpHeaderBytes})};
}

std::string NormalModePages::Problem(int id) const {
  if (const RangeRule* rule = RangeRuleFor(id)) return ui::WholeNumberProblem(view_->Text(id), RangeOf(*rule));
  if (id != IDC_txtMultiplier) return {};
  // Windows takes a receive window up to 0x3FFFFFFF ("TcpWindowSize",
  // "GlobalMaxTcpWindowSize", KB 314053), and one that holds at least a segment.
  const std::int64_t segment = std::int64_t{WindowMss()} *
                               static_cast<std::int64_t>(ParseNumber(view_->Text(IDC_txtScaleFactor)).value_or(0));
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
    if (control.kind == ControlKind::TextBox && PageOf(control.id) == page && !Problem(control.id).empty()) {
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

std::int32_t NormalModePages::WindowMss() const {
  if (Problem(IDC_txtMSSValue).empty()) {
    return static_cast<std::int32_t>(*ui::WholeNumber(view_->Text(IDC_txtMSSValue)));
  }
  return tuning_.CurrentSettings.MSS;
}

// Each change of the multiplier shows its window at once; whether the
// multiplier is one Windows takes is said when the box is left.
void NormalModePages::txtMultiplier_Change() { CalculateRwin(); }

void NormalModePages::CalculateRwin() {
  const auto multiplier = ui::WholeNumber(view_->Text(IDC_txtMultiplier));
  const double scale = ParseNumber(view_->Text(IDC_txtScaleFactor)).value_or(0);
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
  if (const auto rwin = ToInt32(view_->Text(IDC_txtRWIN))) {
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
    if (const auto value = ToInt32(view_->Text(id))) s.*field = *value;
  }
  // What is applied is what the pages show: entering a page again puts its
  // recommendation into the record while these controls keep the user's choice.
  s.BlackHole = view_->Checked(IDC_chkBlackHoleValue);
  s.MTUDiscovery = !view_->Checked(IDC_chkMTUDisconver);
  s.ICMP = view_->Checked(IDC_chkICMPValue);
  if (const auto syn = ToInt16(view_->Text(IDC_txtSYNValue))) s.SYN = *syn;
  if (const auto ndi = ToInt32(view_->Text(IDC_cmbNDI))) s.NDI = *ndi;
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
