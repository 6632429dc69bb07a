#pragma once
#include "app/OsVersion.h"
#include "platform/Registry.h"
#include "ui/win32/Window.h"

namespace tw {

// What the whole program shares, set up once at start-up.
struct AppContext {
  IRegistry& registry;
  OsFamilyInfo os;
};

// frmMain: the program's only top-level window.
class MainWindow final : public ui::Window {
 public:
  static constexpr const char* kClassName = "TidewaveMain";
  static constexpr const char* kCaption = "Tidewave";
  static constexpr int kClientWidth = 724;
  static constexpr int kClientHeight = 540;

  explicit MainWindow(AppContext& app) : app_(app) {}
  bool Create();

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  AppContext& app_;
};

}  // namespace tw
