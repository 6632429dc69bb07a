// Cost of one "Optimize Now" on the NT family: ApplySettings with the backup it
// writes first, on the real registry and disk, with 1, 16 and 256 interfaces.
// Prints the median time per apply and per interface, as ratios to the
// 1-interface run, and the registry calls one apply makes against the value
// writes its sequence cannot do without. Every key it touches is put back.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "support/RecordingRegistry.h"
#include "support/TcpIpKeys.h"
#include "support/TuningKeys.h"
#include "support/wine/ScratchFolder.h"
#include "tcpip/TcpIpLayout.h"
#include "tuning/ApplySettings.h"
#include "tuning/Presets.h"

namespace {

using namespace tw;
using test::InterfaceKey;
using test::kInterfacesKey;

std::vector<std::string> InterfaceIds(int count) {
  std::vector<std::string> ids;
  for (int i = 0; i < count; ++i) {
    char id[64];
    std::snprintf(id, sizeof id, "{7D1EBE00-0000-4000-8000-%012d}", i);
    ids.push_back(id);
  }
  return ids;
}

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct SizeResult {
  int interfaces;
  double medianMs;
  std::size_t calls;
  std::map<std::string, std::size_t> callsByKind;
  int writes;
};

// One apply, leaving the backup folder empty again so every run lists the same folder.
bool ApplyOnce(const ApplyTarget& target, const TcpIpSettings& settings, const std::string& backups) {
  const ApplyResult result = ApplySettings(target, settings);
  for (const std::string& name : test::FolderEntries(backups, "*.BCK")) DeleteFileA((backups + "\\" + name).c_str());
  if (result.outcome != ApplyOutcome::Applied) {
    std::fprintf(stderr, "apply failed: %s\n", result.message.c_str());
    return false;
  }
  return true;
}

bool MeasureSize(int count, int runs, SizeResult& out) {
  Win32Registry registry;
  Win32FileSystem files;
  Win32Clock clock;
  test::ScratchFolder folder;
  const std::vector<std::string> ids = InterfaceIds(count);
  test::RegistrySnapshot snapshot(registry);
  test::KeepTuningKeys(snapshot, registry, ids);
  if (!EnumerateAdapterKeys(registry, kInterfacesKey).empty()) {
    std::fprintf(stderr, "the prefix already has interfaces; use one without\n");
    return false;
  }
  for (const std::string& id : ids) {
    RegKey key;
    if (RegKey::Create(registry, kHkeyLocalMachine, InterfaceKey(id), kKeyAllAccess, key) != kErrorSuccess) return false;
  }

  const ApplyTarget target{registry, files, clock, folder.path(), 7};  // Windows XP
  PresetTable presets;
  LoadPresets(presets);
  const TcpIpSettings& settings = presets[4];  // Automatic-E writes every value
  const std::string backups = folder.path() + "\\Backups";

  if (!ApplyOnce(target, settings, backups)) return false;  // warm: keys created, caches filled
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    const double begin = Now();
    if (!ApplyOnce(target, settings, backups)) return false;
    times.push_back(Now() - begin);
  }
  std::sort(times.begin(), times.end());

  // Counted apart from the timing: recording each call costs time of its own.
  test::RecordingRegistry recording(registry);
  const ApplyResult result = ApplySettings({recording, files, clock, folder.path(), 7}, settings);
  for (const std::string& name : test::FolderEntries(backups, "*.BCK")) DeleteFileA((backups + "\\" + name).c_str());

  out.interfaces = count;
  out.medianMs = times[times.size() / 2];
  out.calls = recording.CallCount();
  out.writes = result.writes;
  for (const std::string& call : recording.Calls()) ++out.callsByKind[call.substr(0, call.find(' '))];
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  std::vector<SizeResult> results;
  for (const int count : {1, 16, 256}) {
    SizeResult result;
    if (!MeasureSize(count, runs, result)) return 1;
    results.push_back(result);
  }

  const SizeResult& base = results.front();
  const double basePerInterface = base.medianMs / base.interfaces;
  std::printf("ApplySettings with its backup, NT family, real registry; median of %d runs\n\n", runs);
  std::printf("%10s %12s %16s %12s %22s\n", "interfaces", "ms/apply", "ms/interface", "x 1-run", "extra ms/added iface");
  for (const SizeResult& r : results) {
    const double perInterface = r.medianMs / r.interfaces;
    std::printf("%10d %12.2f %16.4f %12.3f", r.interfaces, r.medianMs, perInterface, perInterface / basePerInterface);
    if (r.interfaces > base.interfaces) {
      std::printf(" %22.4f\n", (r.medianMs - base.medianMs) / (r.interfaces - base.interfaces));
    } else {
      std::printf(" %22s\n", "-");
    }
  }
  std::printf("\nExtra cost per added interface, 256 against 16 interfaces: %.2fx (1.00 is exactly linear);\n"
              "apply time, 256 against 1 interface: %.1fx.\n",
              ((results[2].medianMs - base.medianMs) / (results[2].interfaces - 1)) /
                  ((results[1].medianMs - base.medianMs) / (results[1].interfaces - 1)),
              results[2].medianMs / base.medianMs);

  std::printf("\nRegistry calls per apply (backup reads + writes) against the value writes the sequence needs:\n");
  std::printf("%10s %10s %12s %10s %10s   %s\n", "interfaces", "calls", "set/delete", "calls/min", "per iface", "by kind");
  for (const SizeResult& r : results) {
    std::string kinds;
    for (const auto& [kind, count] : r.callsByKind) kinds += kind + " " + std::to_string(count) + "  ";
    std::printf("%10d %10zu %12d %10.2f %10.2f   %s\n", r.interfaces, r.calls, r.writes,
                static_cast<double>(r.calls) / r.writes,
                r.interfaces > 1 ? static_cast<double>(r.calls - base.calls) / (r.interfaces - 1) : 0.0,
                kinds.c_str());
  }
  std::printf("\nThe minimum is one set or delete per value (16 + 4 per interface); each write also opens\n"
              "and closes its key, and each value is read once before the first write (open, size, read,\n"
              "close): the backup records that reading, and the apply counts against it what it changes.\n");
  return 0;
}
