#include "memory/RamAlarm.h"

#include <algorithm>
#include <limits>

#include "settings/RegistrySettings.h"
#include "settings/StoredSetting.h"

namespace tw {
namespace {

constexpr int kAlarmPasses = 14;
constexpr double kBytesPerMegabyte = 1048576.0;

// The alarm's stored values, under Settings\RamSettings. The panel writes
// whole numbers in plain digits; a stored number is read as its form says,
// held in its box's range (see SettingsKey::Whole).
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

// The five number boxes, in the order Save checks them: what each holds and
// where it is stored.
struct NumberBox {
  int id;
  std::string RamControls::*text;
  const StoredSetting* stored;
};
constexpr NumberBox kBoxes[] = {
    {ramconfig::IDC_txtAlarm, &RamControls::alarm, &kStored.txtAlarm},
    {ramconfig::IDC_txtFreeAlarm, &RamControls::freeAlarm, &kStored.txtFreeAlarm},
    {ramconfig::IDC_txtTimeCheck, &RamControls::timeCheck, &kStored.txtTimeCheck},
    {ramconfig::IDC_txtRetryOptimization, &RamControls::retry, &kStored.txtRetryOptimization},
    {ramconfig::IDC_txtRunOnly, &RamControls::runOnly, &kStored.txtRunOnly},
};

const NumberBox& BoxOf(int id) {
  return *std::find_if(std::begin(kBoxes), std::end(kBoxes), [id](const NumberBox& box) { return box.id == id; });
}

}  // namespace

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

void RamAlarm::LoadRamSettings() {
  const SettingsKey key(services_.registry, kRamSettingsKey);
  controls_.soundOn = key.Flag(kStored.chkSoundon);
  controls_.automatic = key.Flag(kStored.chkAutomatic);
  // "optPer" is given first, then "optMB": the MB format wins a contradiction.
  controls_.percent = key.Flag(kStored.optPer) && !key.Flag(kStored.optMB);
  SetRanges(controls_.percent ? 100 : 255);
  // What the boxes show is what is checked and used.
  alarmLevel_ = LoadBox(key, ramconfig::IDC_txtAlarm);
  freeAtLoad_ = freeAmount_ = LoadBox(key, ramconfig::IDC_txtFreeAlarm);
  checkInterval_ = static_cast<std::uint32_t>(LoadBox(key, ramconfig::IDC_txtTimeCheck));
  retryCount_ = LoadBox(key, ramconfig::IDC_txtRetryOptimization);
  threshold_ = LoadBox(key, ramconfig::IDC_txtRunOnly);
  controls_.problemBox = 0;
  controls_.problem.clear();
  ApplyChecks();
  tmrAlarm_->Start(checkInterval_);
  RunAlarmTimer();
  stored_ = controls_;
  SetChanged(false);
}

std::int32_t RamAlarm::LoadBox(const SettingsKey& key, int id) {
  const ui::WholeRange range = *RangeOf(id);
  const std::int32_t value = key.Whole(*BoxOf(id).stored, static_cast<std::int32_t>(range.minimum),
                                       static_cast<std::int32_t>(range.maximum));
  Show(id, value);
  return value;
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
  for (const auto& box : kBoxes) {
    if (!BoxLeft(box.id)) return false;
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

std::string RamAlarm::ProblemOf(int id) const {
  const auto range = RangeOf(id);
  return range ? ui::WholeNumberProblem(controls_.*BoxOf(id).text, *range) : std::string();
}

void RamAlarm::Show(int id, std::int64_t value) { controls_.*BoxOf(id).text = std::to_string(value); }

void RamAlarm::TakeFreeAmount() {
  if (ProblemOf(ramconfig::IDC_txtFreeAlarm).empty()) {
    freeAmount_ = static_cast<std::int32_t>(*ui::WholeNumber(controls_.freeAlarm));
  }
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
    Show(id, loaded);
    BoxLeft(id);
  };
  settle(ramconfig::IDC_txtAlarm, controls_.alarmEnabled, alarmLevel_);
  settle(ramconfig::IDC_txtFreeAlarm, controls_.automaticFieldsEnabled, freeAtLoad_);
  settle(ramconfig::IDC_txtTimeCheck, controls_.automaticFieldsEnabled, static_cast<std::int32_t>(checkInterval_));
  TakeFreeAmount();
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
    const auto value = ui::WholeNumber(controls_.*BoxOf(id).text);
    if (value) Show(id, std::clamp<std::int64_t>(*value, 0, maximum));
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
  TakeFreeAmount();
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
