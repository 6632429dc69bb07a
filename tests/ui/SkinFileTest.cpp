#include "ui/SkinFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace tw::ui {
namespace {

constexpr SkinColor kWhite{255, 255, 255};
constexpr SkinColor kDeepSea{0x0B, 0x53, 0x94};

TEST(SkinFile, ReadsEveryPropertyOfEachSection) {
  const auto skin = SkinFile::Parse(
      "TidewaveSkin 1\r\n"
      "; the program's buttons\r\n"
      "[Button]\r\n"
      "background = #1c7ed6\r\n"
      "Text=#FFFFFF   ; white on blue\r\n"
      "hover = #1971C2\r\n"
      "pressed = #0B5394\r\n"
      "disabled = #9FB3C8\r\n"
      "focus = #0B5394\r\n"
      "border = #0B5394 2\r\n"
      "font = Tahoma, 9, bold, italic\r\n"
      "\r\n"
      "[ NoFrame ]\r\n"
      "border = none\r\n"
      "font = MS Shell Dlg, 8\r\n");
  ASSERT_TRUE(skin);
  EXPECT_TRUE(skin->skippedLines().empty());
  ASSERT_EQ(2u, skin->objects().size());

  const SkinObject* button = skin->Find("Button");
  ASSERT_NE(nullptr, button);
  EXPECT_EQ((SkinColor{0x1C, 0x7E, 0xD6}), button->background) << "hex digits in either case";
  EXPECT_EQ(kWhite, button->text) << "keys in either case, comment after the value";
  EXPECT_EQ((SkinColor{0x19, 0x71, 0xC2}), button->hover);
  EXPECT_EQ(kDeepSea, button->pressed);
  EXPECT_EQ((SkinColor{0x9F, 0xB3, 0xC8}), button->disabled);
  EXPECT_EQ(kDeepSea, button->focus);
  EXPECT_EQ((SkinBorder{2, kDeepSea}), button->border);
  EXPECT_EQ((SkinFont{"Tahoma", 9, true, true}), button->font);

  const SkinObject* noFrame = skin->Find("NoFrame");
  ASSERT_NE(nullptr, noFrame);
  EXPECT_EQ((SkinBorder{0, {}}), noFrame->border) << "none: no border at all";
  EXPECT_EQ((SkinFont{"MS Shell Dlg", 8, false, false}), noFrame->font) << "a face with spaces";
  EXPECT_FALSE(noFrame->background) << "unset stays unset: the window keeps its own";

  EXPECT_EQ(nullptr, skin->Find("button")) << "object names are exact";
  EXPECT_EQ(nullptr, skin->Find("Label"));
}

TEST(SkinFile, SkipsUnreadableLinesAndKeepsTheRest) {
  const auto skin = SkinFile::Parse(
      "TidewaveSkin 1\n"
      "text = #000000\n"            // 2: before any section
      "[Label]\n"
      "background = #FFF\n"         // 4: short colour
      "background = 0B5394\n"       // 5: no '#'
      "background = #GG0000\n"      // 6: not hex
      "text = #0B5394\n"
      "colour = #FFFFFF\n"          // 8: unknown key
      "just some words\n"           // 9: no '='
      "border = #0B5394 99\n"       // 10: absurd width
      "border = #0B5394 wide\n"     // 11
      "font = , 8\n"                // 12: no face
      "font = Tahoma, 200\n"        // 13: absurd size
      "font = Tahoma\n"             // 14: no size
      "font = Tahoma, 8, heavy\n"   // 15: unknown flag
      "[Bad Name]\n"                // 16: space in a name
      "[Unclosed\n"                 // 17
      "[]\n"                        // 18
      "background = #123456\n"      // 19: belongs to no valid section
      "[Frame]\n"
      "border = #C9D6E3\n"
      "text =\n"                    // 22: empty value
      "[Label]\n"
      "font = Tahoma, 8\n");
  ASSERT_TRUE(skin);
  EXPECT_EQ((std::vector<int>{2, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 22}), skin->skippedLines());
  ASSERT_EQ(2u, skin->objects().size()) << "a repeated section adds to the first";
  const SkinObject* label = skin->Find("Label");
  ASSERT_NE(nullptr, label);
  EXPECT_FALSE(label->background);
  EXPECT_EQ(kDeepSea, label->text);
  EXPECT_FALSE(label->border);
  EXPECT_EQ((SkinFont{"Tahoma", 8, false, false}), label->font);
  EXPECT_EQ((SkinBorder{1, {0xC9, 0xD6, 0xE3}}), skin->Find("Frame")->border) << "width 1 when not given";
}

TEST(SkinFile, RejectsWhatIsNotASkinFile) {
  EXPECT_FALSE(SkinFile::Parse(""));
  EXPECT_FALSE(SkinFile::Parse("\n\n  ; only comments\n"));
  EXPECT_FALSE(SkinFile::Parse("[Button]\nbackground = #FFFFFF\n")) << "no signature";
  EXPECT_FALSE(SkinFile::Parse("TidewaveSkin 2\n[Button]\nbackground = #FFFFFF\n")) << "a format we do not know";
  EXPECT_FALSE(SkinFile::Parse("tidewaveskin 1\n[Button]\nbackground = #FFFFFF\n"));
  EXPECT_FALSE(SkinFile::Parse("TidewaveSkin 1\n")) << "no object";
  EXPECT_FALSE(SkinFile::Parse("TidewaveSkin 1\n[Bad Name]\nbackground = #FFFFFF\n")) << "no readable object";
  using namespace std::string_literals;
  EXPECT_FALSE(SkinFile::Parse("TidewaveSkin 1\n[Button]\nbackground = #FF\0FFFF\n"s)) << "binary data";
  EXPECT_FALSE(SkinFile::Parse("MZ\x90\x00\x03"s)) << "an executable renamed";

  std::string huge = "TidewaveSkin 1\n[Button]\n";
  while (huge.size() <= SkinFile::kMaxFileSize) huge += "text = #FFFFFF\n";
  EXPECT_FALSE(SkinFile::Parse(huge));
}

TEST(SkinFile, ToleratesTheWaysTextFilesEnd) {
  // Byte-order mark, lone CR line ends, no final line break, over-long lines.
  const std::string longLine = "background = #FFFFFF" + std::string(SkinFile::kMaxLineLength, ' ');
  const auto skin = SkinFile::Parse("\xEF\xBB\xBFTidewaveSkin 1\r[Button]\r" + longLine + "\rtext = #0B5394");
  ASSERT_TRUE(skin);
  EXPECT_EQ(std::vector<int>{3}, skin->skippedLines());
  EXPECT_FALSE(skin->Find("Button")->background);
  EXPECT_EQ(kDeepSea, skin->Find("Button")->text);
}

TEST(SkinFile, KeepsAtMostItsLimitOfObjects) {
  std::string text = "TidewaveSkin 1\n";
  for (std::size_t i = 0; i <= SkinFile::kMaxObjects; ++i) {
    text += "[Object" + std::to_string(i) + "]\ntext = #FFFFFF\n";
  }
  const auto skin = SkinFile::Parse(text);
  ASSERT_TRUE(skin);
  EXPECT_EQ(SkinFile::kMaxObjects, skin->objects().size());
  EXPECT_EQ(nullptr, skin->Find("Object" + std::to_string(SkinFile::kMaxObjects)));
}

TEST(SkinFile, TheShippedSkinDefinesEveryObjectTheProgramApplies) {
  std::string path = __FILE__;
  path = path.substr(0, path.rfind("tests")) + "assets/RTidewaveMask.skn";
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file) << "assets/RTidewaveMask.skn is missing";
  std::stringstream text;
  text << file.rdbuf();
  const auto skin = SkinFile::Parse(text.str());
  ASSERT_TRUE(skin);
  EXPECT_TRUE(skin->skippedLines().empty()) << "line " << skin->skippedLines().front();
  for (const char* name : {"NoFrame", "controlForm", "Button", "Label", "Frame", "CheckBox", "RadioBox"}) {
    EXPECT_NE(nullptr, skin->Find(name)) << name;
  }
}

}  // namespace
}  // namespace tw::ui
