// The step-by-step pages as the panel lays them out: every control, its
// caption and place, and the explanations each page opens with. What the
// boxes hold, how they are checked and what each page recommends is in
// NormalMode.cpp.
#include "tuning/NormalMode.h"

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

}  // namespace tw
