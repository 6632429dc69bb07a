#pragma once
// What the status monitor and the RAM alarm share for the whole run. The
// panel factory makes one and hands it to both, so neither reaches into the
// other's panel.
#include <cstdint>
#include <memory>

#include "memory/CpuUsage.h"
#include "memory/RamAlarm.h"

namespace tw {

struct SharedMonitor {
  // QueryObject: the processor sampler for this Windows family, chosen by the
  // status monitor as it starts; the alarm's "Run ONLY if CPU-Usage is below"
  // reads the same one.
  std::unique_ptr<ICpuUsage> QueryObject;
  // The alarm whose "System Tray Icon Tool Tip Text" option is the format the
  // status monitor writes the tray's tooltip in.
  const RamAlarm* alarm = nullptr;

  // QueryObject.Query(): 0 before the status monitor has started.
  std::int32_t QueryProcessor() { return QueryObject ? QueryObject->Query() : 0; }
  // "Percentage of Free RAM" chosen; megabytes otherwise, and with no alarm.
  bool TipInPercent() const { return alarm != nullptr && alarm->optPer(); }
};

}  // namespace tw
