#include "ui/TrayIcon.h"

#include <algorithm>
#include <cstring>

namespace tw::ui {
namespace {

// Left-aligned, zero-terminated; the balloon texts need no space padding.
template <std::size_t N>
std::array<char, N> ZeroTerminated(const std::string& text) {
  std::array<char, N> field{};
  std::memcpy(field.data(), text.data(), std::min(text.size(), N - 1));
  return field;
}

}  // namespace

std::array<char, 128> TipField(const std::string& toolTip) {
  std::array<char, 128> field;
  field.fill(' ');
  if (toolTip.empty()) {
    field[0] = '\0';
    return field;
  }
  const std::string text = (" " + toolTip + " ").substr(0, field.size() - 1);
  std::memcpy(field.data(), text.data(), text.size());
  field[text.size()] = '\0';
  return field;
}

void TrayIcon::FillCommon() {
  record_.size = originalShell_ ? kOriginalNotifyIconDataSize : kNotifyIconDataSize;
  record_.id = 1;
  record_.callbackMessage = kTrayCallbackMessage;
  record_.tip = TipField(TrayToolTip);
  tipHeld_ = false;
  heldCalls_ = 0;
  if (originalShell_ && record_.tip[0] != '\0') {
    // The shorter field, still padded and zero-terminated within its size.
    record_.tip[kOriginalTipSize - 1] = '\0';
    std::fill(record_.tip.begin() + kOriginalTipSize, record_.tip.end(), '\0');
  }
}

void TrayIcon::Show(bool UpDateData) {
  if (UpDateData) {
    FillCommon();
    figureTold_ = false;
    record_.flags = kNifMessage | kNifIcon | kNifTip;
    // The add counts as done even if the shell refused it, so later calls
    // modify (and fail quietly) until the icon is removed; whether the shell
    // really holds it is kept apart.
    bool accepted = shell_.Shell_NotifyIconA(added_ ? kNimModify : kNimAdd, record_);
    // A refused add may mean the shell still holds an icon under this window
    // and id: one left by a program that was ended without removing it, whose
    // window handle ours now reuses. That icon answers to us; take it over.
    if (!accepted && !added_) accepted = shell_.Shell_NotifyIconA(kNimModify, record_);
    inShell_ = accepted;
    added_ = true;
  } else if (added_) {
    shell_.Shell_NotifyIconA(kNimDelete, record_);
    added_ = false;
    inShell_ = false;
  }
}

void TrayIcon::SetTip(const std::string& tip) {
  if (!added_ || !inShell_) {
    TrayToolTip = tip;
    Show(true);
    return;
  }
  if (TrayToolTip != tip) {
    TrayToolTip = tip;
    tipHeld_ = true;
  }
  if (liveCalls_ > 0) --liveCalls_;
  if (!tipHeld_) return;
  // Each tip sent costs the shell's process a round trip and a redraw.
  // The first figure after the icon was shown goes at once.
  if (liveCalls_ == 0 && figureTold_ && ++heldCalls_ < kTipHeldCalls) return;
  SendTip();
}

void TrayIcon::SendTip() {
  figureTold_ = true;
  FillCommon();
  // Sent with the icon, the picture would be drawn anew for a changed figure.
  record_.flags = kNifTip;
  inShell_ = shell_.Shell_NotifyIconA(kNimModify, record_);
}

void TrayIcon::showBalloonoolTip(bool UpDateData) {
  if (!UpDateData) return;
  // A shell before version 5 has no balloons: the icon and its tip stay as they are.
  if (originalShell_) return;
  FillCommon();
  record_.flags = kNifMessage | kNifIcon | kNifTip | kNifInfo;
  record_.state = 0;
  record_.stateMask = 0;
  record_.info = ZeroTerminated<256>(TrayBalloonToolTip);
  record_.timeout = 1;  // below the shell's minimum: it shows the balloon for its own least time
  record_.infoTitle = ZeroTerminated<64>(TrayToolTip);
  record_.infoFlags = kNiifInfo;
  shell_.Shell_NotifyIconA(kNimModify, record_);
}

bool TrayIcon::EnsureInShell() {
  if (!added_ || !inShell_) {
    added_ = false;
    Show(true);
  }
  return inShell_;
}

void TrayIcon::ShellRestarted() {
  if (!added_) return;
  added_ = false;
  Show(true);
}

TrayIcon::Click TrayIcon::OnShellMessage(std::uint32_t mouseMessage) {
  if (mouseMessage == kWmMouseMove) {
    // The pointer is on the icon: its tip may show at any moment.
    liveCalls_ = kTipLiveCalls;
    if (tipHeld_ && added_ && inShell_) SendTip();
    return Click::None;
  }
  if (busy_) return Click::None;
  int button;
  if (mouseMessage == kWmLButtonDown) {
    button = 1;
  } else if (mouseMessage == kWmRButtonDown) {
    button = 2;
  } else {
    return Click::None;
  }
  busy_ = true;
  if (eventMode_ == 1) return button == 1 ? Click::MouseClickLeft : Click::MouseClickRight;
  return button == 1 ? Click::LeftClick : Click::RightClick;
}

}  // namespace tw::ui
