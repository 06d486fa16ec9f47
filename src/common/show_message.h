#pragma once
#include <string_view>

#include "platform/message_box.h"

namespace vorlan {

inline constexpr std::string_view kMessageTitle = "Vorlan2";

// "x" stop, "!" warning, "?" question, anything else information.
MessageKind MessageKindFromLetter(std::string_view kind);

// The resident program's boxes are system-modal; the settings dialog's are not.
int ShowResidentMessage(MessageBoxes& boxes, std::string_view text, std::string_view kind);
int ShowDialogMessage(MessageBoxes& boxes, std::string_view text, std::string_view kind);

}  // namespace vorlan
