#include "app/win32/PanelFactory.h"

#include <array>

#include "backup/win32/frmBackUp.h"
#include "memory/win32/frmRamConfiguration.h"
#include "memory/win32/frmSystemStatus.h"
#include "pinger/NetPinger.h"
#include "pinger/win32/frmNetPingerSettings.h"
#include "platform/win32/WidePath.h"
#include "platform/win32/Win32Network.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32Version.h"
#include "settings/win32/frmMainSettings.h"
#include "tuning/win32/frmNormalMode.h"
#include "tuning/win32/frmWizardMode.h"

namespace tw {
namespace {

constexpr ui::PanelSpec EmptySpec(PanelId id) { return ui::PanelLayout(id, {}); }

constexpr std::array<ui::PanelSpec, kPanelCount> kEmptySpecs{
    EmptySpec(PanelId::frmWizardMode),        EmptySpec(PanelId::frmNormalMode),
    EmptySpec(PanelId::frmBackUp),            EmptySpec(PanelId::frmNetPingerSettings),
    EmptySpec(PanelId::frmSystemStatus),      EmptySpec(PanelId::frmRamConfiguration),
    EmptySpec(PanelId::frmMainSettings)};

class EmptyPanel final : public ui::Panel {
 public:
  using ui::Panel::Panel;
};

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

std::unique_ptr<ui::Panel> MakePanel(PanelId id, AppContext& app, const PanelLinks& links) {
  if (id == PanelId::frmSystemStatus) {
    frmSystemStatus::Links statusLinks;
    if (links.panel) {
      // The RAM panel's option as it stands, the panel started first if it
      // is not yet: its stored format counts from the first tick.
      statusLinks.optPer = [panel = links.panel, start = links.start] {
        auto* ram = dynamic_cast<frmRamConfiguration*>(&panel(PanelId::frmRamConfiguration));
        if (ram == nullptr) return false;
        if (!ram->IsStarted() && start) start(PanelId::frmRamConfiguration);
        return ram->optPer();
      };
    }
    statusLinks.showTrayTip = links.showTrayTip;
    return std::make_unique<frmSystemStatus>(SystemInfo(), SystemInfo(), app.registry, VersionSource(),
                                             std::move(statusLinks), app.messages);
  }
  if (id == PanelId::frmRamConfiguration) {
    std::function<std::int32_t()> query;
    if (links.panel) {
      query = [panel = links.panel] {
        auto* status = dynamic_cast<frmSystemStatus*>(&panel(PanelId::frmSystemStatus));
        return status != nullptr ? status->QueryProcessor() : 0;
      };
    }
    return std::make_unique<frmRamConfiguration>(app.registry, SystemInfo(), app.sound, app.programFolder,
                                                 std::move(query), app.messages);
  }
  if (id == PanelId::frmWizardMode) {
    return std::make_unique<frmWizardMode>(
        app.tuning,
        ApplierFor(app, id, links),
        app.registry, app.os,
        app.messages);
  }
  if (id == PanelId::frmMainSettings) {
    return std::make_unique<frmMainSettings>(app.registry, ProgramPath(app.programFolder), app.messages,
                                             RunEntryFormHere());
  }
  if (id == PanelId::frmNetPingerSettings) {
    return std::make_unique<frmNetPingerSettings>(app.registry, app.network, app.sound, app.programFolder,
                                                  app.messages, [] { return std::make_unique<Win32Network>(); });
  }
  if (id == PanelId::frmBackUp) {
    auto panel = std::make_unique<frmBackUp>(app.registry, app.files, app.clock, app.programFolder, app.os,
                                             app.messages);
    if (links.changeMade) {
      panel->Restored = [&app, changeMade = links.changeMade](const RestoreReport& report) {
        changeMade(LastChangeOfRestore(report, app.clock.GetLocalTime()));
      };
    }
    return panel;
  }
  if (id == PanelId::frmNormalMode) {
    return std::make_unique<frmNormalMode>(
        app.tuning,
        ApplierFor(app, id, links),
        app.registry, app.os,
        app.messages,
        MtuProbeFor(app));
  }
  return std::make_unique<EmptyPanel>(kEmptySpecs[static_cast<int>(id)], app.messages);
}

}  // namespace tw
