#pragma once
#include <QObject>
#include <functional>
#include <string>

// Captions and hints of menus, buttons and windows are keyed by their English text, kept on
// the control, so that applying another language retranslates every window in place.
namespace client {

// The translation of a text a user sees, keyed by its English wording: the client's language
// in force unless a program gives its own source (the server does); a key the source lacks
// is shown as it is.
std::string WindowText(const std::string& key);
// Replaces the source of WindowText; an empty function restores the client's language.
void SetTextSource(std::function<std::string(const std::string&)> source);

// Sets the control's caption (text, or window title for a window) to the translation of the
// key followed by the suffix ("..." or " :", say), and remembers both.
void SetCaption(QObject* control, const std::string& key, const std::string& suffix = {});
// Sets the control's hint (tool tip) to the translation of the key plus the suffix, and
// remembers both.
void SetHint(QObject* control, const std::string& key, const std::string& suffix = {});
// Forgets the control's caption key: its text is set otherwise from now on (a name, say) and
// stays as it is when the language changes.
void ForgetCaption(QObject* control);
// Retranslates every remembered caption and hint below root (root included), then tells
// root's widgets that the language changed (QEvent::LanguageChange), so that a window can
// retranslate what is not a caption: list items, tree rows.
void RetranslateCaptions(QObject* root);

} // namespace client
