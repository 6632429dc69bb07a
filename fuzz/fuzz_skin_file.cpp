// The skin file beside the program: anyone can edit or replace it.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ui/SkinFile.h"

using tw::ui::SkinFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto skin = SkinFile::Parse(text);
  if (!skin) return 0;
  // Whatever was read must be something the painting code can use as it is.
  if (skin->objects().empty() || skin->objects().size() > SkinFile::kMaxObjects) std::abort();
  for (const auto& object : skin->objects()) {
    if (object.font && (object.font->points < SkinFile::kMinPoints || object.font->points > SkinFile::kMaxPoints))
      std::abort();
    if (object.border && (object.border->width < 0 || object.border->width > SkinFile::kMaxBorderWidth))
      std::abort();
    if (skin->Find(object.name) == nullptr) std::abort();
  }
  tw::ui::ParseSkinColor(text);
  return 0;
}
