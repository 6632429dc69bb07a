#pragma once
// Puts registry values back as they were: tests that write system keys (the
// TCP/IP parameters of a real Wine prefix) keep what they will touch first and
// leave the prefix as they found it, values, types and keys alike.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace tw::test {

class RegistrySnapshot {
 public:
  explicit RegistrySnapshot(IRegistry& registry) : registry_(registry) {}
  RegistrySnapshot(const RegistrySnapshot&) = delete;
  RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;
  ~RegistrySnapshot() { Restore(); }

  // Remembers these values of the key, or, when the key is missing, the first
  // missing key on its path, which Restore deletes with everything below it.
  void Keep(RegHandle hive, const std::string& path, const std::vector<std::string>& names);
  void Restore();

  // A file where every snapshot writes down what it keeps until it restores
  // it: a test program that dies first (a crash, a hang cut short) leaves the
  // next one what to put back. Empty, as by default: no journal.
  static void SetJournal(std::string path);
  // Puts back what a journal left behind holds, newest snapshot first, and
  // deletes the file. Returns how many values and keys it put back.
  static std::size_t RestoreJournal(IRegistry& registry, const std::string& path);

 private:
  struct Saved {
    RegHandle hive;
    std::string path;
    std::string name;
    bool present;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  struct Created {
    RegHandle hive;
    std::string path;
  };

  static void WriteJournal();

  IRegistry& registry_;
  std::vector<Saved> values_;
  std::vector<Created> created_;
};

}  // namespace tw::test
