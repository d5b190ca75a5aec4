// The helpers every command class shares through the window context.
#include "ui/common/window_context.h"

#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"

namespace pw {

void WindowContext::ShowMessage(const char* text) {
  dialogs().Message(dialog_parent(), U8("Plotweave"), U8(text), DialogIcon::kNone);
}

}  // namespace pw
