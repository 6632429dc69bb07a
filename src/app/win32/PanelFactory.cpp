#include "app/win32/PanelFactory.h"

#include "memory/win32/frmRamConfiguration.h"
#include "memory/win32/frmSystemStatus.h"
#include "pinger/NetPinger.h"
#include "pinger/win32/frmNetPingerSettings.h"
#include "platform/win32/WidePath.h"
#include "platform/win32/Win32Network.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32Version.h"
#include "tuning/win32/frmWizardMode.h"

namespace tw {
namespace {

// How the Run entry is written: in Unicode where Windows keeps it so.
RunEntryForm RunEntryFormHere() { return NtPlatform() ? RunEntryForm::Unicode : RunEntryForm::CodePage; }

// The program folder, "\", the executable's name without its extension and
// ".exe", in the form the Run entry is written in (UTF-8 for Unicode, else
// the system code page); empty without a folder.
std::string ProgramPath(const std::string& folder) {
  if (folder.empty()) return {};
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string name(module);
  name = name.substr(name.find_last_of("\\/") + 1);
  name = name.substr(0, name.find_last_of('.'));
  const std::string path = folder + "\\" + AnsiToUtf8(name) + ".exe";
  return RunEntryFormHere() == RunEntryForm::Unicode ? path : Utf8ToAnsi(path);
}
// Both tuning panels apply through the running system, a backup first, and
// what an apply did becomes the program's last change.
auto ApplierFor(AppContext& app, PanelId panel, const PanelLinks& links) {
  return [&app, panel, changeMade = links.changeMade](const TcpIpSettings& settings) {
    // One change at a time with tidewave-cli and any other Tidewave: the
    // backup, the writes and the record of the change, as one.
    const ChangeLock lock(app.files);
    if (!lock) {
      ApplyResult busy;
      busy.outcome = ApplyOutcome::RefusedWithoutBackup;
      busy.backup = {BackupProblem::ChangeInProgress, lock.status(), {}};
      busy.message = BackupFailureMessage(busy.backup);
      return busy;
    }
    ApplyResult result = ApplySettings({app.registry, app.files, app.clock, app.programFolder, app.os}, settings);
    if (!changeMade) return result;
    const auto change =
        LastChangeOfApply(result, AppliedSetName(panel, app.tuning, settings), app.clock.GetLocalTime());
    if (change) changeMade(*change);
    return result;
  };
}

// "Find" on the MTU page pings the pinger's saved host, with its time-out,
// over a network of its own: the search's thread may outlive the panel.
MtuProbeSource MtuProbeFor(AppContext& app) {
  return {.host = [&app] { return SavedPingHost(app.registry); },
          .timeoutMs = kPingTimeoutMs,
          .network = [] { return std::make_unique<Win32Network>(); }};
}

// Memory and processor figures come straight from the system, which keeps
// nothing between calls: one of each serves the whole run.
Win32SystemInfo& SystemInfo() {
  static Win32SystemInfo system;
  return system;
}

Win32Version& VersionSource() {
  static Win32Version version;
  return version;
}

}  // namespace

Panels MakePanels(AppContext& app, const PanelLinks& links) {
  Panels made;
  made.monitor = std::make_unique<SharedMonitor>();
  const auto place = [&made]<typename T>(PanelId id, std::unique_ptr<T> panel) {
    T* typed = panel.get();
    made.byId[static_cast<int>(id)] = std::move(panel);
    return typed;
  };
  // In the catalogue's order.
  place(PanelId::frmWizardMode,
        std::make_unique<frmWizardMode>(app.tuning, ApplierFor(app, PanelId::frmWizardMode, links), app.registry,
                                        app.os, app.messages));
  made.normalMode = place(PanelId::frmNormalMode,
                          std::make_unique<frmNormalMode>(app.tuning, ApplierFor(app, PanelId::frmNormalMode, links),
                                                          app.registry, app.os, app.messages, MtuProbeFor(app)));
  auto backUp =
      std::make_unique<frmBackUp>(app.registry, app.files, app.clock, app.programFolder, app.os, app.messages);
  if (links.changeMade) {
    backUp->Restored = [&app, changeMade = links.changeMade](const RestoreReport& report) {
      changeMade(LastChangeOfRestore(report, app.clock.GetLocalTime()));
    };
  }
  backUp->UndoesLastChange = [&app](const std::string& fileName) { return UndoesLastChange(app.registry, fileName); };
  backUp->Deleted = links.backupDeleted;
  made.backUp = place(PanelId::frmBackUp, std::move(backUp));
  place(PanelId::frmNetPingerSettings,
        std::make_unique<frmNetPingerSettings>(app.registry, app.network, app.sound, app.programFolder, app.messages,
                                               [] { return std::make_unique<Win32Network>(); }));
  place(PanelId::frmSystemStatus, std::make_unique<frmSystemStatus>(SystemInfo(), SystemInfo(), app.registry,
                                                                    VersionSource(), *made.monitor,
                                                                    links.showTrayTip, app.messages));
  place(PanelId::frmRamConfiguration,
        std::make_unique<frmRamConfiguration>(app.registry, SystemInfo(), app.sound, app.programFolder,
                                              *made.monitor, app.messages));
  made.mainSettings = place(PanelId::frmMainSettings,
                            std::make_unique<frmMainSettings>(app.registry, ProgramPath(app.programFolder),
                                                              app.messages, RunEntryFormHere()));
  return made;
}

}  // namespace tw
