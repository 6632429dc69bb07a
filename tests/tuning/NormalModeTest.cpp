// The step-by-step editor's page logic on a stand-in for its controls, applying
// into the in-memory registry and disk.
#include "tuning/NormalMode.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "support/TcpIpKeys.h"
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
    pages_.TextChanged(id);
    --depth_;
  }
  bool Checked(int id) const override { return checked.count(id) != 0 && checked.at(id); }
  void Enable(int id, bool on) override { enabled[id] = on; }
  void hideAllExcept(int page) override { shown = page; }
  void Message(std::string_view text, unsigned) override { messages.emplace_back(text); }
  void GoHome() override { ++home; }
  void SetTip(int id, std::string_view text) override { tips[id] = std::string(text); }
  void ShowProblem(int id, std::string_view text) override { problems[id] = std::string(text); }
  void FocusBox(int id) override { focused = id; }

  void Toggle(int id) {
    checked[id] = !Checked(id);
    if (id == IDC_chkBlackHoleValue) pages_.chkBlackHoleValue_Click();
    if (id == IDC_chkMTUDisconver) pages_.chkMTUDisconver_Click();
    if (id == IDC_chkICMPValue) pages_.chkICMPValue_Click();
  }
  void Press(int id, int times = 1) {
    for (int i = 0; i < times; ++i) {
      ASSERT_TRUE(Enabled(id));
      id == IDC_cmdNextPage ? pages_.cmdNextPage_Click() : pages_.cmdPrevPage_Click();
    }
  }
  bool Enabled(int id) const { return enabled.count(id) == 0 || enabled.at(id); }

  std::map<int, std::string> texts;
  std::map<int, bool> checked, enabled;
  std::map<int, std::string> tips, problems;
  int shown = -1, home = 0, focused = 0;
  std::vector<std::string> messages;

 private:
  NormalModePages& pages_;
  int depth_ = 0;
};

// The editor on an in-memory Windows of `family`, the record left at a preset.
struct Editor {
  explicit Editor(int preset = 2, std::int16_t family = 7) : bed(family) {
    bed.tuning.CurrentSettings = bed.tuning.PresetSettings[static_cast<std::size_t>(preset)];
  }
  TcpIpSettings& settings() { return bed.tuning.CurrentSettings; }
  std::string& text(int id) { return view.texts[id]; }

  TuningTestBed bed;
  std::vector<TcpIpSettings> applied;
  NormalModePages pages{bed.tuning, [this](const TcpIpSettings& s) {
                          applied.push_back(s);
                          return ApplySettings({bed.registry, bed.files, bed.clock, kProgramFolder, bed.family}, s);
                        }};
  FakePages view{pages};
};

TEST(NormalModePages, EachConnectionTypeWalksToFinishLoadingEachPagesValues) {
  const struct { int type; std::int32_t mtu, mss; const char* mssCaption; const char* multiplier; std::int32_t rwin; }
      types[] = {{0, 576, 536, "536 Byte", "3", 6432}, {1, 1500, 1460, "1460 Byte", "44", 256960},
                 {2, 1492, 1452, "1452Byte", "44", 255552}, {3, 1500, 1460, "1460 Byte", "44", 256960}};
  for (const auto& t : types) {
    SCOPED_TRACE(t.type);
    Editor e(2);  // "Automatic-C": every value the pages load differs from it
    TcpIpSettings expected = e.settings();
    e.pages.optConnType_Click(t.type);
    // What entering each of pages 1 to 7 puts into the record.
    const std::function<void(TcpIpSettings&)> entering[] = {
        [&](TcpIpSettings& s) { s.MTU = t.mtu, s.MSS = t.mss; },
        [](TcpIpSettings& s) { s.MTUDiscovery = true, s.BlackHole = false; },
        [&](TcpIpSettings& s) { s.RWIN = t.rwin; },
        [](TcpIpSettings& s) { s.TTL = 64, s.HTTP10 = 20, s.HTTP11 = 20; },
        [](TcpIpSettings& s) { s.KeepAliveTime = 7200000, s.KeepAliveInterval = 1000; },
        [](TcpIpSettings& s) { s.SYN = 2, s.NDI = 0; },
        [](TcpIpSettings& s) { s.ICMP = false; }};
    for (int page = 1; page <= 7; ++page) {
      e.view.Press(IDC_cmdNextPage);
      entering[page - 1](expected);
      EXPECT_EQ(expected, e.settings()) << "page " << page;
      EXPECT_EQ(page, e.view.shown);
      EXPECT_EQ(page == 7 ? "Finish" : "Next>>", e.text(IDC_cmdNextPage));
      if (page == 1) {
        EXPECT_EQ(std::to_string(t.mtu), e.text(IDC_txtMTUValue));
        EXPECT_EQ(t.mssCaption, e.text(IDC_lblMSSRecVaklue));
      }
    }
    EXPECT_EQ(t.multiplier, e.text(IDC_txtMultiplier));
    EXPECT_EQ(std::to_string(t.rwin) + "Bytes", e.text(IDC_lblRWINRecValue));
    EXPECT_TRUE(e.applied.empty()) << "nothing written before Finish";

    e.view.Press(IDC_cmdNextPage);
    EXPECT_EQ(std::vector<TcpIpSettings>{expected}, e.applied);
    EXPECT_EQ((std::vector<std::string>{"001.BCK"}), e.bed.files.FilesIn(kBackupsFolder));
    EXPECT_EQ(8, e.pages.currWizardPage);
    EXPECT_EQ(7, e.view.shown) << "the last page stays";
    EXPECT_FALSE(e.view.Enabled(IDC_cmdNextPage));
    EXPECT_EQ(1, e.view.home);
  }
}

TEST(NormalModePages, BoxesKeepWhatIsTypedAndNothingWindowsRefusesIsApplied) {
  Editor e;
  e.pages.optConnType_Click(3);
  e.view.Press(IDC_cmdNextPage, 3);
  // Typed a key at a time, nothing is put back; the window follows each key.
  e.view.SetText(IDC_txtMultiplier, "");
  EXPECT_EQ("", e.text(IDC_txtRWIN));
  e.view.SetText(IDC_txtMultiplier, "1");
  e.view.SetText(IDC_txtMultiplier, "10");
  EXPECT_EQ("58400", e.text(IDC_txtRWIN));
  // 1460 x 4 x 183859 = 1073736560 is the largest window Windows takes.
  for (const char* refused : {"183860", "0", "x"}) {
    e.view.SetText(IDC_txtMultiplier, refused);
    EXPECT_EQ(refused, e.text(IDC_txtMultiplier));
    EXPECT_FALSE(e.pages.BoxLeft(IDC_txtMultiplier)) << refused;
    EXPECT_EQ("Type a whole number from 1 to 183859.", e.view.problems[IDC_txtMultiplier]) << refused;
  }
  e.view.Press(IDC_cmdNextPage);
  EXPECT_EQ(3, e.view.shown) << "not left with a window Windows refuses";
  EXPECT_EQ(IDC_txtMultiplier, e.view.focused);
  e.view.SetText(IDC_txtMultiplier, "183859");
  EXPECT_EQ("", e.view.problems[IDC_txtMultiplier]) << "said no more once the text passes";
  EXPECT_EQ("1073736560", e.text(IDC_txtRWIN));
  e.view.SetText(IDC_txtMultiplier, "100");
  EXPECT_EQ(256960, e.settings().RWIN) << "the box only, until Finish";

  e.view.Press(IDC_cmdNextPage);
  e.view.SetText(IDC_txtHTTP10Value, "1");
  e.view.SetText(IDC_txtHTTP10Value, "16");
  const struct { int box; const char* typed; const char* problem; } cases[] = {
      {IDC_txtTTLValue, "256", "Type a whole number from 1 to 255."},
      {IDC_txtHTTP10Value, "3", "Type a whole number from 4 to 2147483647."},
      {IDC_txtMTUValue, "0", "Type a whole number from 576 to 1500."},
      {IDC_txtMTUValue, "999999", "Type a whole number from 576 to 1500."},
      {IDC_txtKeepAliveTimeValue, "99", "Type a whole number from 1000 to 2147483647."},
  };
  const TcpIpSettings before = e.settings();
  for (const auto& c : cases) {
    e.view.SetText(c.box, c.typed);
    EXPECT_EQ(c.typed, e.text(c.box)) << "kept as typed";
    EXPECT_FALSE(e.pages.BoxLeft(c.box)) << c.typed;
    EXPECT_EQ(c.problem, e.view.problems[c.box]) << c.typed;
  }
  EXPECT_EQ(before, e.settings()) << "a check changes nothing";
  const std::string interval = e.text(IDC_txtKeepAliveIntervalValue);
  e.view.SetText(IDC_txtKeepAliveIntervalValue, "2147483648");
  EXPECT_EQ(before.KeepAliveInterval, e.pages.Proposed().KeepAliveInterval) << "nothing past 32 bits";
  e.view.SetText(IDC_txtKeepAliveIntervalValue, interval);

  // Page 4 is not left while its TTL fails; put right, it is.
  e.view.Press(IDC_cmdNextPage);
  EXPECT_EQ(4, e.view.shown);
  EXPECT_EQ(IDC_txtTTLValue, e.view.focused);
  e.view.SetText(IDC_txtTTLValue, "255");
  e.view.SetText(IDC_txtHTTP10Value, "16");
  e.view.Press(IDC_cmdNextPage, 3);
  EXPECT_EQ(5, e.view.shown) << "not past the keep-alive times";
  e.view.SetText(IDC_txtKeepAliveTimeValue, "1000");
  // "Finish" with a page behind holding what Windows refuses: that page comes back.
  e.view.Press(IDC_cmdNextPage, 3);
  EXPECT_TRUE(e.applied.empty());
  EXPECT_EQ(1, e.view.shown);
  EXPECT_EQ(1, e.pages.currWizardPage);
  EXPECT_EQ(IDC_txtMTUValue, e.view.focused);
  e.view.SetText(IDC_txtMTUValue, "1400");
  e.view.Press(IDC_cmdNextPage);
  EXPECT_EQ(IDC_txtMSSValue, e.view.focused) << "the LAN's 1460 is more than the MTU less 40 bytes";
  EXPECT_EQ("Type a whole number from 536 to 1360.", e.view.problems[IDC_txtMSSValue]);
  e.view.SetText(IDC_txtMTUValue, "1500");
  EXPECT_EQ("", e.view.problems[IDC_txtMSSValue]) << "a larger MTU makes room for it";
  e.view.SetText(IDC_txtMTUValue, "1400");
  e.view.SetText(IDC_txtMSSValue, "1360");
  e.view.Press(IDC_cmdNextPage, 7);
  ASSERT_EQ(1u, e.applied.size());
  EXPECT_EQ(1400, e.applied[0].MTU);
  EXPECT_EQ(1360, e.applied[0].MSS);
  EXPECT_EQ(255, e.applied[0].TTL);
  EXPECT_EQ(1000, e.applied[0].KeepAliveTime);
}

TEST(NormalModePages, APageFillsInItsRecommendationOnceAWalkUnlessTheConnectionChanges) {
  Editor e;
  e.pages.optConnType_Click(1);  // cable: 1500 and 1460
  e.view.Press(IDC_cmdNextPage);
  e.view.SetText(IDC_txtMTUValue, "1400");
  e.view.SetText(IDC_txtMSSValue, "1360");
  e.view.Press(IDC_cmdPrevPage);
  e.view.Press(IDC_cmdNextPage);
  EXPECT_EQ("1400", e.text(IDC_txtMTUValue)) << "back and on again keeps the user's own";
  e.view.Press(IDC_cmdNextPage, 2);
  EXPECT_EQ("1360", e.text(IDC_txtMSSRWINValue)) << "the window is made of the MSS typed";
  EXPECT_EQ("239360", e.text(IDC_txtRWIN));
  e.view.SetText(IDC_txtMultiplier, "40");
  e.view.Press(IDC_cmdPrevPage);
  e.view.Press(IDC_cmdNextPage);
  EXPECT_EQ("40", e.text(IDC_txtMultiplier));

  // Another connection: its two pages are filled in afresh.
  e.view.Press(IDC_cmdPrevPage, 3);
  e.pages.optConnType_Click(2);
  e.view.Press(IDC_cmdNextPage);
  EXPECT_EQ("1492", e.text(IDC_txtMTUValue));
  e.view.Press(IDC_cmdNextPage, 2);
  EXPECT_EQ("44", e.text(IDC_txtMultiplier));
  EXPECT_EQ("255552", e.text(IDC_txtRWIN));
  e.view.Press(IDC_cmdNextPage, 5);
  ASSERT_EQ(1u, e.applied.size());
  EXPECT_EQ(1492, e.applied[0].MTU);
  EXPECT_EQ(255552, e.applied[0].RWIN);
}

TEST(NormalModePages, FinishAppliesWhatTheControlsShowAndAgainFromTheLastPage) {
  Editor e(0, 3);  // on Windows 98
  e.view.Press(IDC_cmdNextPage, 2);
  e.view.Toggle(IDC_chkBlackHoleValue);
  e.view.Toggle(IDC_chkMTUDisconver);
  EXPECT_TRUE(e.settings().BlackHole);
  EXPECT_FALSE(e.settings().MTUDiscovery);
  e.view.Press(IDC_cmdPrevPage);
  e.view.Press(IDC_cmdNextPage, 5);  // page 2 again, the boxes kept
  e.view.SetText(IDC_txtSYNValue, "0");
  e.view.texts[IDC_cmbNDI] = "16";
  e.pages.cmbNDI_Click();
  e.view.Press(IDC_cmdPrevPage);
  e.view.Press(IDC_cmdNextPage, 2);
  e.view.Toggle(IDC_chkICMPValue);
  EXPECT_EQ(0, e.settings().SYN) << "page 6 again keeps the user's choice";
  e.view.Press(IDC_cmdNextPage);

  ASSERT_EQ(1u, e.applied.size());
  const TcpIpSettings& applied = e.applied[0];
  EXPECT_TRUE(applied.BlackHole && !applied.MTUDiscovery && applied.ICMP);
  EXPECT_EQ(0, applied.SYN);
  EXPECT_EQ(16, applied.NDI);

  // Back on the last page the button still applies, and says "Finish".
  e.view.Press(IDC_cmdPrevPage);
  EXPECT_EQ(7, e.pages.currWizardPage);
  EXPECT_EQ("Finish", e.text(IDC_cmdNextPage));
  e.view.Press(IDC_cmdNextPage);
  EXPECT_EQ(2u, e.applied.size());
  EXPECT_EQ((std::vector<std::string>{"001.BCK", "002.BCK"}), e.bed.files.FilesIn(kBackupsFolder));

  e.view.Press(IDC_cmdPrevPage, 2);
  EXPECT_EQ("Next>>", e.text(IDC_cmdNextPage));
  const TcpIpSettings before = e.settings();
  e.view.Press(IDC_cmdPrevPage, 6);
  EXPECT_FALSE(e.view.Enabled(IDC_cmdPrevPage));
  e.pages.cmdPrevPage_Click();
  EXPECT_EQ(0, e.pages.currWizardPage);
  EXPECT_EQ(before, e.settings()) << "going back sets nothing";
}

TEST(NormalModePages, AnUnknownConnectionTypeOrAMissingBackupChangesNothing) {
  Editor e;
  e.pages.optConnType_Click(4);
  const TcpIpSettings before = e.settings();
  e.view.Press(IDC_cmdNextPage, 3);
  EXPECT_EQ((std::vector<std::string>{"Error", "Error"}), e.view.messages) << "pages 1 and 3";
  EXPECT_EQ(before, e.settings());
  EXPECT_EQ("576", e.text(IDC_txtMTUValue));

  Editor f;
  f.bed.files.AddFile(std::string(kBackupsFolder));  // a file where the folder should be
  f.view.Press(IDC_cmdNextPage, 8);
  EXPECT_EQ(ApplyOutcome::RefusedWithoutBackup, f.pages.LastApply().outcome);
  EXPECT_EQ(std::vector<std::string>{f.pages.LastApply().message}, f.view.messages);
  EXPECT_EQ(0, f.view.home);
  EXPECT_EQ(7, f.pages.currWizardPage) << "Finish can be pressed again";
  EXPECT_TRUE(f.view.Enabled(IDC_cmdNextPage));
}

TEST(NormalModePages, EachSettingShowsTheValueNowAndMarksWhatFinishWouldChange) {
  Editor editor(2, 7);
  const OsFamilyInfo xp = editor.bed.family;
  editor.bed.SetDword(kHkeyLocalMachine, InterfaceKey("{A}"), "MTU", 1500);
  editor.bed.SetDword(kHkeyLocalMachine, InterfaceServiceKey("{A}"), "MTU", 1500);
  editor.pages.SetValuesNowReader([&] {
    return CurrentValues::Read(editor.bed.memory, DescribeRunningWindows(editor.bed.memory, xp));
  });
  editor.pages.ShowValuesNow(true);
  EXPECT_EQ("MTU now 1500 *", editor.text(IDC_lblMTUNow)) << "the box holds 576";
  EXPECT_EQ("now not set *", editor.text(IDC_lblMTUDiscoverNow));

  editor.pages.optConnType_Click(2);  // DSL: 1492
  editor.view.Press(IDC_cmdNextPage);
  editor.pages.ShowValuesNow();
  EXPECT_EQ("MTU now 1500 *", editor.text(IDC_lblMTUNow));
  EXPECT_NE(std::string::npos, editor.view.tips[IDC_lblMTUNow].find("Finish")) << "the mark explained";
  editor.view.SetText(IDC_txtMTUValue, "1500");
  editor.pages.ShowValuesNow();
  EXPECT_EQ("MTU now 1500", editor.text(IDC_lblMTUNow)) << "the box now holds what Windows has";
  EXPECT_EQ("", editor.view.tips[IDC_lblMTUNow]);
  EXPECT_EQ("Keep Alive Time now not set *!", editor.text(IDC_lblKeepAliveTimeNow));
  EXPECT_NE(std::string::npos, editor.view.tips[IDC_lblKeepAliveTimeNow].find("SO_KEEPALIVE"));

  editor.view.Press(IDC_cmdNextPage, 7);  // to "Finish", which applies and reads again
  ASSERT_EQ(1u, editor.applied.size());
  EXPECT_EQ("MTU now 1500", editor.text(IDC_lblMTUNow));
  EXPECT_EQ("now on", editor.text(IDC_lblMTUDiscoverNow));
  EXPECT_EQ("Keep Alive Time now 7200000 !", editor.text(IDC_lblKeepAliveTimeNow));
}

}  // namespace
}  // namespace tw::test
