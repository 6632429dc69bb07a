#include "ui/Panels.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace tw::ui {
namespace {

TEST(Panels, EveryPageF1OpensIsCompiledIntoTheGuide) {
  std::string path = __FILE__;
  std::ifstream project(path.substr(0, path.rfind("tests")) + "assets/help/TidewaveHelp.hhp");
  std::stringstream text;
  text << project.rdbuf();
  ASSERT_NE(std::string::npos, text.str().find("[FILES]")) << "assets/help/TidewaveHelp.hhp";
  const std::string files = text.str().substr(text.str().find("[FILES]"));
  const auto listed = [&](std::string_view page) { return files.find(std::string(page).append("\n")) != files.npos; };
  EXPECT_TRUE(listed(kHomeHelpPage));
  for (const PanelInfo& info : kPanels) EXPECT_TRUE(listed(info.helpPage)) << info.name;
}

}  // namespace
}  // namespace tw::ui
