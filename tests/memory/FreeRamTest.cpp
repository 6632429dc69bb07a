// Memory figures and freeing on recorded figures and a bounded allocator, and
// the processor samplers on recorded system records.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>

#include "memory/CpuUsage.h"
#include "memory/FreeRam.h"
#include "memory/SystemStatus.h"
#include "support/MemoryRegistry.h"

namespace tw::test {
namespace {

class RecordedMemory final : public IMemoryStatus {
 public:
  void GlobalMemoryStatus(MemoryFigures& figures) override {
    figures = next;
    next.availPhys -= 1048576;  // each reading a megabyte less
  }
  MemoryFigures next;
};

TEST(FreeRAMFigures, EveryQueryReadsAfreshAndFiguresPastTwoGigabytesStayWhole) {
  RecordedMemory memory;
  memory.next = {.memoryLoad = 41, .totalPhys = 6ull << 30, .availPhys = 3ull << 30,
                 .totalVirtual = 2147352576, .availVirtual = 2000000000};
  FreeRAM fmem(memory, {});
  EXPECT_EQ(3ll << 30, fmem.GetFreePhysical());
  EXPECT_EQ((3ll << 30) - 1048576, fmem.GetFreePhysical());
  EXPECT_EQ(6ll << 30, fmem.GetTotalPhysical());
  EXPECT_EQ(41, fmem.GetMemoryLoad());
  EXPECT_EQ(2147352576, fmem.GetTotalVirtual());
  EXPECT_EQ(2000000000, fmem.GetFreeVirtual());
}

TEST(FreeRAMFigures, KilobytesAndMegabytesRoundHalfToEvenAtEachStep) {
  EXPECT_EQ(2, ToKilobytes(1536));
  EXPECT_EQ(2, ToKilobytes(2560));
  EXPECT_EQ(4, ToKilobytes(3584));
  EXPECT_EQ(2, ToMegabytes(1536 * 1024 + 512));  // 1536.5 KB -> 1536 KB -> 1.5 MB -> 2
  EXPECT_EQ(2, ToMegabytes(2621440));            // 2.5 MB
  EXPECT_EQ(6144, ToMegabytes(6ll << 30));
}

// An allocator that refuses blocks above a limit and shows the block it gave.
struct BoundedAllocator {
  std::size_t limit = 1 << 20;
  std::vector<std::size_t> asked;
  char16_t* block = nullptr;
  std::size_t size = 0;
  FreeRAM::Allocator Hook() {
    return [this](std::size_t count) -> char16_t* {
      asked.push_back(count);
      if (count > limit) return nullptr;
      size = count;
      return block = new char16_t[count];
    };
  }
};

TEST(StatusMonitor, TheMemorySampleIsTheShareThatIsFreeAndSaysSo) {
  EXPECT_EQ(25, FreeMemoryPercent(250, 1000));
  EXPECT_EQ(100, FreeMemoryPercent(1000, 1000));
  EXPECT_EQ(std::nullopt, FreeMemoryPercent(250, 0));
  EXPECT_EQ("Free RAM (25%).", MemoryCaption(25));
  EXPECT_EQ("Free RAM (25%).", TrayMemoryTip(true, 25, 250));
  EXPECT_EQ("Free RAM (250MB).", TrayMemoryTip(false, 25, 250));
}

TEST(StatusMonitor, OptimizeNowSaysWhatItFreedAndNeverLessThanNothing) {
  EXPECT_EQ("Freed 40 MB. 300 MB free now.", OptimizeAnswer(64, true, 260, 300));
  EXPECT_EQ("Nothing more could be freed. 250 MB free now.", OptimizeAnswer(64, true, 260, 250));
  EXPECT_EQ("Could not take 64 MB: try a lower target. 250 MB free now.",
            OptimizeAnswer(64, false, 260, 250));
}

TEST(FreeRAMFreeUpMemory, HoldsAWrittenBlockOverTheMessagePassesAndHalvesWhenItMust) {
  RecordedMemory memory;
  BoundedAllocator allocator;
  int passes = 0;
  bool writtenWhileHeld = true;
  bool watch = true;  // during the first call only: the block goes when it returns
  FreeRAM fmem(memory, [&] {
    ++passes;
    if (watch && passes > 5) {
      writtenWhileHeld = writtenWhileHeld && allocator.block[0] == u' ' && allocator.block[allocator.size - 1] == u' ';
    }
  }, allocator.Hook());

  EXPECT_EQ(4096, fmem.FreeUpMemory(4096));
  EXPECT_EQ(10, passes);
  EXPECT_TRUE(writtenWhileHeld);
  watch = false;
  EXPECT_EQ(0, fmem.FreeUpMemory(0));

  // Too much: half, ties to even, without further message passes.
  allocator.limit = 4;
  passes = 0;
  EXPECT_EQ(4, fmem.FreeUpMemory(7));
  EXPECT_EQ(2, fmem.FreeUpMemory(5));
  allocator.limit = 2;
  EXPECT_EQ(2, fmem.FreeUpMemory(3));  // 1.5 -> 2
  EXPECT_EQ(15, passes);               // five before each first attempt only
  // Neither the block nor its half: an orderly 0.
  allocator.asked.clear();
  EXPECT_EQ(0, fmem.FreeUpMemory(100));
  EXPECT_EQ((std::vector<std::size_t>{100, 50}), allocator.asked);
  EXPECT_EQ(0, fmem.FreeUpMemory(-5));
}

// NtQuerySystemInformation answering from recorded samples: each sample is
// one processor count, one idle time and one time of day.
class RecordedSystem final : public ISystemInformation {
 public:
  struct Sample {
    std::uint8_t processors;
    std::int64_t idle;
    std::int64_t now;
    std::uint32_t failingClass = 99;
  };
  long NtQuerySystemInformation(std::uint32_t infoClass, std::span<std::uint8_t> buffer) override {
    const Sample& sample = samples.front();
    if (infoClass == sample.failingClass) {
      samples.pop_front();
      return static_cast<long>(0xC0000001);
    }
    if (infoClass == kSystemBasicInformation && buffer.size() >= 44) buffer[40] = sample.processors;
    if (infoClass == kSystemTimeOfDayInformation && buffer.size() >= 16) std::memcpy(&buffer[8], &sample.now, 8);
    if (infoClass == kSystemPerformanceInformation && buffer.size() >= 8) {
      std::memcpy(&buffer[0], &sample.idle, 8);
      samples.pop_front();  // the last record of a sample
    }
    return 0;
  }
  std::deque<Sample> samples;
};

constexpr std::int64_t kSecond = 10'000'000;  // in 100-ns ticks

TEST(ProcessorUsageNT, RecordedSamples) {
  RecordedSystem system;
  system.samples = {
      {2, 0, 1000 * kSecond},                              // Initialize
      {2, 2 * kSecond, 1001 * kSecond},                    // both of two idle for the whole second: 0
      {2, 3 * kSecond, 1002 * kSecond},                    // one busy: 50.5 -> 50
      {2, 3 * kSecond, 1002 * kSecond, kSystemPerformanceInformation},  // a failed read: -1
      {2, 3 * kSecond, 1002 * kSecond},                    // no time advance, no idle: 100
      {1, 3 * kSecond + kSecond / 2, 1003 * kSecond},      // a quarter idle: 75, still of two processors
  };
  clsCPUUsageNT sampler(system);
  sampler.Initialize();
  EXPECT_EQ(0, sampler.Query());
  EXPECT_EQ(50, sampler.Query());
  EXPECT_EQ(-1, sampler.Query());
  EXPECT_EQ(100, sampler.Query());
  EXPECT_EQ(75, sampler.Query());
}

TEST(ProcessorUsageNT, ArithmeticOfOneSample) {
  EXPECT_EQ(38, UsageFromSamples(625, 1000, 1));      // 37.5: the half is added before rounding down
  EXPECT_EQ(0, UsageFromSamples(kSecond, kSecond, 0));  // no processors counted as one
  EXPECT_EQ(0, UsageFromSamples(9999, 10000, 1));     // 0.01 + 0.5 rounds down to 0
  EXPECT_EQ(-50, UsageFromSamples(3 * kSecond, 2 * kSecond, 1));  // -49.5, not clamped, rounded down
}

TEST(ProcessorUsage9x, ReadsTheKernelStatisticAfreshAtEachQuery) {
  MemoryRegistry registry(MemoryRegistry::Flavour::Win9x);
  // What the 9x kernel keeps: starting the statistic, and its figure, 4 bytes.
  const auto put = [&registry](std::string_view key, std::uint32_t value) {
    RegHandle handle = 0;
    ASSERT_EQ(kErrorSuccess, registry.CreateKeyEx(kHkeyDynData, key, kKeyAllAccess, handle));
    registry.SetValueEx(handle, "KERNEL\\CPUUsage", kRegBinary, reinterpret_cast<const std::uint8_t*>(&value), 4);
    registry.CloseKey(handle);
  };
  put("PerfStats\\StartStat", 0);
  put("PerfStats\\StatData", 37);
  {
    clsCPUUsage sampler(registry);
    sampler.Initialize();
    EXPECT_EQ(37, sampler.Query());
    put("PerfStats\\StatData", 81);
    EXPECT_EQ(81, sampler.Query());
    EXPECT_EQ(1u, registry.OpenHandles()) << "the statistic's key stays open while the sampler lives";
  }
  EXPECT_EQ(0u, registry.OpenHandles());
}

TEST(ProcessorUsage9x, WithoutTheDynamicDataBranchEveryQueryReadsZero) {
  MemoryRegistry registry(MemoryRegistry::Flavour::Win9x);
  clsCPUUsage sampler(registry);
  sampler.Initialize();
  EXPECT_EQ(0, sampler.Query());
  EXPECT_EQ(0, sampler.Query());
  sampler.Terminate();
}

}  // namespace
}  // namespace tw::test
