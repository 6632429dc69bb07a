#pragma once
// The one list of registry values a change to the TCP/IP settings works on:
// every row of the running family's layout, a per-adapter row once for each
// adapter, each with what it holds, read once before anything is written.
// The backup records this list and the apply writes the same list, so the
// backup holds exactly what the apply changes, whatever comes between them;
// a restore backs up through it too, and the values shown beside a proposed
// set are read from it.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/OsVersion.h"
#include "platform/Registry.h"
#include "settings/CRegister.h"
#include "tcpip/TcpIpLayout.h"

namespace tw {

struct PlannedValue {
  const TcpIpValue* value;
  std::size_t adapter;  // its index in WritePlan::adapters; kNoAdapter for a row of no adapter
  std::string key;      // KeyFor the row and the adapter
  RegistryRead now;     // what it held when the plan was made
  // How many keys of `key`, counted from its end, were missing then: those an
  // apply creates to write the value, and its undo removes again.
  int missingKeys = 0;

  static constexpr std::size_t kNoAdapter = static_cast<std::size_t>(-1);
};

struct WritePlan {
  const TcpIpLayout* layout = nullptr;  // none for a family with no layout, and then nothing else either
  // In the apply's order: the layout's, a run of per-adapter rows taken whole
  // by one adapter after another. Rows only a backup records (not applied)
  // are here too, where the layout has them.
  std::vector<PlannedValue> values;
  std::vector<std::string> adapters;         // the adapters tuned (AdaptersOf), in the registry's order
  std::vector<std::string> skippedAdapters;  // left alone: their key names cannot go into a backup
};

// Lists the adapters once and reads every value of the plan.
WritePlan PlanWrites(IRegistry& registry, const OsFamilyInfo& os);

// The per-adapter key patterns in the order the layout first names each: the
// sections a backup holds for one adapter, in the order it holds them.
std::vector<std::string_view> AdapterSectionKeys(const TcpIpLayout& layout);

}  // namespace tw
