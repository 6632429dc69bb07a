#pragma once
// A message box that writes down what it was asked to show and answers as told.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "ui/MessageBox.h"

namespace tw::test {

struct ShownMessage {
  std::uintptr_t owner;
  std::string text;
  unsigned flags;
};

class RecordingMessageBox final : public ui::IMessageBox {
 public:
  int Show(std::uintptr_t owner, std::string_view text, unsigned flags) override {
    shown.push_back({owner, std::string(text), flags});
    if (!answers.empty()) {
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    }
    // Enter on the default button: the first one, unless the second is named.
    const unsigned buttons = flags & ui::kMbButtonsMask;
    if (buttons != ui::kMbYesNo && buttons != ui::kMbYesNoCancel) return ui::kIdOk;
    return (flags & ui::kMbDefButton2) != 0 ? ui::kIdNo : ui::kIdYes;
  }

  std::vector<ShownMessage> shown;
  std::deque<int> answers;  // given in turn; then the default button
};

}  // namespace tw::test
