#include "app/win32/PanelFactory.h"

#include <array>

#include "pinger/win32/frmNetPingerSettings.h"
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

// Stands in where the program was given no network or sound: sockets never
// start, ICMP has no handle, nothing plays.
class NoNetwork final : public INetwork, public ISound {
 public:
  int WSAStartup(std::uint16_t, WsaData&) override { return 10091; }  // WSASYSNOTREADY
  int WSACleanup() override { return -1; }
  std::optional<HostEntry> gethostbyname(std::string_view) override { return std::nullopt; }
  IcmpHandle IcmpCreateFile() override { return kInvalidIcmpHandle; }
  std::uint32_t IcmpSendEcho(IcmpHandle, std::uint32_t, std::span<const std::uint8_t>, std::span<std::uint8_t>,
                             std::uint32_t) override {
    return 0;
  }
  bool IcmpCloseHandle(IcmpHandle) override { return false; }
  bool PlaySoundA(std::string_view, std::uint32_t) override { return false; }
};

}  // namespace

std::unique_ptr<ui::Panel> MakePanel(PanelId id, AppContext& app) {
  if (id == PanelId::frmWizardMode) {
    return std::make_unique<frmWizardMode>(
        app.tuning,
        [&app](const TcpIpSettings& settings) {
          return ApplySettings({app.registry, app.files, app.clock, app.programFolder, app.os}, settings);
        },
        app.messages);
  }
  if (id == PanelId::frmNetPingerSettings) {
    static NoNetwork none;
    return std::make_unique<frmNetPingerSettings>(app.registry, app.network ? *app.network : none,
                                                  app.sound ? *app.sound : none, app.programFolder, app.messages);
  }
  return std::make_unique<EmptyPanel>(kEmptySpecs[static_cast<int>(id)], app.messages);
}

}  // namespace tw
