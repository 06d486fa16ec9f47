#include "common/show_message.h"

namespace vorlan {

MessageKind MessageKindFromLetter(std::string_view kind) {
  if (kind == "x") return MessageKind::Stop;
  if (kind == "!") return MessageKind::Warning;
  if (kind == "?") return MessageKind::Question;
  return MessageKind::Information;
}

int ShowResidentMessage(MessageBoxes& boxes, std::string_view text, std::string_view kind) {
  return boxes.Show(kMessageTitle, text, MessageKindFromLetter(kind), true);
}

int ShowDialogMessage(MessageBoxes& boxes, std::string_view text, std::string_view kind) {
  return boxes.Show(kMessageTitle, text, MessageKindFromLetter(kind), false);
}

}  // namespace vorlan
