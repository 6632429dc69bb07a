#pragma once
// frmRamConfiguration, "Ram Configuration": watches free physical memory
// against an alarm level, sounds the alarm and frees memory when it is
// reached, and holds the tray tooltip's format. The panel's state, settings
// and handlers live here, portable; the Win32 panel shows the state in its
// controls and passes their events on.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "memory/FreeRam.h"
#include "platform/Registry.h"
#include "platform/SystemInfo.h"
#include "settings/StoredSetting.h"
#include "ui/BoxCheck.h"
#include "ui/ControlLayout.h"
#include "ui/Panels.h"
#include "ui/Timer.h"

namespace tw {
namespace ramconfig {

enum RamConfigurationControl : int {
  IDC_frameRamConfiguration = 1600,
  IDC_framOnOffSettings,
  IDC_chkSoundon,
  IDC_chkAutomatic,
  IDC_lblAlramLeve,
  IDC_txtAlarm,
  IDC_frameSysToolTip,
  IDC_optMB,
  IDC_optPer,
  IDC_cmdSave,
  IDC_framOpt,
  IDC_txtFreeAlarm,
  IDC_lblRamFree,
  IDC_txtTimeCheck,
  IDC_updnTimeCheck,
  IDC_lblCheckTime,
  IDC_txtRetryOptimization,
  IDC_UpDownRetryOptimization,
  IDC_lblTimeToRetry,
  IDC_txtRunOnly,
  IDC_UpDownRunOnly,
  IDC_lblrunOnly,
  IDC_lblRamProblem,  // what is wrong with a box, said beside it
  IDC_lblRamStatus,   // that Save saved
  // The units beside the number boxes.
  IDC_lblAlarmUnit,
  IDC_lblFreeAlarmUnit,
  IDC_lblTimeCheckUnit,
  IDC_lblRunOnlyUnit,
};

using ui::ControlKind;
using ui::UpDownOf;

// The numbers stand before their labels, so the long explanations have the
// frame's width; the last one still takes two lines. Each number's unit
// stands beside its box; their rows come last, so the rows before keep their order.
inline constexpr ui::ControlSpec kRamConfigurationControls[] = {
    {IDC_frameRamConfiguration, ControlKind::Frame, "Ram Configuration", 0, 15, 6540, 3570},
    {IDC_framOnOffSettings, ControlKind::Frame, "On/Off settings", 120, 240, 6300, 810, IDC_frameRamConfiguration},
    {IDC_chkSoundon, ControlKind::CheckBox, "Sound on", 150, 210, 1200, 255, IDC_framOnOffSettings},
    {IDC_chkAutomatic, ControlKind::CheckBox, "Optimize automatically when Alarm level is reached", 150, 495, 4800, 255, IDC_framOnOffSettings},
    // From "Sound on" to its box, its words at the box: what the box says
    // when it refuses a level takes this room. The box's unit follows it.
    {IDC_lblAlramLeve, ControlKind::SkinLabel, "Alarm Level (in MB):", 1500, 240, 3150, 225, IDC_framOnOffSettings, -1, ui::kAlignRight},
    {IDC_txtAlarm, ControlKind::TextBox, "250", 4740, 180, 840, 315, IDC_framOnOffSettings},
    {IDC_frameSysToolTip, ControlKind::Frame, "System Tray Icon Tool Tip Text", 120, 1080, 4800, 600, IDC_frameRamConfiguration},
    {IDC_optMB, ControlKind::OptionButton, "Free RAM in MB", 150, 240, 1875, 255, IDC_frameSysToolTip},
    {IDC_optPer, ControlKind::OptionButton, "Percentage of Free RAM", 2175, 240, 2550, 255, IDC_frameSysToolTip},
    {IDC_cmdSave, ControlKind::Button, "Save", 5070, 1080, 1350, 375, IDC_frameRamConfiguration},
    {IDC_framOpt, ControlKind::Frame, "Automatic Optimization", 120, 1710, 6300, 1785, IDC_frameRamConfiguration},
    {IDC_txtFreeAlarm, ControlKind::TextBox, "128", 150, 240, 840, 315, IDC_framOpt},
    {IDC_lblRamFree, ControlKind::SkinLabel, "RAM to try and free when alarm level is reached:", 1440, 285, 4770, 225, IDC_framOpt},
    {IDC_txtTimeCheck, ControlKind::TextBox, "100", 150, 570, 840, 315, IDC_framOpt},
    {IDC_updnTimeCheck, ControlKind::UpDown, "", 750, 570, 240, 315, IDC_framOpt, -1, UpDownOf(IDC_txtTimeCheck, 100, 65535, 100)},
    {IDC_lblCheckTime, ControlKind::SkinLabel, "Do check every (in Milliseconds)", 1440, 615, 4770, 225, IDC_framOpt},
    {IDC_txtRetryOptimization, ControlKind::TextBox, "0", 150, 900, 840, 315, IDC_framOpt},
    {IDC_UpDownRetryOptimization, ControlKind::UpDown, "", 750, 900, 240, 315, IDC_framOpt, -1, UpDownOf(IDC_txtRetryOptimization, 0, 20, 0)},
    {IDC_lblTimeToRetry, ControlKind::SkinLabel, "Times to retry optimization", 1440, 945, 4770, 225, IDC_framOpt},
    {IDC_txtRunOnly, ControlKind::TextBox, "0", 150, 1230, 840, 315, IDC_framOpt},
    {IDC_UpDownRunOnly, ControlKind::UpDown, "", 750, 1230, 240, 315, IDC_framOpt, -1, UpDownOf(IDC_txtRunOnly, 0, 1000, 0)},
    {IDC_lblrunOnly, ControlKind::SkinLabel, "Run ONLY if CPU-Usage is below this (0=detectyion not in use)", 1440, 1275, 4770, 450, IDC_framOpt},
    // Shown only while a box holds what it cannot take, in the place of its label.
    {IDC_lblRamProblem, ControlKind::Label, "", 1440, 285, 4770, 225, IDC_framOpt},
    {IDC_lblAlarmUnit, ControlKind::SkinLabel, "MB", 5640, 240, 450, 225, IDC_framOnOffSettings},
    {IDC_lblFreeAlarmUnit, ControlKind::SkinLabel, "MB", 1050, 285, 330, 225, IDC_framOpt},
    {IDC_lblTimeCheckUnit, ControlKind::SkinLabel, "ms", 1050, 615, 330, 225, IDC_framOpt},
    {IDC_lblRunOnlyUnit, ControlKind::SkinLabel, "%", 1050, 1275, 330, 225, IDC_framOpt},
    {IDC_lblRamStatus, ControlKind::Label, "", 5070, 1470, 1350, 225, IDC_frameRamConfiguration},
};

// Beside each box, in the place of its label.
inline constexpr ui::ProblemSpot kRamProblemSpots[] = {
    {IDC_txtAlarm, {IDC_lblAlramLeve, 0}},
    {IDC_txtFreeAlarm, {IDC_lblRamFree, 0}},
    {IDC_txtTimeCheck, {IDC_lblCheckTime, 0}},
    {IDC_txtRetryOptimization, {IDC_lblTimeToRetry, 0}},
    {IDC_txtRunOnly, {IDC_lblrunOnly, 0}},
};

inline constexpr ui::PanelSpec kRamConfigurationPanel =
    ui::PanelLayout(ui::PanelId::frmRamConfiguration, kRamConfigurationControls);

}  // namespace ramconfig

using ramconfig::kRamConfigurationPanel;

inline constexpr std::uint32_t kSoundPlayerMs = 65535;
inline constexpr std::uint32_t kCheckIntervalMin = 100;
inline constexpr std::uint32_t kCheckIntervalMax = 65535;

// What the panel's controls hold.
struct RamControls {
  bool soundOn = false;    // chkSoundon
  bool automatic = false;  // chkAutomatic
  std::string alarm = "250";      // txtAlarm
  std::string freeAlarm = "128";  // txtFreeAlarm
  std::string timeCheck = "100";  // txtTimeCheck, stepped by updnTimeCheck
  bool percent = false;           // optPer selected, else optMB
  std::string runOnly = "0";      // txtRunOnly, stepped by UpDownRunOnly
  std::string retry = "0";        // txtRetryOptimization, stepped by UpDownRetryOptimization
  int runOnlyMax = 1000;          // the two up-downs' maxima (their minima are 0)
  int retryMax = 20;
  // The fields that depend on the check boxes.
  bool alarmEnabled = true;  // txtAlarm: while either check box is on
  bool automaticFieldsEnabled = true;  // txtFreeAlarm, txtTimeCheck, updnTimeCheck
  bool saveEnabled = false;
  // The box whose text failed its check, and what is wrong with it, said
  // beside the box; 0 and empty while none has.
  int problemBox = 0;
  std::string problem;
};

class RamAlarm {
 public:
  struct Services {
    IRegistry& registry;
    ui::ITimerFactory& timers;
    IMemoryStatus& memory;
    std::function<std::int32_t()> queryProcessor;  // QueryObject.Query, the sampler SharedMonitor holds
    std::function<void()> playSound;               // "low-memory.wav", without waiting for it
    std::function<void()> pumpMessages = [] {};    // one pass over the window messages
    FreeRAM::Allocator allocate = {};
  };

  explicit RamAlarm(Services services);
  RamAlarm(const RamAlarm&) = delete;
  RamAlarm& operator=(const RamAlarm&) = delete;

  void Form_Load();
  void LoadRamSettings();
  SaveResult SaveRamSettings();
  void SetChanged(bool flag);

  // The user's edits, each with the control's new state. Typed text is kept
  // as typed; a box is checked when the keyboard leaves it and before a save.
  // Save stores nothing while a box fails, and that box says why (false);
  // what Windows refused of a save is in LastSave().
  bool cmdSave_Click();
  const SaveResult& LastSave() const { return lastSave_; }
  void chkSoundon_Click(bool checked);
  void chkAutomatic_Click(bool checked);
  void optMB_Click();
  void optPer_Click();
  void txtAlarm_Change(std::string_view text);
  void txtFreeAlarm_Change(std::string_view text);
  void updnTimeCheck_Change(std::string_view text);
  void UpDownRetryOptimization_Change(std::string_view text);
  void UpDownRunOnly_Change(std::string_view text);
  // The keyboard left box `id`: false when its text fails, which is then said.
  bool BoxLeft(int id);
  // The range box `id` takes, for the five boxes.
  std::optional<ui::WholeRange> RangeOf(int id) const;

  // The alarm check, on the loaded interval while the sound or the freeing is
  // on (the timer rests while neither is). One that starts while another is still inside its
  // freeing loop (a nested tick from the message passes) returns at once:
  // each would hold its own block, and memory would run out.
  void tmrAlarm_Timer();
  void tmrSoundPlayer_Timer();

  const RamControls& Controls() const { return controls_; }
  bool optPer() const { return controls_.percent; }
  bool Changed() const { return changed_; }
  bool SoundFlag() const { return soundFlag_; }
  std::int32_t AlarmLevel() const { return alarmLevel_; }
  int Threshold() const { return threshold_; }
  int RetryCount() const { return retryCount_; }
  const ui::ITimer& AlarmTimer() const { return *tmrAlarm_; }
  const ui::ITimer& SoundTimer() const { return *tmrSoundPlayer_; }

 private:
  void ApplyChecks();
  // What the panel holds is what the last load or save left in the registry.
  bool SameAsStored() const;
  // The three rules of a number box: what a load reads from the registry
  // into box `id` (SettingsKey::Whole, in the box's range), what is wrong
  // with what the user typed there (ui::WholeNumberProblem), and the text a
  // number is shown in.
  std::int32_t LoadBox(const SettingsKey& key, int id);
  std::string ProblemOf(int id) const;
  void Show(int id, std::int64_t value);
  // After an edit of box `id`: what was said against it goes once it passes.
  void Edited(int id);
  // The check frees what the free box holds now, once it holds an amount it takes.
  void TakeFreeAmount();
  void RunAlarmTimer();
  void SetRanges(int maximum);
  void Pump(int passes);

  Services services_;
  RamControls controls_;
  RamControls stored_;  // the controls as the last load or save left them
  bool changed_ = false;
  SaveResult lastSave_;
  std::int32_t alarmLevel_ = 250;
  std::int32_t freeAtLoad_ = 128;
  // The amount the check frees: the box's, whenever its text last passed.
  std::int32_t freeAmount_ = 128;
  int threshold_ = 0;
  int retryCount_ = 0;
  bool soundFlag_ = false;
  std::uint32_t checkInterval_ = kCheckIntervalMin;
  bool checking_ = false;
  std::unique_ptr<ui::ITimer> tmrAlarm_;
  std::unique_ptr<ui::ITimer> tmrSoundPlayer_;
};

}  // namespace tw
