#pragma once
// The skin file, "RTidewaveMask.skn": our own small text format.
//
//   TidewaveSkin 1                 ; signature and format version, first line
//   [Button]                       ; one section per skin object name
//   background = #1C7ED6           ; colours as #RRGGBB
//   text = #FFFFFF
//   hover = #1971C2                ; background under the mouse
//   pressed = #0B5394              ; background while pressed
//   disabled = #9FB3C8             ; text of a disabled window
//   focus = #0B5394                ; keyboard focus ring
//   border = #0B5394 1             ; colour and width in pixels, or "none"
//   font = Tahoma, 8, bold         ; face, size in points, then bold / italic
//
// A skin only ever changes looks, so a damaged file must never cost more than
// the look: a line we cannot read is skipped, and a file that is not a skin at
// all (no signature, binary data, far too large, no object) is rejected whole.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::ui {

struct SkinColor {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const SkinColor&) const = default;
};

struct SkinFont {
  std::string face;
  int points = 8;
  bool bold = false;
  bool italic = false;
  bool operator==(const SkinFont&) const = default;
};

struct SkinBorder {
  int width = 0;  // 0: no border at all
  SkinColor color;
  bool operator==(const SkinBorder&) const = default;
};

// What one object sets; anything left empty keeps the window's own look.
struct SkinObject {
  std::string name;
  std::optional<SkinColor> background, text, hover, pressed, disabled, focus;
  std::optional<SkinBorder> border;
  std::optional<SkinFont> font;
};

class SkinFile {
 public:
  static constexpr std::size_t kMaxFileSize = 64 * 1024;
  static constexpr std::size_t kMaxLineLength = 512;
  static constexpr std::size_t kMaxObjects = 64;
  static constexpr int kMinPoints = 6, kMaxPoints = 48;
  static constexpr int kMaxBorderWidth = 8;

  // The skin in `text`, or nothing when the text is not a skin file.
  static std::optional<SkinFile> Parse(std::string_view text);

  // Object names are the program's own and compared exactly.
  const SkinObject* Find(std::string_view name) const;
  const std::vector<SkinObject>& objects() const { return objects_; }
  // 1-based numbers of the lines that were skipped as unreadable.
  const std::vector<int>& skippedLines() const { return skippedLines_; }

 private:
  std::vector<SkinObject> objects_;
  std::vector<int> skippedLines_;
};

// "#RRGGBB", exactly.
std::optional<SkinColor> ParseSkinColor(std::string_view text);

}  // namespace tw::ui
