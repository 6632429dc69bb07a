#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace tw::test {

// In memory for native runs; the real registry under Wine.
std::unique_ptr<IRegistry> MakeTestRegistry();
// True when the registry under test is a Windows 98 one (Wine's 98 prefix).
bool TestRegistryIs9x();

// Everything the tests write lies below this key, wiped before and after each test.
inline constexpr std::string_view kScratchRoot = "SOFTWARE\\Marlpit";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_ = MakeTestRegistry();
    DeleteKeyTree(*registry_, kHkeyLocalMachine, kScratchRoot);
  }
  void TearDown() override { DeleteKeyTree(*registry_, kHkeyLocalMachine, kScratchRoot); }

  IRegistry& registry() { return *registry_; }

  // Reads a value's type and bytes straight from the registry.
  long ReadRaw(std::string_view path, std::string_view name, std::uint32_t& type,
               std::vector<std::uint8_t>& data);
  void WriteRaw(std::string_view path, std::string_view name, std::uint32_t type,
                const std::vector<std::uint8_t>& data);
  void WriteText(std::string_view path, std::string_view name, const std::string& text);

 private:
  std::unique_ptr<IRegistry> registry_;
};

}  // namespace tw::test
