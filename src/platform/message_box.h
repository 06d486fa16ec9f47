#pragma once
#include <string_view>

namespace vorlan {

enum class MessageKind { Stop, Warning, Question, Information };

// Button codes as the platform returns them.
inline constexpr int kButtonOk = 1;
inline constexpr int kButtonYes = 6;
inline constexpr int kButtonNo = 7;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a box and waits for it; Question boxes have Yes and No, all others OK.
  virtual int Show(std::string_view title, std::string_view text, MessageKind kind,
                   bool system_modal) = 0;
};

}  // namespace vorlan
