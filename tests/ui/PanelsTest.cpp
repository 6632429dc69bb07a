#include "ui/Panels.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tw::ui {
namespace {

// F1 opens these pages; the help file is compiled from the project's files.
TEST(Panels, EveryHelpPageF1OpensIsCompiledIntoTheGuide) {
  std::string folder = __FILE__;
  folder = folder.substr(0, folder.rfind("tests")) + "assets/help/";
  std::ifstream project(folder + "TidewaveHelp.hhp");
  ASSERT_TRUE(project) << "assets/help/TidewaveHelp.hhp is missing";
  std::stringstream text;
  text << project.rdbuf();
  const std::string files = text.str().substr(text.str().find("[FILES]"));
  std::vector<std::string_view> pages{kHomeHelpPage};
  for (const PanelInfo& info : kPanels) pages.push_back(info.helpPage);
  for (std::string_view page : pages) {
    EXPECT_NE(std::string::npos, files.find("\n" + std::string(page) + "\n")) << page;
    EXPECT_TRUE(std::ifstream(folder + std::string(page))) << page;
  }
}

}  // namespace
}  // namespace tw::ui
