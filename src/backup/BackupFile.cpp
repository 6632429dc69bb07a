#include "backup/BackupFile.h"

#include <cstdio>

#include "app/OsVersion.h"
#include "core/Numbers.h"
#include "tuning/TcpIpLayout.h"

namespace tw {

void BackupText::Line(std::string_view item) {
  text_ += item;
  text_ += "\r\n";
}

void BackupText::Text(std::string_view text) {
  std::string item;
  item.reserve(text.size() + 2);
  item += '"';
  item += text;
  item += '"';
  Line(item);
}

void BackupText::Whole(std::int16_t number) { Line(std::to_string(number)); }

void BackupText::Real(double number) { Line(FormatDecimal(number)); }

void BackupText::Date(const SystemTime& time) {
  char item[16];
  std::snprintf(item, sizeof item, "#%04u-%02u-%02u#", static_cast<unsigned>(time.year) % 10000u,
                static_cast<unsigned>(time.month) % 100u, static_cast<unsigned>(time.day) % 100u);
  Line(item);
}

void BackupText::Time(const SystemTime& time) {
  char item[16];
  std::snprintf(item, sizeof item, "#%02u:%02u:%02u#", static_cast<unsigned>(time.hour) % 100u,
                static_cast<unsigned>(time.minute) % 100u, static_cast<unsigned>(time.second) % 100u);
  Line(item);
}

namespace {

// One section after another; each pair is a value name and the number it now holds.
class SectionWriter {
 public:
  SectionWriter(IRegistry& registry, BackupText& out) : registry_(registry), out_(out) {}

  // Starts a section: its key line, and where its current values are read.
  void Key(RegHandle hive, std::string_view keyLine, std::string_view readFrom = {}) {
    hive_ = hive;
    readFrom_ = readFrom.empty() ? keyLine : readFrom;
    out_.Text(keyLine);
  }
  // A constant the apply always writes; nothing to read.
  void Fixed(std::string_view name, std::int16_t value) {
    out_.Text(name);
    out_.Whole(value);
  }
  void Current(std::string_view name) {
    out_.Text(name);
    out_.Real(Read(name));
  }
  // Whether the value is set at all, as 1 or 0.
  void NotZero(std::string_view name) {
    out_.Text(name);
    out_.Whole(Read(name) != 0 ? 1 : 0);
  }

 private:
  double Read(std::string_view name) { return ReadCurrentValue(registry_, hive_, readFrom_, name); }

  IRegistry& registry_;
  BackupText& out_;
  RegHandle hive_ = kHkeyLocalMachine;
  std::string_view readFrom_;
};

void Write9xSections(IRegistry& registry, SectionWriter& out) {
  out.Key(kHkeyLocalMachine, kMstcpKey);
  out.Fixed("SackOpts", 1);
  out.Fixed("Tcp1323Opts", 1);
  out.Current("DefaultTTL");
  out.Current("DefaultRcvWindow");
  out.Current("GlobalMaxTcpWindowSize");
  out.NotZero("PMTUBlackHoleDetect");
  // Recorded twice; readers of old files expect exactly these ten pairs.
  out.Current("DefaultRcvWindow");
  out.NotZero("PMTUDiscovery");
  out.Current("KeepAliveTime");
  out.Current("KeepAliveInterval");

  out.Key(kHkeyCurrentUser, kInternetSettings9xKey);
  out.Current("MaxConnectionsPer1_0Server");
  out.Current("MaxConnectionsPerServer");

  out.Key(kHkeyLocalMachine, kNdiCacheKey);
  out.Current("");

  for (const std::string& adapter : EnumerateAdapterKeys(registry, kNetTransKey)) {
    const std::string key = NetTransAdapterKey(adapter);
    out.Key(kHkeyLocalMachine, key);
    out.Current("MaxMTU");
    out.Current("MaxMSS");
  }
}

void WriteNtSections(IRegistry& registry, SectionWriter& out) {
  out.Key(kHkeyLocalMachine, kTcpipParametersKey, kTcpipParametersLowerKey);
  out.Fixed("SackOpts", 1);
  out.Fixed("Tcp1323Opts", 1);
  out.Fixed("TcpMaxDupAcks", 2);
  out.Fixed("DefaultReceiveWindow", 8192);
  out.Current("DefaultTTL");
  out.Current("GlobalMaxTcpWindowSize");
  out.Current("TcpWindowSize");
  out.Current("EnablePMTUBHDetect");
  out.Current("EnablePMTUDiscovery");
  out.Current("KeepAliveTime");
  out.Current("KeepAliveInterval");
  out.Current("SYNAttackProtect");
  out.Current("EnableICMPRedirects");

  out.Key(kHkeyCurrentUser, kInternetSettingsNtKey);
  out.Current("MaxConnectionsPer1_0Server");
  out.Current("MaxConnectionsPerServer");

  out.Key(kHkeyLocalMachine, kNdiCacheKey);
  out.Current("");

  for (const std::string& id : EnumerateAdapterKeys(registry, kInterfacesKey)) {
    for (const std::string& key : {InterfaceKey(id), InterfaceServiceKey(id)}) {
      out.Key(kHkeyLocalMachine, key);
      out.Current("MTU");
      out.Current("MSS");
    }
  }
}

}  // namespace

std::string BackupContents(IRegistry& registry, std::int16_t osFamily, const SystemTime& now) {
  if (!Is9xFamily(osFamily) && !IsNtFamily(osFamily)) return {};
  BackupText text;
  text.Date(now);
  text.Time(now);
  text.Whole(osFamily);
  SectionWriter sections(registry, text);
  if (Is9xFamily(osFamily)) {
    Write9xSections(registry, sections);
  } else {
    WriteNtSections(registry, sections);
  }
  return text.str();
}

}  // namespace tw
