#pragma once
#include <QObject>
#include <string>

// Captions of menus, buttons and windows are keyed by their English text, kept on the
// control, so that applying another language retranslates every caption in place.
namespace client {

// Sets the control's caption (text, or window title for a window) to the translation of the
// key and remembers the key.
void SetCaption(QObject* control, const std::string& key);
// Retranslates every remembered caption below root (root included).
void RetranslateCaptions(QObject* root);

} // namespace client
