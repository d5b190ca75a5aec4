// The node clipboard on the system clipboard: a subtree's payload under its registered format
// name, so that other running copies of the program read it.
#ifndef PLOTWEAVE_UI_EDITING_NODE_CLIPBOARD_QT_H_
#define PLOTWEAVE_UI_EDITING_NODE_CLIPBOARD_QT_H_

#include "core/outline.h"
#include "core/status.h"

namespace pw {

// Empties the clipboard and places the scratch tree's payload in the one format its first
// node asks for (text on the clipboard is gone afterwards).
void WriteNodeClipboard(const Outline& scratch);

// True when the clipboard holds data under `format`.
bool ClipboardHasFormat(const char* format);
bool ClipboardHasText();

// Reads the clipboard's data under `format` into `scratch`; nothing there, or a malformed
// payload, leaves `scratch` empty and says why.
Status ReadNodeClipboard(const char* format, Outline* scratch);

}  // namespace pw

#endif  // PLOTWEAVE_UI_EDITING_NODE_CLIPBOARD_QT_H_
