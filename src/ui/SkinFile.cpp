#include "ui/SkinFile.h"

#include <algorithm>
#include <charconv>

namespace tw::ui {
namespace {

constexpr std::string_view kSignature = "TidewaveSkin";
constexpr int kFormatVersion = 1;
constexpr std::size_t kMaxNameLength = 32;
constexpr std::size_t kMaxFaceLength = 31;  // what a Windows font face name can hold

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return Lower(x) == Lower(y);
         });
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = Lower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Splits at the first run of separators; the rest keeps its inner spacing.
std::pair<std::string_view, std::string_view> SplitFirst(std::string_view text, char separator) {
  const std::size_t at = text.find(separator);
  if (at == std::string_view::npos) return {Trim(text), {}};
  return {Trim(text.substr(0, at)), Trim(text.substr(at + 1))};
}

bool IsValidName(std::string_view name) {
  if (name.empty() || name.size() > kMaxNameLength) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  });
}

std::optional<SkinBorder> ParseBorder(std::string_view text) {
  if (EqualsIgnoringCase(text, "none")) return SkinBorder{};
  const std::size_t gap = text.find_first_of(" \t");
  const std::string_view colorText = text.substr(0, gap);
  const std::string_view widthText = gap == std::string_view::npos ? std::string_view{} : Trim(text.substr(gap));
  const std::optional<SkinColor> color = ParseSkinColor(colorText);
  if (!color) return std::nullopt;
  int width = 1;
  if (!widthText.empty()) {
    const std::optional<int> parsed = ParseInt(widthText);
    if (!parsed || *parsed < 0 || *parsed > SkinFile::kMaxBorderWidth) return std::nullopt;
    width = *parsed;
  }
  return SkinBorder{width, *color};
}

std::optional<SkinFont> ParseFont(std::string_view text) {
  auto [face, rest] = SplitFirst(text, ',');
  if (face.empty() || face.size() > kMaxFaceLength) return std::nullopt;
  auto [pointsText, flags] = SplitFirst(rest, ',');
  const std::optional<int> points = ParseInt(pointsText);
  if (!points || *points < SkinFile::kMinPoints || *points > SkinFile::kMaxPoints) return std::nullopt;
  SkinFont font{std::string(face), *points};
  while (!flags.empty()) {
    auto [flag, more] = SplitFirst(flags, ',');
    if (EqualsIgnoringCase(flag, "bold")) {
      font.bold = true;
    } else if (EqualsIgnoringCase(flag, "italic")) {
      font.italic = true;
    } else {
      return std::nullopt;
    }
    flags = more;
  }
  return font;
}

// Sets one property; false when the key is unknown or the value unreadable.
bool SetProperty(SkinObject& object, std::string_view key, std::string_view value) {
  struct ColorKey {
    std::string_view name;
    std::optional<SkinColor> SkinObject::*member;
  };
  static constexpr ColorKey kColorKeys[] = {
      {"background", &SkinObject::background}, {"text", &SkinObject::text},
      {"hover", &SkinObject::hover},           {"pressed", &SkinObject::pressed},
      {"disabled", &SkinObject::disabled},     {"focus", &SkinObject::focus},
  };
  for (const ColorKey& colorKey : kColorKeys) {
    if (EqualsIgnoringCase(key, colorKey.name)) {
      const std::optional<SkinColor> color = ParseSkinColor(value);
      if (!color) return false;
      object.*colorKey.member = color;
      return true;
    }
  }
  if (EqualsIgnoringCase(key, "border")) {
    const std::optional<SkinBorder> border = ParseBorder(value);
    if (!border) return false;
    object.border = border;
    return true;
  }
  if (EqualsIgnoringCase(key, "font")) {
    std::optional<SkinFont> font = ParseFont(value);
    if (!font) return false;
    object.font = std::move(font);
    return true;
  }
  return false;
}

bool IsSignature(std::string_view line) {
  const auto [word, version] = SplitFirst(line, ' ');
  return word == kSignature && ParseInt(version) == kFormatVersion;
}

}  // namespace

std::optional<SkinColor> ParseSkinColor(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  std::uint8_t channels[3];
  for (int i = 0; i < 3; ++i) {
    const int high = HexDigit(text[1 + 2 * i]);
    const int low = HexDigit(text[2 + 2 * i]);
    if (high < 0 || low < 0) return std::nullopt;
    channels[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return SkinColor{channels[0], channels[1], channels[2]};
}

std::optional<SkinFile> SkinFile::Parse(std::string_view text) {
  if (text.size() > kMaxFileSize || text.find('\0') != std::string_view::npos) return std::nullopt;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

  SkinFile skin;
  bool hasSignature = false;
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t current = kNone;  // index: the vector may move as sections are added
  int lineNumber = 0;
  while (!text.empty()) {
    std::size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
      text = {};
    } else {
      // "\r\n" is one line break; a lone "\r" or "\n" is one too.
      const std::size_t breakLength = (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
      text.remove_prefix(end + breakLength);
    }
    ++lineNumber;
    const bool tooLong = line.size() > kMaxLineLength;
    if (const std::size_t comment = line.find(';'); comment != std::string_view::npos) line = line.substr(0, comment);
    line = Trim(line);
    if (line.empty()) continue;

    if (!hasSignature) {
      // Anything before the signature means this is not our file.
      if (tooLong || !IsSignature(line)) return std::nullopt;
      hasSignature = true;
      continue;
    }
    if (tooLong) {
      skin.skippedLines_.push_back(lineNumber);
      continue;
    }
    if (line.front() == '[') {
      current = kNone;
      const std::string_view name = line.back() == ']' ? Trim(line.substr(1, line.size() - 2)) : std::string_view{};
      if (!IsValidName(name)) {
        skin.skippedLines_.push_back(lineNumber);
        continue;
      }
      // A section given twice adds to the first; later values win.
      auto found = std::find_if(skin.objects_.begin(), skin.objects_.end(),
                                [&](const SkinObject& object) { return object.name == name; });
      if (found != skin.objects_.end()) {
        current = static_cast<std::size_t>(found - skin.objects_.begin());
      } else if (skin.objects_.size() < kMaxObjects) {
        current = skin.objects_.size();
        skin.objects_.emplace_back().name = name;
      } else {
        skin.skippedLines_.push_back(lineNumber);
      }
      continue;
    }
    const std::size_t equals = line.find('=');
    if (current == kNone || equals == std::string_view::npos ||
        !SetProperty(skin.objects_[current], Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)))) {
      skin.skippedLines_.push_back(lineNumber);
    }
  }
  if (!hasSignature || skin.objects_.empty()) return std::nullopt;
  return skin;
}

const SkinObject* SkinFile::Find(std::string_view name) const {
  for (const SkinObject& object : objects_) {
    if (object.name == name) return &object;
  }
  return nullptr;
}

}  // namespace tw::ui
