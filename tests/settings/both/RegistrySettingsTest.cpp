#include <gtest/gtest.h>

#include "settings/CRegister.h"
#include "settings/MainSettings.h"
#include "settings/RegistrySettings.h"
#include "support/RegistrySnapshot.h"
#include "support/RegistryTest.h"

namespace tw::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kPinger = SettingsPath(kNetPingerKey);
constexpr std::string_view kTcp = "SOFTWARE\\Marlpit\\Tcp";

class Settings : public RegistryTest {
 protected:
  Variant Read(std::string_view name, const Variant& fallback = Variant("default")) {
    return GetSettingValue(registry(), kPinger, name, fallback);
  }
  Bytes Raw(std::string_view path, std::string_view name, std::uint32_t expectedType) {
    std::uint32_t type = 0;
    Bytes data;
    EXPECT_EQ(kErrorSuccess, ReadRaw(path, name, type, data)) << name;
    EXPECT_EQ(expectedType, type) << name;
    return data;
  }
  bool Exists(std::string_view path, std::string_view name) {
    std::uint32_t type = 0;
    Bytes data;
    return ReadRaw(path, name, type, data) == kErrorSuccess;
  }
  double Number(std::string_view path, std::string_view name) {
    return CRegister(registry()).myREGGetSetting(kHkeyLocalMachine, path, name, Variant(99));
  }
};

TEST_F(Settings, MissingKeyOrValueGivesTheDefaultUnchanged) {
  EXPECT_EQ(Variant("0"), Read("chkDoPinging", Variant("0")));
  EXPECT_EQ(Variant(5), Read("cmbPingInterval", Variant(5)));
  SaveSettingValue(registry(), kPinger, "other", "1");
  EXPECT_EQ(Variant(true), Read("chkDoPinging", Variant(true)));
}

TEST_F(Settings, TextsUpTo254CharactersRoundTripLongerOnesGiveTheDefault) {
  for (const std::size_t length : {1u, 100u, 254u}) {
    const std::string text(length, 'x');
    SaveSettingValue(registry(), kPinger, "txtHost", text);
    EXPECT_EQ(Variant(text), Read("txtHost")) << length;
  }
  SaveSettingValue(registry(), kPinger, "txtHost", std::string(255, 'x'));
  EXPECT_EQ(256u, Raw(kPinger, "txtHost", kRegSz).size()) << "stored whole, with its zero";
  EXPECT_EQ(Variant("default"), Read("txtHost"));
}

TEST_F(Settings, ValuesAreStoredAsTheirTextWithOneZeroByte) {
  SaveSettingValue(registry(), kPinger, "empty", "");
  EXPECT_EQ(Bytes{0}, Raw(kPinger, "empty", kRegSz));
  EXPECT_EQ(Variant(""), Read("empty"));

  SaveSettingValue(registry(), kPinger, "number", 1500);
  SaveSettingValue(registry(), kPinger, "fraction", 2.5);
  SaveSettingValue(registry(), kPinger, "flag", true);
  EXPECT_EQ((Bytes{'1', '5', '0', '0', 0}), Raw(kPinger, "number", kRegSz));
  EXPECT_EQ(Variant("2.5"), Read("fraction"));
  EXPECT_EQ(Variant("True"), Read("flag"));
}

TEST_F(Settings, ADwordReadAsTextComesBackAsItsRawBytesLessTheLast) {
  WriteRaw(kPinger, "word", kRegDword, {'A', 'B', 'C', 'D'});
  EXPECT_EQ(Variant("ABC"), Read("word"));
  WriteRaw(kPinger, "unterminated", kRegBinary, {'x', 'y'});
  EXPECT_EQ(Variant("x"), Read("unterminated"));
}

TEST_F(Settings, TypedTextValueIsItsCharactersAndAZeroByte) {
  EXPECT_EQ(kErrorSuccess, SetTypedValue(registry(), kHkeyLocalMachine, kTcp, "MTU", kRegSz, "1500"));
  EXPECT_EQ((Bytes{'1', '5', '0', '0', 0}), Raw(kTcp, "MTU", kRegSz));
  EXPECT_EQ(kErrorSuccess, SetTypedValue(registry(), kHkeyLocalMachine, kTcp, "TTL", kRegSz, 128));
  EXPECT_EQ((Bytes{'1', '2', '8', 0}), Raw(kTcp, "TTL", kRegSz));
}

TEST_F(Settings, TypedDwordRoundsTiesToEvenAndTakesBothSignedAndUnsignedWords) {
  const struct {
    Variant value;
    Bytes stored;
  } cases[] = {
      {1500, {0xDC, 0x05, 0, 0}},
      {2.5, {2, 0, 0, 0}},
      {3.5, {4, 0, 0, 0}},
      {"  7 ", {7, 0, 0, 0}},
      {-1, {0xFF, 0xFF, 0xFF, 0xFF}},
      {4294967295.0, {0xFF, 0xFF, 0xFF, 0xFF}},
      {true, {0xFF, 0xFF, 0xFF, 0xFF}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(kErrorSuccess, SetTypedValue(registry(), kHkeyLocalMachine, kTcp, "v", kRegDword, c.value));
    EXPECT_EQ(c.stored, Raw(kTcp, "v", kRegDword)) << c.value.Text();
  }
}

TEST_F(Settings, TypedDwordThatIsNoNumberOrTooWideIsRefusedBeforeAnythingIsWritten) {
  for (const Variant& bad : {Variant("abc"), Variant(""), Variant(4294967296.0), Variant(-2147483649.0)}) {
    EXPECT_EQ(kErrorInvalidParameter, SetTypedValue(registry(), kHkeyLocalMachine, kTcp, "v", kRegDword, bad))
        << bad.Text();
    EXPECT_FALSE(StoredByTypedValue(kRegDword, bad, Variant(false))) << bad.Text();
  }
  RegKey key;
  EXPECT_EQ(kErrorFileNotFound, RegKey::Open(registry(), kHkeyLocalMachine, kTcp, kKeyRead, key))
      << "not even the key was created";
}

TEST_F(Settings, OnlyTheBooleanTrueDeletes) {
  SetTypedValue(registry(), kHkeyLocalMachine, kTcp, "MTU", kRegSz, "576");
  for (const Variant& notTrue : {Variant(1), Variant("True"), Variant(-1), Variant(false), Variant()}) {
    SetTypedValue(registry(), kHkeyLocalMachine, kTcp, "MTU", kRegSz, "576", notTrue);
    EXPECT_TRUE(Exists(kTcp, "MTU")) << notTrue.Text();
  }
  EXPECT_EQ(kErrorSuccess, SetTypedValue(registry(), kHkeyLocalMachine, kTcp, "MTU", kRegSz, "", true));
  EXPECT_FALSE(Exists(kTcp, "MTU"));
  EXPECT_EQ(kErrorFileNotFound, SetTypedValue(registry(), kHkeyLocalMachine, kTcp, "MTU", kRegDword, -1, true));
}

TEST_F(Settings, OtherTypesWriteNothingAndSucceed) {
  EXPECT_EQ(kErrorSuccess, SetTypedValue(registry(), kHkeyLocalMachine, kTcp, "v", kRegBinary, "12"));
  EXPECT_FALSE(Exists(kTcp, "v"));
}

TEST_F(Settings, NumbersAreReadByTypeAndMissingGivesZero) {
  WriteRaw(kTcp, "Dword", kRegDword, {0xDC, 0x05, 0, 0});
  WriteRaw(kTcp, "AllOnes", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF});
  WriteText(std::string(kTcp), "Text", "1500");
  WriteRaw(kTcp, "Binary", kRegBinary, {0x01, 0x02, 0x03});
  WriteRaw(kTcp, "Empty", kRegBinary, {});
  WriteText(std::string(kTcp), "", "42");

  EXPECT_EQ(1500, Number(kTcp, "Dword"));
  EXPECT_EQ(4294967295.0, Number(kTcp, "AllOnes")) << "unsigned";
  EXPECT_EQ(1500, Number(kTcp, "Text"));
  EXPECT_EQ(0x030201, Number(kTcp, "Binary")) << "little-endian";
  EXPECT_EQ(0, Number(kTcp, "Empty"));
  EXPECT_EQ(42, Number(kTcp, "*")) << "the key's default value";
  EXPECT_EQ(0, Number(kTcp, "Missing")) << "the default argument is not consulted";
  EXPECT_EQ(0, Number("SOFTWARE\\Marlpit\\NoSuchKey", "Dword"));
  EXPECT_EQ(1500, Number("\\SOFTWARE\\Marlpit\\Tcp\\", "Dword")) << "one backslash trimmed each side";
}

// "Ω" is in no Western code page: written through it, Windows would keep
// its look-alike "O", and the entry would name a folder that does not exist.
// Written in Unicode it names the program's own folder, and reads back so.
TEST_F(Settings, TheRunEntryInUnicodeNamesAFolderTheCodePageCannotHold) {
  RegistrySnapshot snapshot(registry());
  snapshot.Keep(kHkeyCurrentUser, std::string(kRunKey), {std::string(kRunValueName)});
  const std::string path = "C:\\Tide wave \xCE\xA9mega\\Tidewave.exe";
  EXPECT_TRUE(WriteRunEntry(registry(), path, RunEntryForm::Unicode));
  EXPECT_EQ(path, ReadRunEntry(registry(), RunEntryForm::Unicode));
  RemoveRunEntry(registry());
  EXPECT_EQ(std::nullopt, ReadRunEntry(registry(), RunEntryForm::Unicode));
}

}  // namespace
}  // namespace tw::test
