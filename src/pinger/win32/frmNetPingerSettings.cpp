#include "pinger/win32/frmNetPingerSettings.h"

#include "pinger/PingerTick.h"
#include "ui/win32/CommonControls.h"

namespace tw {
namespace {

using namespace netpinger;


bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND button, bool checked) {
  if (IsChecked(button) != checked) SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace


frmNetPingerSettings::frmNetPingerSettings(IRegistry& registry, INetwork& network, ISound& sound,
                                           std::string programFolder, ui::IMessageBox& messages,
                                           std::function<std::unique_ptr<INetwork>()> pingNowNetwork)
    : ui::Panel(kNetPingerPanel, messages),
      network_(network),
      sound_(sound),
      messages_(messages),
      programFolder_(std::move(programFolder)),
      pingNowNetwork_(std::move(pingNowNetwork)),
      pinger_({.registry = registry,
               .timers = Timers(),
               .ping = [this](std::string_view host, std::uint32_t timeoutMs) { return Ping(host, timeoutMs); },
               .startPing = [this](const std::string& host, std::uint32_t timeoutMs) { return StartPing(host, timeoutMs); },
               .playSound = [this] { PlayPingSound(); },
               .pumpMessages = [this] { ui::PassMessages(OwnerWindow()); },
               .tickMs = PingerTickMs(registry)}) {}

bool frmNetPingerSettings::Ping(std::string_view host, std::uint32_t timeoutMs) {
  HWND owner = OwnerWindow();
  PingServices services{network_, messages_, [owner] { ui::PassMessages(owner); }, reinterpret_cast<std::uintptr_t>(owner)};
  return PingHost(services, host, timeoutMs);
}

frmNetPingerSettings::~frmNetPingerSettings() {
  pingThread_.LetGo();
  // A borrowed network must outlive the thread that pings through it.
  if (!pingNowNetwork_) pingThread_.Wait();
}

bool frmNetPingerSettings::StartPing(const std::string& host, std::uint32_t timeoutMs) {
  if (hwnd() == nullptr) return false;
  std::shared_ptr<INetwork> network =
      pingNowNetwork_ ? std::shared_ptr<INetwork>(pingNowNetwork_()) : std::shared_ptr<INetwork>(&network_, [](INetwork*) {});
  return pingThread_.Start(hwnd(), host, timeoutMs, std::move(network));
}

LRESULT frmNetPingerSettings::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == PingThread::kDone) {
    if (auto result = pingThread_.Finish(wParam)) {
      for (const PingThread::Message& shown : result->messages) Message(shown.text, shown.flags);
      pinger_.PingNowDone(result->replied);
      SetWindowTextA(Control(IDC_lblPingStatus), result->answer.c_str());
      ShowState();
    }
    return 0;
  }
  // Its answer would find no window: the panel made anew pings afresh.
  if (message == WM_DESTROY && pingThread_.Running()) {
    pingThread_.LetGo();
    pinger_.PingNowDone(false);
  }
  return ui::Panel::OnMessage(message, wParam, lParam);
}

void frmNetPingerSettings::PlayPingSound() {
  sound_.PlaySoundA(programFolder_ + "\\Ping.wav", kSndFilename | kSndAsync);
}

void frmNetPingerSettings::tmrPinger_Timer() {
  pinger_.tmrPinger_Timer();
}

void frmNetPingerSettings::OnLoad() {
  HWND list = Control(IDC_cmbPingInterval);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : IntervalEntries()) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  // A host name has at most 253 characters, and a stored text longer than 254
  // would not read back: the field takes no more than that.
  SendMessageA(Control(IDC_txtPingHost), EM_LIMITTEXT, 254, 0);
  ShowWindow(Control(IDC_lblPingProblem), SW_HIDE);
  ShowState();
}

void frmNetPingerSettings::OnCommand(int id, int notification) {
  if (showing_) return;
  HWND control = Control(id);
  switch (id) {
    case IDC_chkDoPinging:
      if (notification != BN_CLICKED) return;
      pinger_.chkDoPinging_Click(IsChecked(control));
      break;
    // An option button that is already selected is not clicked again: the
    // manual host would overwrite what the user typed.
    case IDC_optAuto:
      if (notification != BN_CLICKED || pinger_.Controls().automatic || !IsChecked(control)) return;
      pinger_.optAuto_Click();
      break;
    case IDC_optManual:
      if (notification != BN_CLICKED || !pinger_.Controls().automatic || !IsChecked(control)) return;
      pinger_.optManual_Click();
      break;
    case IDC_txtPingHost:
      if (notification != EN_CHANGE) return;
      pinger_.txtPingHost_Change(ui::WindowText(control));
      break;
    case IDC_cmbPingInterval:
      if (notification != CBN_SELCHANGE) return;
      pinger_.cmbPingInterval_Click(static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)));
      break;
    case IDC_chkSound:
      if (notification != BN_CLICKED) return;
      pinger_.chkSound_Click(IsChecked(control));
      break;
    case IDC_cmdSave:
      if (notification != BN_CLICKED) return;
      if (const std::optional<SaveResult> saved = pinger_.cmdSave_Click(); !saved) {
        SetWindowTextA(Control(IDC_lblPingStatus), "");
      } else if (saved->Saved()) {
        SetWindowTextA(Control(IDC_lblPingStatus), ui::kSavedText);
      } else {
        Message(SaveFailureMessage(*saved), MB_OK | MB_ICONEXCLAMATION);
        SetWindowTextA(Control(IDC_lblPingStatus), SaveStatusText(*saved).c_str());
      }
      break;
    case IDC_cmdPingNow: {
      if (notification != BN_CLICKED) return;
      pinger_.cmdPingNow_Click();
      const NetPingerControls& state = pinger_.Controls();
      const char* status = !state.hostProblem.empty() ? ""
                           : state.pingNowEnabled      ? "Not pinged: it could not start."
                                                       : "Pinging...";
      SetWindowTextA(Control(IDC_lblPingStatus), status);
      break;
    }
    default: return;
  }
  // What the line said of the last Save or Ping Now no longer holds once anything else changes.
  if (id != IDC_cmdSave && id != IDC_cmdPingNow) SetWindowTextA(Control(IDC_lblPingStatus), "");
  ShowState();
  if ((id == IDC_cmdSave || id == IDC_cmdPingNow) && !pinger_.Controls().hostProblem.empty()) {
    SelectBox(IDC_txtPingHost);
  }
}

void frmNetPingerSettings::DiscardChanges() {
  pinger_.LoadSettings();
  SetWindowTextA(Control(IDC_lblPingStatus), "");
  ShowState();
}

void frmNetPingerSettings::ShowState() {
  if (!IsLoaded()) return;
  showing_ = true;
  const NetPingerControls& state = pinger_.Controls();
  SetChecked(Control(IDC_chkDoPinging), state.doPinging);
  SetChecked(Control(IDC_optAuto), state.automatic);
  SetChecked(Control(IDC_optManual), !state.automatic);
  HWND host = Control(IDC_txtPingHost);
  if (ui::WindowText(host) != state.host) SetWindowTextA(host, state.host.c_str());
  HWND list = Control(IDC_cmbPingInterval);
  if (SendMessageA(list, CB_GETCURSEL, 0, 0) != state.interval) SendMessageA(list, CB_SETCURSEL, state.interval, 0);
  SetChecked(Control(IDC_chkSound), state.sound);

  // The configuration group disables everything in it, whatever each control's own state.
  for (const ui::ControlSpec& control : kNetPingerControls) {
    if (control.container != IDC_frameConfigurations) continue;
    bool own = true;
    if (control.id == IDC_txtPingHost) own = state.hostEnabled;
    if (control.id == IDC_cmbPingInterval) own = state.intervalEnabled;
    if (control.id == IDC_cmdPingNow) own = state.pingNowEnabled;
    SetControlEnabled(control.id, state.configurationEnabled && own);
  }
  SetControlEnabled(IDC_frameConfigurations, state.configurationEnabled);
  SetControlEnabled(IDC_cmdSave, state.saveEnabled);
  if (!state.hostProblem.empty() || ProblemBox() == IDC_txtPingHost) {
    ShowProblemAt(IDC_lblPingProblem, kPingHostProblemSpot, state.hostProblem);
  }
  showing_ = false;
}

}  // namespace tw
