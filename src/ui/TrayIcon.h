#pragma once
// The notification-area icon: what it sends to the shell and how it turns the
// shell's mouse reports into click events. The Win32 side owns the window, the
// picture and the timer; everything decided here is tested without them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tw::ui {

inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;
inline constexpr std::uint32_t kNifMessage = 1, kNifIcon = 2, kNifTip = 4, kNifInfo = 0x10;
inline constexpr std::uint32_t kNiifInfo = 1;
inline constexpr std::uint32_t kWmMouseMove = 512;
inline constexpr std::uint32_t kWmLButtonDown = 513;
// The shell's messages about the icon come as the window's WM_MOUSEMOVE.
inline constexpr std::uint32_t kTrayCallbackMessage = kWmMouseMove;
inline constexpr std::uint32_t kWmRButtonDown = 516;
inline constexpr unsigned kClickPauseMilliseconds = 15;

// NOTIFYICONDATAA in its 488-byte form (with the balloon fields). The shells
// before version 5 (Windows 95, 98, NT 4.0) take only the first 88 bytes,
// with a tip of 64 characters, and refuse the larger record.
inline constexpr std::uint32_t kNotifyIconDataSize = 488;
inline constexpr std::uint32_t kOriginalNotifyIconDataSize = 88;
inline constexpr std::size_t kOriginalTipSize = 64;
struct NotifyIconData {
  std::uint32_t size = kNotifyIconDataSize;
  std::uintptr_t window = 0;
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = 0;
  std::uintptr_t icon = 0;
  std::array<char, 128> tip{};
  std::uint32_t state = 0;
  std::uint32_t stateMask = 0;
  std::array<char, 256> info{};
  std::uint32_t timeout = 0;
  std::array<char, 64> infoTitle{};
  std::uint32_t infoFlags = 0;
};

// Shell_NotifyIconA.
class INotifyIcon {
 public:
  virtual ~INotifyIcon() = default;
  virtual bool Shell_NotifyIconA(std::uint32_t message, const NotifyIconData& data) = 0;
};

// The tip field: " tip " zero-terminated and padded with spaces, or a lone zero
// for an empty tip. A long tip is cut so that the terminating zero still fits.
std::array<char, 128> TipField(const std::string& toolTip);

class TrayIcon {
 public:
  enum class Click { None, LeftClick, RightClick, MouseClickLeft, MouseClickRight };

  explicit TrayIcon(INotifyIcon& shell) : shell_(shell) {}

  void SetWindow(std::uintptr_t window) { record_.window = window; }
  void SetIcon(std::uintptr_t icon) { record_.icon = icon; }
  // A shell before version 5: the original record, a shorter tip, no balloons.
  void UseOriginalShellRecord() { originalShell_ = true; }
  // Whether the shell can show showBalloonoolTip's balloon.
  bool HasBalloons() const { return !originalShell_; }

  // True adds the icon, or refreshes it once added; false removes it.
  void Show(bool UpDateData);
  // The tip the status monitor rewrites at every tick: the shell is told the
  // tip alone, and only when it changed; an icon the shell does not hold is
  // shown. The shell shows the tip only while the pointer rests on the icon,
  // and reports the pointer's arrival there first: away from it, a change
  // is held over kTipHeldCalls - 1 calls and goes with the next; on it, and for kTipLiveCalls calls after
  // its last report, a change goes at once, and one held goes on the report.
  // The first change after the icon is shown goes at once too.
  void SetTip(const std::string& tip);
  static constexpr int kTipHeldCalls = 3;
  static constexpr int kTipLiveCalls = 20;
  // True refreshes the icon and shows the balloon; false does nothing.
  void showBalloonoolTip(bool UpDateData);
  // The shell restarted and lost every icon: add ours again if it was shown.
  void ShellRestarted();
  // Whether the shell took the icon: false when it refused the add (or lost
  // the icon since), though the icon counts as shown.
  bool InShell() const { return inShell_; }
  // Adds the icon again unless the shell holds it; whether it does now.
  bool EnsureInShell();

  std::string TrayToolTip = "Program notification";
  std::string TrayBalloonToolTip = "The Program Still Running Here";
  int EventMode() const { return eventMode_; }
  void SetEventMode(int mode) { eventMode_ = mode > 1 ? 1 : mode < 0 ? 0 : mode; }
  bool IsVisible() const { return added_; }

  // A report from the shell (the low word of the callback's lParam). Returns the
  // event to raise; the caller raises it, then starts the click pause.
  Click OnShellMessage(std::uint32_t mouseMessage);
  // The 15 ms pause after an event is over.
  void OnClickPauseOver() { busy_ = false; }
  bool Busy() const { return busy_; }

  const NotifyIconData& Record() const { return record_; }

 private:
  void FillCommon();
  void SendTip();

  INotifyIcon& shell_;
  NotifyIconData record_;
  bool added_ = false;
  bool inShell_ = false;
  bool busy_ = false;
  bool originalShell_ = false;
  int eventMode_ = 0;
  bool tipHeld_ = false;  // TrayToolTip has changed since the shell was last told
  int heldCalls_ = 0;
  int liveCalls_ = 0;
  bool figureTold_ = false;  // a tip has gone alone since the icon was last shown
};

}  // namespace tw::ui
