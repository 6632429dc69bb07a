// The pinger's host field: a dotted address or a name, as the user types it.
#include <cstdint>
#include <string_view>

#include "pinger/mdlPing.h"
#include "support/FakeNetwork.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tw::test::FakeNetwork network;
  // A name resolves to whatever the input's first bytes are, so short and
  // odd address lists are met too.
  network.hosts[std::string(text)] = {std::vector<std::uint8_t>(data, data + std::min<std::size_t>(size, 6))};
  tw::ParseDottedAddress(network, text);
  return 0;
}
