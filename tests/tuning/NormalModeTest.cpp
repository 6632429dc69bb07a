// The step-by-step editor's page logic on a stand-in for its controls, applying
// into the in-memory registry and disk.
#include "tuning/NormalMode.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "support/TuningTestBed.h"

namespace tw::test {
namespace {

// The panel's controls as the page logic meets them: a text box reports each
// new text at once, as the real one does, so checks nest the same way.
class FakePages final : public IStepPagesView {
 public:
  explicit FakePages(NormalModePages& pages) : pages_(pages) {
    for (const ui::ControlSpec& control : kNormalModePanel.controls) texts[control.id] = std::string(control.caption);
    texts[IDC_cmbNDI] = "0";
    pages_.Form_Load(*this);
  }

  std::string Text(int id) const override { return texts.at(id); }
  void SetText(int id, std::string_view text) override {
    texts[id] = std::string(text);
    if (++depth_ > 16) throw std::runtime_error("a box keeps putting itself back");
    maxDepth = std::max(maxDepth, depth_);
    pages_.TextChanged(id);
    --depth_;
  }
  bool Checked(int id) const override { return checked.count(id) != 0 && checked.at(id); }
  void Enable(int id, bool on) override { enabled[id] = on; }
  void hideAllExcept(int page) override { shown = page; }
  void Message(std::string_view text, unsigned) override { messages.emplace_back(text); }
  void GoHome() override { ++home; }

  // What the user does.
  void Type(int id, std::string_view text) { SetText(id, text); }
  void Toggle(int id) {
    checked[id] = !Checked(id);
    if (id == IDC_chkBlackHoleValue) pages_.chkBlackHoleValue_Click();
    if (id == IDC_chkMTUDisconver) pages_.chkMTUDisconver_Click();
    if (id == IDC_chkICMPValue) pages_.chkICMPValue_Click();
  }
  void ChooseNdi(std::string_view item) {
    texts[IDC_cmbNDI] = std::string(item);
    pages_.cmbNDI_Click();
  }
  void Next() {
    ASSERT_TRUE(Enabled(IDC_cmdNextPage));
    pages_.cmdNextPage_Click();
  }
  void Back() {
    ASSERT_TRUE(Enabled(IDC_cmdPrevPage));
    pages_.cmdPrevPage_Click();
  }
  bool Enabled(int id) const { return enabled.count(id) == 0 || enabled.at(id); }

  std::map<int, std::string> texts;
  std::map<int, bool> checked;
  std::map<int, bool> enabled;
  int shown = -1;
  std::vector<std::string> messages;
  int home = 0;
  int maxDepth = 0;

 private:
  NormalModePages& pages_;
  int depth_ = 0;
};

// The editor on a fresh in-memory XP, with `start` as the set the last use left.
struct Editor {
  explicit Editor(int startPreset = 2, std::int16_t family = 7) : bed(family) {
    bed.tuning.CurrentSettings = bed.tuning.PresetSettings[static_cast<std::size_t>(startPreset)];
  }
  TcpIpSettings& settings() { return bed.tuning.CurrentSettings; }

  TuningTestBed bed;
  std::vector<TcpIpSettings> applied;
  NormalModePages pages{bed.tuning, [this](const TcpIpSettings& s) {
                          applied.push_back(s);
                          return ApplySettings({bed.registry, bed.files, bed.clock, kProgramFolder, bed.family}, s);
                        }};
  FakePages view{pages};
};

TEST(NormalModePages, EachConnectionTypeWalksToFinishLoadingEachPagesValues) {
  const struct {
    int type;
    std::int32_t mtu, mss;
    const char* mtuCaption;
    const char* mssCaption;
    const char* multiplier;
    std::int32_t rwin;
  } types[] = {
      {0, 576, 536, "576 Byte", "536 Byte", "3", 6432},
      {1, 1500, 1460, "1500 Byte", "1460 Byte", "44", 256960},
      {2, 1492, 1452, "1492 Byte", "1452Byte", "44", 255552},
      {3, 1500, 1460, "1500 Byte", "1460 Byte", "44", 256960},
  };
  for (const auto& t : types) {
    SCOPED_TRACE(t.type);
    // "Automatic-C" removes MTU and RWIN: every value the pages load differs from it.
    Editor e(2);
    FakePages& v = e.view;
    TcpIpSettings expected = e.settings();
    EXPECT_EQ(0, v.shown);
    EXPECT_FALSE(v.Enabled(IDC_cmdPrevPage));
    e.pages.optConnType_Click(t.type);

    v.Next();
    expected.MTU = t.mtu;
    expected.MSS = t.mss;
    EXPECT_EQ(expected, e.settings());
    EXPECT_EQ(1, v.shown);
    EXPECT_TRUE(v.Enabled(IDC_cmdPrevPage));
    EXPECT_EQ(std::to_string(t.mtu), v.texts[IDC_txtMTUValue]);
    EXPECT_EQ(std::to_string(t.mss), v.texts[IDC_txtMSSValue]);
    EXPECT_EQ(t.mtuCaption, v.texts[IDC_lblMTURecValue]);
    EXPECT_EQ(t.mssCaption, v.texts[IDC_lblMSSRecVaklue]);

    v.Next();
    expected.MTUDiscovery = true;
    expected.BlackHole = false;
    EXPECT_EQ(expected, e.settings());

    v.Next();
    expected.RWIN = t.rwin;
    EXPECT_EQ(expected, e.settings());
    EXPECT_EQ(std::to_string(t.mss), v.texts[IDC_txtMSSRWINValue]);
    EXPECT_EQ(t.multiplier, v.texts[IDC_txtMultiplier]);
    EXPECT_EQ("4", v.texts[IDC_txtScaleFactor]);
    EXPECT_EQ(std::to_string(t.rwin), v.texts[IDC_txtRWIN]);
    EXPECT_EQ(std::to_string(t.rwin) + "Bytes", v.texts[IDC_lblRWINRecValue]);

    v.Next();
    expected.TTL = 64;
    expected.HTTP10 = 20;
    expected.HTTP11 = 20;
    EXPECT_EQ(expected, e.settings());

    v.Next();
    expected.KeepAliveTime = 7200000;
    expected.KeepAliveInterval = 1000;
    EXPECT_EQ(expected, e.settings());

    v.Next();
    expected.SYN = 2;
    expected.NDI = 0;
    EXPECT_EQ(expected, e.settings());
    EXPECT_EQ("Next>>", v.texts[IDC_cmdNextPage]);

    v.Next();
    expected.ICMP = false;
    EXPECT_EQ(expected, e.settings());
    EXPECT_EQ(7, v.shown);
    EXPECT_EQ("Finish", v.texts[IDC_cmdNextPage]);
    EXPECT_TRUE(e.applied.empty()) << "nothing written before Finish";

    v.Next();
    ASSERT_EQ(1u, e.applied.size());
    EXPECT_EQ(expected, e.applied[0]);
    EXPECT_EQ(ApplyOutcome::Applied, e.pages.LastApply().outcome);
    EXPECT_EQ((std::vector<std::string>{"001.BCK"}), e.bed.files.FilesIn(kBackupsFolder));
    EXPECT_EQ(8, e.pages.currWizardPage);
    EXPECT_EQ(7, v.shown) << "the last page stays";
    EXPECT_FALSE(v.Enabled(IDC_cmdNextPage));
    EXPECT_EQ(1, v.home);
    EXPECT_TRUE(v.messages.empty());
  }
}

TEST(NormalModePages, TheReceiveWindowCalculatorKeepsWithinItsBounds) {
  Editor e;
  e.pages.optConnType_Click(3);
  for (int i = 0; i < 3; ++i) e.view.Next();
  FakePages& v = e.view;

  v.Type(IDC_txtMultiplier, "10000000");  // 1460 x 10000000 x 4 is past 1073741823
  EXPECT_EQ("44", v.texts[IDC_txtMultiplier]);
  EXPECT_EQ("256960", v.texts[IDC_txtRWIN]);
  v.Type(IDC_txtMultiplier, "0");  // 0 is below the MSS
  EXPECT_EQ("44", v.texts[IDC_txtMultiplier]);
  v.Type(IDC_txtMultiplier, "");
  EXPECT_EQ("44", v.texts[IDC_txtMultiplier]);
  v.Type(IDC_txtMultiplier, "x");
  EXPECT_EQ("44", v.texts[IDC_txtMultiplier]);

  // The largest multiplier still inside: 1460 x 4 x 183859 = 1073736560.
  v.Type(IDC_txtMultiplier, "183859");
  EXPECT_EQ("183859", v.texts[IDC_txtMultiplier]);
  EXPECT_EQ("1073736560", v.texts[IDC_txtRWIN]);
  v.Type(IDC_txtMultiplier, "183860");
  EXPECT_EQ("44", v.texts[IDC_txtMultiplier]);

  v.Type(IDC_txtMultiplier, "100");
  EXPECT_EQ("584000", v.texts[IDC_txtRWIN]);
  EXPECT_EQ(256960, e.settings().RWIN) << "the box only, until Finish";
  EXPECT_EQ("256960Bytes", v.texts[IDC_lblRWINRecValue]);
  EXPECT_LE(v.maxDepth, 3) << "typed, put back, recalculated";

  for (int i = 0; i < 5; ++i) v.Next();
  ASSERT_EQ(1u, e.applied.size());
  EXPECT_EQ(584000, e.applied[0].RWIN);
}

TEST(NormalModePages, CheckedBoxesPutBackTheFieldValue) {
  Editor e;
  for (int i = 0; i < 4; ++i) e.view.Next();
  FakePages& v = e.view;
  ASSERT_EQ(64, e.settings().TTL);
  ASSERT_EQ(20, e.settings().HTTP10);
  const struct { int box; const char* typed; const char* shown; } cases[] = {
      {IDC_txtTTLValue, "abc", "64"},       {IDC_txtTTLValue, "", "64"},
      {IDC_txtTTLValue, "0", "64"},         {IDC_txtTTLValue, "256", "64"},  // one byte of the IP header
      {IDC_txtTTLValue, "255", "255"},      {IDC_txtTTLValue, "1", "1"},
      {IDC_txtHTTP10Value, "3", "20"},      {IDC_txtHTTP10Value, "4", "4"},
      {IDC_txtHTTP11Value, "1", "20"},      {IDC_txtHTTP11Value, "2", "2"},
      {IDC_txtMTUValue, "-1", "576"},       {IDC_txtMTUValue, "2147483648", "576"},
      {IDC_txtMSSValue, "1.5e3", "1.5e3"},  {IDC_txtKeepAliveTimeValue, "1 hour", "600000"},  // page 5 not entered yet
      {IDC_txtKeepAliveIntervalValue, "2147483647", "2147483647"},
  };
  const TcpIpSettings before = e.settings();
  for (const auto& c : cases) {
    v.Type(c.box, c.typed);
    EXPECT_EQ(c.shown, v.texts[c.box]) << c.typed;
  }
  EXPECT_EQ(before, e.settings()) << "a check changes only the box";
}

TEST(NormalModePages, AFieldOutsideItsBoxsRangePutsBackTheNearestBoundInsteadOfLooping) {
  // "Windows default" allows 2 connections per HTTP 1.0 server, below the box's 4;
  // a record never set has a TTL of 0.
  Editor e(7);
  e.view.Type(IDC_txtHTTP10Value, "3");
  EXPECT_EQ("4", e.view.texts[IDC_txtHTTP10Value]);
  e.settings().TTL = 0;
  e.view.Type(IDC_txtTTLValue, "ttl");
  EXPECT_EQ("1", e.view.texts[IDC_txtTTLValue]);
  EXPECT_LE(e.view.maxDepth, 2);
}

TEST(NormalModePages, FinishBackAndFinishAgainApplyTwiceAndBackStopsAtTheFirstPage) {
  Editor e;
  FakePages& v = e.view;
  for (int i = 0; i < 8; ++i) v.Next();
  ASSERT_EQ(1u, e.applied.size());

  v.Back();
  EXPECT_EQ(7, e.pages.currWizardPage);
  EXPECT_EQ(7, v.shown);
  EXPECT_TRUE(v.Enabled(IDC_cmdNextPage));
  EXPECT_EQ("Finish", v.texts[IDC_cmdNextPage]) << "the button applies, and says so";
  v.Next();
  EXPECT_EQ(2u, e.applied.size());
  EXPECT_EQ((std::vector<std::string>{"001.BCK", "002.BCK"}), e.bed.files.FilesIn(kBackupsFolder));
  EXPECT_EQ(2, v.home);

  v.Back();
  v.Back();
  EXPECT_EQ(6, v.shown);
  EXPECT_EQ("Next>>", v.texts[IDC_cmdNextPage]);
  const TcpIpSettings before = e.settings();
  for (int i = 0; i < 6; ++i) v.Back();
  EXPECT_EQ(0, v.shown);
  EXPECT_FALSE(v.Enabled(IDC_cmdPrevPage));
  e.pages.cmdPrevPage_Click();  // pressed all the same
  EXPECT_EQ(0, e.pages.currWizardPage);
  EXPECT_EQ(before, e.settings()) << "going back sets nothing";
}

TEST(NormalModePages, FinishAppliesWhatTheControlsShowNotWhatEnteringAPageAgainReset) {
  Editor e(0, 3);  // on Windows 98
  FakePages& v = e.view;
  v.Next();
  v.Next();
  v.Toggle(IDC_chkBlackHoleValue);
  v.Toggle(IDC_chkMTUDisconver);
  EXPECT_TRUE(e.settings().BlackHole);
  EXPECT_FALSE(e.settings().MTUDiscovery);
  v.Back();
  v.Next();  // page 2 again: the record gets its recommendation back
  EXPECT_FALSE(e.settings().BlackHole);
  for (int i = 0; i < 4; ++i) v.Next();
  v.Type(IDC_txtSYNValue, "0");  // the up-down stepped down twice
  v.ChooseNdi("16");
  EXPECT_EQ(0, e.settings().SYN);
  v.Back();
  v.Next();  // page 6 again
  EXPECT_EQ(2, e.settings().SYN);
  v.Next();
  v.Toggle(IDC_chkICMPValue);
  v.Next();

  ASSERT_EQ(1u, e.applied.size());
  const TcpIpSettings& applied = e.applied[0];
  EXPECT_TRUE(applied.BlackHole);
  EXPECT_FALSE(applied.MTUDiscovery);
  EXPECT_EQ(0, applied.SYN);
  EXPECT_EQ(16, applied.NDI);
  EXPECT_TRUE(applied.ICMP);
  EXPECT_EQ(applied, e.settings());
  EXPECT_EQ(ApplyOutcome::Applied, e.pages.LastApply().outcome);
}

TEST(NormalModePages, AConnectionTypeOutsideTheTableSaysErrorAndChangesNothing) {
  Editor e;
  e.pages.optConnType_Click(4);
  const TcpIpSettings before = e.settings();
  e.view.Next();
  EXPECT_EQ((std::vector<std::string>{"Error"}), e.view.messages);
  EXPECT_EQ(before, e.settings());
  EXPECT_EQ("576", e.view.texts[IDC_txtMTUValue]);
  EXPECT_EQ("   Byte", e.view.texts[IDC_lblMTURecValue]);
  e.view.Next();
  e.view.Next();
  EXPECT_EQ(2u, e.view.messages.size()) << "page 3 has no multiplier for it either";
  EXPECT_EQ("", e.view.texts[IDC_txtMultiplier]);
}

TEST(NormalModePages, WithoutABackupNothingIsWrittenAndFinishStaysToBeTriedAgain) {
  Editor e;
  e.bed.files.AddFile(std::string(kBackupsFolder));  // a file where the folder should be
  for (int i = 0; i < 8; ++i) e.view.Next();
  EXPECT_EQ(ApplyOutcome::RefusedWithoutBackup, e.pages.LastApply().outcome);
  ASSERT_EQ(1u, e.view.messages.size());
  EXPECT_EQ(e.pages.LastApply().message, e.view.messages[0]);
  EXPECT_EQ(0, e.view.home);
  EXPECT_EQ(7, e.pages.currWizardPage);
  EXPECT_TRUE(e.view.Enabled(IDC_cmdNextPage));
  EXPECT_EQ("Finish", e.view.texts[IDC_cmdNextPage]);
}

TEST(NormalModePages, EveryPageKeepsItsControlsInsideItsFrameWithoutOverlaps) {
  const auto& table = kNormalModePanel.controls;
  for (int page = 0; page < kWizardPageCount; ++page) {
    const ui::PixelRect frame = ui::ControlRect(*ui::FindControl(table, WizardPageId(page)), table);
    std::vector<const ui::ControlSpec*> on;
    for (const ui::ControlSpec& c : table) {
      if (PageOf(c.id) == page && c.id != WizardPageId(page)) on.push_back(&c);
    }
    for (const ui::ControlSpec* c : on) {
      const ui::PixelRect r = ui::ControlRect(*c, table);
      EXPECT_TRUE(r.left > frame.left && r.top > frame.top && r.left + r.width < frame.left + frame.width &&
                  r.top + r.height < frame.top + frame.height)
          << c->name << " on page " << page;
      for (const ui::ControlSpec* d : on) {
        if (d <= c || d->container == c->id || c->container == d->id) continue;
        if (c->kind == ui::ControlKind::UpDown || d->kind == ui::ControlKind::UpDown) continue;
        const ui::PixelRect s = ui::ControlRect(*d, table);
        const bool apart = r.left + r.width <= s.left || s.left + s.width <= r.left ||
                           r.top + r.height <= s.top || s.top + s.height <= r.top;
        EXPECT_TRUE(apart) << c->name << " and " << d->name;
      }
    }
  }
  EXPECT_EQ(-1, PageOf(IDC_cmdNextPage));
  EXPECT_EQ(0, PageOf(IDC_optConnType_3)) << "through its own frame";
}

}  // namespace
}  // namespace tw::test
