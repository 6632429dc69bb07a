#pragma once
#include "ui/MessageBox.h"

namespace tw::ui {

// MessageBoxA with the title "Tidewave".
class SystemMessageBox final : public IMessageBox {
 public:
  int Show(std::uintptr_t owner, std::string_view text, unsigned flags) override;
};

}  // namespace tw::ui
