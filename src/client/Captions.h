#pragma once
#include <QObject>
#include <string>

// Captions of menus, buttons and windows are keyed by their English text, kept on the
// control, so that applying another language retranslates every caption in place.
namespace client {

// Sets the control's caption (text, or window title for a window) to the translation of the
// key and remembers the key.
void SetCaption(QObject* control, const std::string& key);
// The same with a fixed suffix after the translation ("..." or " :").
void SetCaption(QObject* control, const std::string& key, const std::string& suffix);
// Sets the control's hint (tool tip) to the translation of the key and remembers the key.
void SetHint(QObject* control, const std::string& key);
// Retranslates every remembered caption and hint below root (root included), then tells
// root's widgets that the language changed (QEvent::LanguageChange), so that a window can
// retranslate what is not a caption: list items, tree rows.
void RetranslateCaptions(QObject* root);

} // namespace client
