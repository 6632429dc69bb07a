#include "memory/RamAlarm.h"

#include <algorithm>
#include <limits>

#include "core/Numbers.h"
#include "settings/RegistrySettings.h"
#include "settings/StoredSetting.h"

namespace tw {
namespace {

constexpr int kAlarmPasses = 14;
constexpr double kBytesPerMegabyte = 1048576.0;

// The alarm's stored values, under Settings\RamSettings. The panel writes
// whole numbers in plain digits, but earlier releases read any decimal number
// there ("300.5", "+300", "3e2" as 300), so stored files hold such texts: a
// stored number is read rounded half to even, then held in its box's range;
// only a text that is no number (a word, an empty text) reads as the default.
constexpr struct {
  StoredSetting chkSoundon{"chkSoundon", StoredForm::Check, "0"};
  StoredSetting chkAutomatic{"chkAutomatic", StoredForm::Check, "0"};
  StoredSetting txtAlarm{"txtAlarm", StoredForm::Number, "250"};
  StoredSetting txtFreeAlarm{"txtFreeAlarm", StoredForm::Number, "10"};
  StoredSetting txtTimeCheck{"txtTimeCheck", StoredForm::Number, "100"};
  StoredSetting optPer{"optPer", StoredForm::TrueFalseWord, "False"};
  StoredSetting optMB{"optMB", StoredForm::TrueFalseWord, "True"};
  StoredSetting txtRunOnly{"txtRunOnly", StoredForm::Number, "2"};
  StoredSetting txtRetryOptimization{"txtRetryOptimization", StoredForm::Number, "10"};
} kStored;

// The whole number of a text, when it is one that is not negative.
std::optional<std::int32_t> NonNegative(std::string_view text) {
  const auto value = ToInt32(text);
  if (!value || *value < 0) return std::nullopt;
  return value;
}

}  // namespace

int UpDownValue(std::string_view text, int minimum, int maximum) {
  const auto value = ToInt32(text);
  if (!value) return minimum;
  return std::clamp(*value, minimum, maximum);
}

RamAlarm::RamAlarm(Services services)
    : services_(std::move(services)),
      tmrAlarm_(services_.timers.MakeTimer([this] { tmrAlarm_Timer(); })),
      tmrSoundPlayer_(services_.timers.MakeTimer([this] { tmrSoundPlayer_Timer(); })) {}

void RamAlarm::Form_Load() {
  tmrSoundPlayer_->Start(kSoundPlayerMs);
  tmrAlarm_->Start(kCheckIntervalMin);
  LoadRamSettings();
}

// Save has something to do only while the panel differs from what is stored:
// an edit taken back leaves nothing to save.
void RamAlarm::SetChanged(bool flag) {
  changed_ = flag && !SameAsStored();
  controls_.saveEnabled = changed_;
}

bool RamAlarm::SameAsStored() const {
  const RamControls& now = controls_;
  const RamControls& was = stored_;
  return now.soundOn == was.soundOn && now.automatic == was.automatic && now.alarm == was.alarm &&
         now.freeAlarm == was.freeAlarm && now.timeCheck == was.timeCheck && now.percent == was.percent &&
         now.runOnly == was.runOnly && now.retry == was.retry;
}

std::string RamAlarm::Stored(int id, const std::string& text, std::int32_t fallback) const {
  const auto value = ui::WholeNumber(text);
  if (!value) return std::to_string(fallback);
  const ui::WholeRange range = *RangeOf(id);
  return std::to_string(std::clamp(*value, range.minimum, range.maximum));
}

void RamAlarm::LoadRamSettings() {
  const SettingsKey key(services_.registry, kRamSettingsKey);
  // Any number is taken here; the boxes' ranges hold it below.
  const auto whole = [&key](const StoredSetting& setting) {
    return std::to_string(
        key.Whole(setting, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
  };
  // What the boxes show is what is checked and used: a stored text that is no
  // number reads as the setting's default, one out of its box's range as the
  // nearest bound.
  controls_.soundOn = key.Flag(kStored.chkSoundon);
  controls_.automatic = key.Flag(kStored.chkAutomatic);
  controls_.alarm = Stored(ramconfig::IDC_txtAlarm, whole(kStored.txtAlarm), alarmLevel_);
  controls_.freeAlarm = Stored(ramconfig::IDC_txtFreeAlarm, whole(kStored.txtFreeAlarm), freeAtLoad_);
  controls_.timeCheck = whole(kStored.txtTimeCheck);
  // "optPer" is given first, then "optMB": the MB format wins a contradiction.
  const bool percent = key.Flag(kStored.optPer);
  const bool megabytes = key.Flag(kStored.optMB);
  controls_.percent = percent && !megabytes;
  if (controls_.percent) {
    optPer_Click();
  } else {
    optMB_Click();
  }
  controls_.runOnly = whole(kStored.txtRunOnly);
  controls_.retry = whole(kStored.txtRetryOptimization);

  alarmLevel_ = NonNegative(controls_.alarm).value_or(alarmLevel_);
  freeAtLoad_ = NonNegative(controls_.freeAlarm).value_or(freeAtLoad_);
  freeAmount_ = freeAtLoad_;
  controls_.problemBox = 0;
  controls_.problem.clear();
  ApplyChecks();
  const int interval = UpDownValue(controls_.timeCheck, kCheckIntervalMin, kCheckIntervalMax);
  controls_.timeCheck = std::to_string(interval);
  checkInterval_ = static_cast<std::uint32_t>(interval);
  tmrAlarm_->Start(checkInterval_);
  RunAlarmTimer();
  threshold_ = UpDownValue(controls_.runOnly, 0, controls_.runOnlyMax);
  retryCount_ = UpDownValue(controls_.retry, 0, controls_.retryMax);
  // What the up-downs show is what they hold.
  controls_.runOnly = std::to_string(threshold_);
  controls_.retry = std::to_string(retryCount_);
  stored_ = controls_;
  SetChanged(false);
}

SaveResult RamAlarm::SaveRamSettings() {
  SettingsKey key(services_.registry, kRamSettingsKey);
  key.SaveFlag(kStored.chkSoundon, controls_.soundOn);
  key.SaveFlag(kStored.chkAutomatic, controls_.automatic);
  key.SaveText(kStored.txtAlarm, controls_.alarm);
  key.SaveText(kStored.txtFreeAlarm, controls_.freeAlarm);
  key.SaveText(kStored.txtTimeCheck, controls_.timeCheck);
  key.SaveFlag(kStored.optPer, controls_.percent);
  key.SaveFlag(kStored.optMB, !controls_.percent);
  key.SaveText(kStored.txtRunOnly, controls_.runOnly);
  key.SaveText(kStored.txtRetryOptimization, controls_.retry);
  const bool saved = key.Saved().Saved();
  if (saved) stored_ = controls_;
  // What was not stored is still a change to save.
  SetChanged(!saved);
  return key.Saved();
}

bool RamAlarm::cmdSave_Click() {
  // Nothing out of range is ever stored: the first box that fails says why.
  for (int id : {ramconfig::IDC_txtAlarm, ramconfig::IDC_txtFreeAlarm, ramconfig::IDC_txtTimeCheck,
                 ramconfig::IDC_txtRetryOptimization, ramconfig::IDC_txtRunOnly}) {
    if (!BoxLeft(id)) return false;
  }
  lastSave_ = SaveRamSettings();
  // Saved values act at once, read back as the next start reads them; values
  // Windows refused stay in the boxes, to be saved again.
  if (lastSave_.Saved()) LoadRamSettings();
  return true;
}

std::optional<ui::WholeRange> RamAlarm::RangeOf(int id) const {
  using namespace ramconfig;
  switch (id) {
    // The level is held as a 16-bit number of megabytes.
    case IDC_txtAlarm: return ui::WholeRange{0, 32767};
    case IDC_txtFreeAlarm: return ui::WholeRange{0, 1000};
    case IDC_txtTimeCheck: return ui::WholeRange{kCheckIntervalMin, kCheckIntervalMax};
    case IDC_txtRetryOptimization: return ui::WholeRange{0, controls_.retryMax};
    case IDC_txtRunOnly: return ui::WholeRange{0, controls_.runOnlyMax};
    default: return std::nullopt;
  }
}

std::string* RamAlarm::TextOf(int id) {
  using namespace ramconfig;
  switch (id) {
    case IDC_txtAlarm: return &controls_.alarm;
    case IDC_txtFreeAlarm: return &controls_.freeAlarm;
    case IDC_txtTimeCheck: return &controls_.timeCheck;
    case IDC_txtRetryOptimization: return &controls_.retry;
    case IDC_txtRunOnly: return &controls_.runOnly;
    default: return nullptr;
  }
}

std::string RamAlarm::ProblemOf(int id) {
  const std::string* text = TextOf(id);
  const auto range = RangeOf(id);
  return text != nullptr && range ? ui::WholeNumberProblem(*text, *range) : std::string();
}

bool RamAlarm::BoxLeft(int id) {
  const std::string problem = ProblemOf(id);
  if (!problem.empty()) {
    controls_.problemBox = id;
    controls_.problem = problem;
  } else if (controls_.problemBox == id) {
    controls_.problemBox = 0;
    controls_.problem.clear();
  }
  return problem.empty();
}

void RamAlarm::Edited(int id) {
  SetChanged(true);
  if (controls_.problemBox == id && ProblemOf(id).empty()) BoxLeft(id);
}

void RamAlarm::ApplyChecks() {
  // The level both sounds the alarm and starts the freeing.
  controls_.alarmEnabled = controls_.soundOn || controls_.automatic;
  controls_.automaticFieldsEnabled = controls_.automatic;
  // A box switched off with a failing text in it goes back to its loaded
  // value: it can no longer be corrected, and must not stop a save.
  const auto settle = [this](int id, bool enabled, std::int32_t loaded) {
    if (enabled || ProblemOf(id).empty()) return;
    *TextOf(id) = std::to_string(loaded);
    BoxLeft(id);
  };
  settle(ramconfig::IDC_txtAlarm, controls_.alarmEnabled, alarmLevel_);
  settle(ramconfig::IDC_txtFreeAlarm, controls_.automaticFieldsEnabled, freeAtLoad_);
  settle(ramconfig::IDC_txtTimeCheck, controls_.automaticFieldsEnabled, static_cast<std::int32_t>(checkInterval_));
  if (ProblemOf(ramconfig::IDC_txtFreeAlarm).empty()) freeAmount_ = *NonNegative(controls_.freeAlarm);
}

// With neither the sound nor the freeing on, no check could change a thing:
// the timer rests instead of waking the program ten times a second for
// nothing, and starts again, at the loaded interval, with either box.
void RamAlarm::RunAlarmTimer() {
  const bool needed = controls_.soundOn || controls_.automatic;
  // A resting timer makes no check that could clear the flag, and the sound
  // timer would play on for ever.
  if (!controls_.soundOn) soundFlag_ = false;
  if (!needed) {
    tmrAlarm_->Stop();
  } else if (!tmrAlarm_->IsRunning()) {
    tmrAlarm_->Start(checkInterval_);
  }
}

void RamAlarm::chkSoundon_Click(bool checked) {
  controls_.soundOn = checked;
  ApplyChecks();
  RunAlarmTimer();
  SetChanged(true);
}

void RamAlarm::chkAutomatic_Click(bool checked) {
  controls_.automatic = checked;
  ApplyChecks();
  RunAlarmTimer();
  SetChanged(true);
}

void RamAlarm::SetRanges(int maximum) {
  controls_.runOnlyMax = maximum;
  controls_.retryMax = maximum;
  // The up-downs hold their numbers inside the new range; a text that is no
  // number stays as typed, to be checked like any other.
  for (int id : {ramconfig::IDC_txtRunOnly, ramconfig::IDC_txtRetryOptimization}) {
    std::string& text = *TextOf(id);
    if (const auto value = ui::WholeNumber(text)) text = std::to_string(std::clamp<std::int64_t>(*value, 0, maximum));
    if (controls_.problemBox == id && ProblemOf(id).empty()) BoxLeft(id);
  }
}

void RamAlarm::optMB_Click() {
  controls_.percent = false;
  SetRanges(255);
  SetChanged(true);
}

void RamAlarm::optPer_Click() {
  controls_.percent = true;
  SetRanges(100);
  SetChanged(true);
}

void RamAlarm::txtAlarm_Change(std::string_view text) {
  controls_.alarm = std::string(text);
  Edited(ramconfig::IDC_txtAlarm);
}

void RamAlarm::txtFreeAlarm_Change(std::string_view text) {
  controls_.freeAlarm = std::string(text);
  // The check frees what the box holds now, once it holds an amount it takes.
  if (ProblemOf(ramconfig::IDC_txtFreeAlarm).empty()) freeAmount_ = *NonNegative(text);
  Edited(ramconfig::IDC_txtFreeAlarm);
}

void RamAlarm::updnTimeCheck_Change(std::string_view text) {
  controls_.timeCheck = std::string(text);
  Edited(ramconfig::IDC_txtTimeCheck);
}

void RamAlarm::UpDownRetryOptimization_Change(std::string_view text) {
  controls_.retry = std::string(text);
  Edited(ramconfig::IDC_txtRetryOptimization);
}

void RamAlarm::UpDownRunOnly_Change(std::string_view text) {
  controls_.runOnly = std::string(text);
  Edited(ramconfig::IDC_txtRunOnly);
}

void RamAlarm::Pump(int passes) {
  for (int pass = 0; pass < passes; ++pass) services_.pumpMessages();
}

void RamAlarm::tmrAlarm_Timer() {
  if (checking_) return;
  checking_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{checking_};

  soundFlag_ = false;
  if (!controls_.soundOn && !controls_.automatic) return;
  FreeRAM fmem(services_.memory, services_.pumpMessages, services_.allocate);
  if (fmem.GetFreePhysical() / kBytesPerMegabyte < alarmLevel_ && controls_.soundOn) soundFlag_ = true;
  if (!controls_.automatic || !(fmem.GetFreePhysical() / kBytesPerMegabyte < alarmLevel_)) return;

  Pump(kAlarmPasses);
  // The box as it stands now, or as it last passed while being typed; the
  // field holds 0 to 1000 MB, which fits.
  const std::int64_t megabytes = freeAmount_;
  const auto amount = static_cast<std::int32_t>(
      std::min<std::int64_t>(megabytes * 1048576, std::numeric_limits<std::int32_t>::max()));
  const std::int32_t usage = services_.queryProcessor ? services_.queryProcessor() : 0;
  if (threshold_ != 0 && threshold_ <= usage) return;
  if (retryCount_ == 0) retryCount_ = 1;
  for (int attempt = 0; attempt < retryCount_; ++attempt) {
    Pump(kAlarmPasses);
    fmem.FreeUpMemory(amount);
    Pump(kAlarmPasses);
  }
}

void RamAlarm::tmrSoundPlayer_Timer() {
  if (soundFlag_ && services_.playSound) services_.playSound();
}

}  // namespace tw
