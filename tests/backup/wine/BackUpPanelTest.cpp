// The real backup manager with a real list view, real files and the real
// registry, in a test host standing in for the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "backup/BackupFile.h"
#include "backup/win32/frmBackUp.h"
#include "platform/win32/Win32Registry.h"
#include "support/TcpIpKeys.h"
#include "support/TuningKeys.h"
#include "support/wine/Program.h"
#include "support/wine/ScratchFolder.h"
#include "support/wine/RealSystemTest.h"
#include "support/wine/TestPanelHost.h"
#include "tcpip/TcpIpLayout.h"
#include "tuning/ApplySettings.h"

namespace tw::test {
namespace {

class BackUpPanel : public PanelTest<kBackUpPanel> {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    ASSERT_TRUE(host_.Show(panel_));
  }

  HWND Control(int id) { return panel_.Control(id); }
  HWND List() { return Control(IDC_lstBackUpList); }
  std::string Backups() { return folder_.path() + "\\Backups"; }
  int Rows() { return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> cells;
    for (int row = 0; row < Rows(); ++row) cells.push_back(panel_.GetSubItemText(row, column));
    return cells;
  }
  bool Enabled(int id) { return IsWindowEnabled(Control(id)) != FALSE; }
  void Select(const std::string& fileName) {
    const std::vector<std::string> names = Column(1);
    const auto row = std::find(names.begin(), names.end(), fileName) - names.begin();
    ASSERT_LT(row, Rows()) << fileName;
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
  }
  void Apply(int preset) {
    ASSERT_EQ(ApplyOutcome::Applied,
              ApplySettings(Target(), app_.tuning.PresetSettings[static_cast<std::size_t>(preset)]).outcome);
  }
  // The tuned values as a backup reads them, less its date and time.
  std::string Values() {
    const std::string text = BackupContents(registry_, app_.os, clock_.GetLocalTime());
    return text.substr(text.find("\r\n", 14));
  }
  std::string Parameters() { return std::string(IsNtFamily(app_.os.code) ? kTcpipParametersKey : kMstcpKey); }
  bool HasValue(std::string_view key, std::string_view name) {
    RegKey open;
    if (RegKey::Open(registry_, kHkeyLocalMachine, key, kKeyRead, open) != kErrorSuccess) return false;
    std::uint32_t type = 0, size = 0;
    return registry_.QueryValueEx(open.get(), name, &type, nullptr, &size) == kErrorSuccess;
  }

  frmBackUp panel_{registry_, files_, clock_, app_.programFolder, app_.os, messages_};
};

TEST_F(BackUpPanel, RestoringTheBackupOfASecondApplyPutsBackTheStateAfterTheFirst) {
  EXPECT_EQ("Backup", WindowText(panel_.hwnd()));
  panel_.intializeList();
  EXPECT_EQ(0, Rows());
  EXPECT_EQ(1u, FolderEntries(folder_.path(), "Backups").size()) << "a missing folder is created";
  const bool ttlBefore = HasValue(Parameters(), "DefaultTTL");
  const char* const discovery = IsNtFamily(app_.os.code) ? "EnablePMTUDiscovery" : "PMTUDiscovery";
  const bool discoveryBefore = HasValue(Parameters(), discovery);
  EXPECT_FALSE(Enabled(IDC_cmdRestore));
  EXPECT_FALSE(Enabled(IDC_cmdDelete));

  // Year-old backups under the last numbers: the next ones are 001 and 002, and newest.
  for (const char* old : {"998.BCK", "999.BCK"}) {
    ASSERT_EQ(kErrorSuccess, files_.WriteNewFile(Backups() + "\\" + old, "#2023-03-05#\r\n#15:51:09#\r\n7\r\n"));
  }
  Apply(0);  // Automatic-A
  const std::string afterA = Values();
  Apply(2);  // Automatic-C removes MTU and the window
  ASSERT_NE(afterA, Values());
  panel_.intializeList();
  ASSERT_EQ((std::vector<std::string>{"002.BCK", "001.BCK", "999.BCK", "998.BCK"}), Column(1)) << "newest first";
  EXPECT_FALSE(Column(2)[0].empty()) << "the date as the system writes it";
  EXPECT_NE(std::string::npos, Column(3)[0].find(':')) << "the time as the system writes it";

  Select("002.BCK");
  EXPECT_TRUE(Enabled(IDC_cmdRestore));
  EXPECT_TRUE(Enabled(IDC_cmdDelete));
  host_.ClearCalls();
  messages_.answers = {ui::kIdNo};
  Click(Control(IDC_cmdRestore));
  EXPECT_NE(afterA, Values()) << "No restores nothing";
  Click(Control(IDC_cmdRestore));
  ASSERT_EQ(2u, messages_.shown.size()) << messages_.shown.back().text;
  EXPECT_EQ("Do you want to restore this settings?", messages_.shown[1].text);
  EXPECT_EQ(static_cast<unsigned>(MB_YESNO | MB_ICONEXCLAMATION), messages_.shown[1].flags);
  EXPECT_EQ(afterA, Values());
  EXPECT_EQ((std::vector<std::string>{"ShowHome"}), host_.Calls());

  // The first backup recorded a registry no apply had touched: what was
  // missing there, the restore removes again, a switch as well as the time to live.
  Select("001.BCK");
  Click(Control(IDC_cmdRestore));
  EXPECT_EQ(ttlBefore, HasValue(Parameters(), "DefaultTTL"));
  EXPECT_EQ(discoveryBefore, HasValue(Parameters(), discovery));
}

TEST_F(BackUpPanel, DamagedForeignAndOtherFamilyFilesListButWriteNothing) {
  Apply(0);
  const std::string sound = ReadWholeFile(Backups() + "\\001.BCK");
  ASSERT_FALSE(sound.empty());
  // Cut inside its last pair: the value line is gone.
  ASSERT_EQ(kErrorSuccess,
            files_.WriteNewFile(Backups() + "\\002.BCK", sound.substr(0, sound.rfind("\r\n", sound.size() - 3) + 2)));
  const std::string otherFamily = IsNtFamily(app_.os.code) ? "3" : "7";
  const std::size_t familyLine = sound.find("\r\n", 14) + 2;
  ASSERT_EQ(kErrorSuccess,
            files_.WriteNewFile(Backups() + "\\003.BCK", sound.substr(0, familyLine) + otherFamily +
                                                            sound.substr(sound.find("\r\n", familyLine))));
  ASSERT_EQ(kErrorSuccess, files_.WriteNewFile(Backups() + "\\004.BCK", "not a backup at all\r\n"));
  Apply(2);
  const std::string before = Values();

  panel_.intializeList();
  // Newest first; 002 and 003 are copies of 001, stamp and all; 004 has no stamp.
  ASSERT_EQ((std::vector<std::string>{"005.BCK", "003.BCK", "002.BCK", "001.BCK", "004.BCK"}), Column(1));
  EXPECT_EQ("", Column(2)[4]);
  EXPECT_EQ("", Column(3)[4]);
  EXPECT_FALSE(Column(2)[2].empty());
  // Marked before anyone asks to restore them, as the command line lists them.
  const std::vector<std::string> restoreHere = Column(4);
  EXPECT_EQ("yes", restoreHere[0]);
  EXPECT_EQ("no: taken on " + std::string(OsFamilyName(IsNtFamily(app_.os.code) ? 3 : 7)), restoreHere[1]);
  EXPECT_EQ(0u, restoreHere[2].rfind("no: damaged at line ", 0)) << restoreHere[2];
  EXPECT_EQ("yes", restoreHere[3]);
  EXPECT_EQ(0u, restoreHere[4].rfind("no: damaged at line 1", 0)) << restoreHere[4];

  host_.ClearCalls();
  for (const char* name : {"002.BCK", "003.BCK", "004.BCK"}) {
    messages_.shown.clear();
    Select(name);
    Click(Control(IDC_cmdRestore));
    ASSERT_EQ(2u, messages_.shown.size()) << name;
    EXPECT_EQ(before, Values()) << name << ": nothing written";
  }
  // The last one shown is the foreign file's.
  EXPECT_EQ(0u, messages_.shown[1].text.find("The backup file \"004.BCK\" is damaged at line 1:"))
      << messages_.shown[1].text;
  Select("003.BCK");
  messages_.shown.clear();
  Click(Control(IDC_cmdRestore));
  EXPECT_EQ("This backup file was taken from another operating system!!", messages_.shown.at(1).text);
  EXPECT_EQ(static_cast<unsigned>(MB_OK | MB_ICONSTOP), messages_.shown.at(1).flags);
  EXPECT_TRUE(host_.Calls().empty()) << "the user stays with the message";
}

// Files a user may be handed, and names the folder may hold: a folder with a
// backup's name, a name outside ASCII, a key line with a NUL in an adapter's
// name (cut there, it would name "Services\EvilSvc" itself) and a file of
// 400 MB. None stops a change, none writes anything, each name shows whole.
TEST_F(BackUpPanel, CraftedFilesWriteNothingAndOddNamesBlockNothing) {
  KeepTuningKeys(snapshot_, registry_, {"EvilSvc"}, {"EvilSvc"});
  ASSERT_EQ(kErrorSuccess, files_.CreateFolder(Backups()));
  ASSERT_EQ(kErrorSuccess, files_.CreateFolder(Backups() + "\\001.BCK"));
  Apply(0);
  const std::string sound = ReadWholeFile(Backups() + "\\002.BCK");
  ASSERT_FALSE(sound.empty()) << "the folder's name is skipped";
  ASSERT_EQ(kErrorSuccess, files_.WriteNewFile(Backups() + "\\Sauvegarde-\xC3\xA9.BCK", sound));

  const bool nt = IsNtFamily(app_.os.code);
  const std::string evil = std::string("EvilSvc") + '\0';
  std::string crafted = sound;
  for (const std::string& key :
       nt ? std::vector<std::string>{std::string(kInterfacesKey) + "\\" + evil,
                                     "SYSTEM\\CurrentControlSet\\Services\\" + evil + "\\Parameters\\Tcpip"}
          : std::vector<std::string>{std::string(kNetTransKey) + "\\" + evil}) {
    crafted += "\"" + key + "\"\r\n\"" + (nt ? "MTU" : "MaxMTU") + "\"\r\n1500\r\n\"" + (nt ? "MSS" : "MaxMSS") +
               "\"\r\n0\r\n";
  }
  ASSERT_EQ(kErrorSuccess, files_.WriteNewFile(Backups() + "\\003.BCK", crafted));
  {
    ASSERT_EQ(kErrorSuccess, files_.WriteNewFile(Backups() + "\\004.BCK", sound.substr(0, 200)));
    HANDLE big = CreateFileA((Backups() + "\\004.BCK").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, big);
    SetFilePointer(big, 400 << 20, nullptr, FILE_BEGIN);
    EXPECT_TRUE(SetEndOfFile(big));
    CloseHandle(big);
  }
  const std::string before = Values();

  panel_.intializeList();
  EXPECT_EQ(4, Rows()) << "the folder is no backup";
  bool unicode = false;
  for (int row = 0; row < Rows(); ++row) {
    wchar_t cell[64] = {};
    LVITEMW item{};
    item.pszText = cell;
    item.cchTextMax = 64;
    SendMessageW(List(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    unicode = unicode || std::wstring(cell) == L"Sauvegarde-\u00e9.BCK";
  }
  EXPECT_TRUE(unicode) << "the name as the system shows it";
  const std::vector<std::string> names = Column(1);
  const auto huge = std::find(names.begin(), names.end(), "004.BCK") - names.begin();
  ASSERT_LT(huge, Rows());
  EXPECT_FALSE(Column(2)[static_cast<std::size_t>(huge)].empty()) << "the huge file's stamp is listed";

  Select("003.BCK");
  Click(Control(IDC_cmdRestore));
  ASSERT_EQ(2u, messages_.shown.size());
  EXPECT_NE(std::string::npos,
            messages_.shown[1].text.find(": an adapter's key name without control characters was expected."))
      << messages_.shown[1].text;
  RegKey key;
  EXPECT_EQ(kErrorFileNotFound, RegKey::Open(registry_, kHkeyLocalMachine,
                                             nt ? "SYSTEM\\CurrentControlSet\\Services\\EvilSvc"
                                                : std::string(kNetTransKey) + "\\EvilSvc",
                                             kKeyRead, key));
  EXPECT_EQ(before, Values());

  messages_.shown.clear();
  Select("004.BCK");
  Click(Control(IDC_cmdRestore));
  ASSERT_EQ(2u, messages_.shown.size());
  EXPECT_EQ(0u, messages_.shown[1].text.find("The file \"004.BCK\" is larger than any backup can be"))
      << messages_.shown[1].text;
  EXPECT_EQ(before, Values());
  EXPECT_EQ((std::vector<std::string>{"001.BCK", "002.BCK", "003.BCK", "004.BCK"}), FolderEntries(Backups(), "0*.BCK"));
}

TEST_F(BackUpPanel, DeleteRemovesTheFileRefreshesTheListAndWaitsForTheNextChoice) {
  Apply(0);
  Apply(1);
  panel_.intializeList();
  int deleted = 0;
  panel_.UndoesLastChange = [](const std::string& name) { return name == "002.BCK"; };
  panel_.Deleted = [&deleted] { ++deleted; };
  Select("001.BCK");
  messages_.answers = {ui::kIdNo};
  Click(Control(IDC_cmdDelete));
  EXPECT_EQ((std::vector<std::string>{"001.BCK", "002.BCK"}), FolderEntries(Backups(), "*.BCK"));
  EXPECT_EQ(0, deleted);
  Click(Control(IDC_cmdDelete));
  EXPECT_EQ("Do you want to delete this file?\r\n\r\n001.BCK", messages_.shown.at(1).text) << "the file it is about";
  EXPECT_EQ((std::vector<std::string>{"002.BCK"}), FolderEntries(Backups(), "*.BCK"));
  EXPECT_EQ(1, deleted) << "the home line is told";
  EXPECT_EQ((std::vector<std::string>{"002.BCK"}), Column(1));
  EXPECT_FALSE(Enabled(IDC_cmdRestore)) << "no row chosen yet";
  EXPECT_FALSE(Enabled(IDC_cmdDelete));
  Select("002.BCK");
  Click(Control(IDC_cmdDelete));
  EXPECT_NE(std::string::npos, messages_.shown.back().text.find("Tidewave cannot undo that change"))
      << "the undo of the last change: " << messages_.shown.back().text;
  EXPECT_EQ(0, Rows());
  EXPECT_FALSE(Enabled(IDC_cmdDelete));
}

TEST_F(BackUpPanel, HeaderClicksSortByDateAscendingThenDescending) {
  ASSERT_EQ(kErrorSuccess, files_.CreateFolder(Backups()));
  const char* const stamps[][2] = {{"#2024-02-01#", "#08:00:00#"}, {"#2023-12-31#", "#23:00:00#"},
                                   {"#2024-03-01#", "#07:59:59#"}};
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(kErrorSuccess, files_.WriteNewFile(Backups() + "\\00" + std::to_string(i + 1) + ".BCK",
                                                 std::string(stamps[i][0]) + "\r\n" + stamps[i][1] + "\r\n7\r\n"));
  }
  ASSERT_EQ(kErrorSuccess, files_.WriteNewFile(Backups() + "\\004.BCK", "damaged"));
  panel_.intializeList();

  // Through the header itself, as a click on it reaches the panel.
  auto clickHeader = [&](int column) {
    NMLISTVIEW click{};
    click.hdr = {List(), static_cast<UINT_PTR>(IDC_lstBackUpList), static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageA(panel_.hwnd(), WM_NOTIFY, IDC_lstBackUpList, reinterpret_cast<LPARAM>(&click));
  };
  clickHeader(1);
  EXPECT_EQ((std::vector<std::string>{"004.BCK", "002.BCK", "001.BCK", "003.BCK"}), Column(1))
      << "the damaged file first, then 2023 before 2024";
  EXPECT_EQ("ASC", panel_.Tags().tags[1]);
  clickHeader(1);
  EXPECT_EQ((std::vector<std::string>{"003.BCK", "001.BCK", "002.BCK", "004.BCK"}), Column(1));
  EXPECT_EQ("DESC", panel_.Tags().tags[1]);
  clickHeader(2);
  EXPECT_EQ((std::vector<std::string>{"004.BCK", "003.BCK", "001.BCK", "002.BCK"}), Column(1)) << "by time of day";
  EXPECT_EQ("", panel_.Tags().tags[1]);
  clickHeader(1);
  EXPECT_EQ("ASC", panel_.Tags().tags[1]) << "its tag was cleared, so ascending again";
  EXPECT_EQ("004.BCK", Column(1)[0]);
  clickHeader(0);
  EXPECT_EQ((std::vector<std::string>{"001.BCK", "002.BCK", "003.BCK", "004.BCK"}), Column(1)) << "by name";
  EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace tw::test
