#include "app/win32/PanelFactory.h"

#include <array>

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
  if (id == PanelId::frmNormalMode) {
    return std::make_unique<frmNormalMode>(
        app.tuning,
        [&app](const TcpIpSettings& settings) {
          return ApplySettings({app.registry, app.files, app.clock, app.programFolder, app.os}, settings);
        },
        app.messages);
  }
  return std::make_unique<EmptyPanel>(kEmptySpecs[static_cast<int>(id)], app.messages);
}

}  // namespace tw
