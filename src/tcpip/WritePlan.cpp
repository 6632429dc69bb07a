#include "tcpip/WritePlan.h"

namespace tw {

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
    plan.values.push_back({&value, adapter, std::move(key), std::move(now)});
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
