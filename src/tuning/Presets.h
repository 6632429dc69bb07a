#pragma once
// The eight preset modes, and the set the next apply writes.
#include <array>
#include <string>

#include "tcpip/TcpIpSettings.h"

namespace tw {

inline constexpr int kPresetCount = 8;
using PresetTable = std::array<TcpIpSettings, kPresetCount>;

// The eight preset modes, by the index of the option button that picks them:
// "Automatic-A" to "Automatic-G", then "Windows default".
void LoadPresets(PresetTable& PresetSettings);

// One line in plain words on the connection a set suits, from its packet
// size (MTU) and receive window (RWIN): "Suits a dial-up modem: small
// packets, small receive window." Short enough for one line of the panel.
std::string ConnectionLine(const TcpIpSettings& settings);

// What the whole run shares about tuning: the set the next apply writes, and
// the presets it is taken from.
struct TuningState {
  TcpIpSettings CurrentSettings;
  PresetTable PresetSettings{};
};

}  // namespace tw
