#include "tcpip/WritePlan.h"

namespace tw {

namespace {

// How many keys at the end of `path` are missing: 0 when it opens. A key that
// is there but refuses to open counts as there.
int MissingKeys(IRegistry& registry, RegHandle hive, std::string_view path) {
  int missing = 0;
  for (RegKey key; !path.empty(); ++missing) {
    if (RegKey::Open(registry, hive, path, kKeyRead, key) != kErrorFileNotFound) break;
    const std::size_t slash = path.rfind('\\');
    path = path.substr(0, slash == std::string_view::npos ? 0 : slash);
  }
  return missing;
}

}  // namespace

WritePlan PlanWrites(IRegistry& registry, const OsFamilyInfo& os) {
  WritePlan plan;
  plan.layout = LayoutFor(os);
  if (plan.layout == nullptr) return plan;
  Adapters adapters = AdaptersOf(registry, *plan.layout);
  plan.adapters = std::move(adapters.tuned);
  plan.skippedAdapters = std::move(adapters.skipped);

  const CRegister reader(registry);
  const auto add = [&](const TcpIpValue& value, std::size_t adapter) {
    std::string key = KeyFor(value, adapter == PlannedValue::kNoAdapter ? std::string_view() : plan.adapters[adapter]);
    RegistryRead now = reader.Read(value.hive, key, value.name);
    const int missing = now.Missing() ? MissingKeys(registry, value.hive, key) : 0;
    plan.values.push_back({&value, adapter, std::move(key), std::move(now), missing});
  };
  const std::span<const TcpIpValue> values = plan.layout->values;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i].section != Section::Adapter) {
      add(values[i], PlannedValue::kNoAdapter);
      continue;
    }
    std::size_t end = i;
    while (end < values.size() && values[end].section == Section::Adapter) ++end;
    for (std::size_t adapter = 0; adapter < plan.adapters.size(); ++adapter) {
      for (std::size_t k = i; k < end; ++k) add(values[k], adapter);
    }
    i = end - 1;
  }
  return plan;
}

std::vector<std::string_view> AdapterSectionKeys(const TcpIpLayout& layout) {
  std::vector<std::string_view> keys;
  for (const TcpIpValue& value : layout.values) {
    if (value.section != Section::Adapter) continue;
    bool known = false;
    for (const std::string_view key : keys) known = known || key == value.key;
    if (!known) keys.push_back(value.key);
  }
  return keys;
}

}  // namespace tw
