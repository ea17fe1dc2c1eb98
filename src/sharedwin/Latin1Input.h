#pragma once
#include <QString>
#include <optional>
#include <string>

class QWidget;

// Texts are Latin-1 (platform/Latin1.h): what a user types, pastes or chooses must fit it
// before it is stored or sent, never reach a file or a peer as "?" or UTF-8 bytes.
namespace client {

// What the user is told when a character or a file name is refused.
extern const char* const NotLatin1Character;
extern const char* const NotLatin1FileName;

// Every line edit (editable combo boxes' included; spin boxes keep their own check) and
// every editable plain-text box below root, root included, refuses a typed or pasted text
// holding a character Latin-1 cannot hold, and tells it in a tip at the field.
void KeepLatin1(QWidget* root);

// A path chosen in a file dialog as a model path (platform::ModelPath); nothing, after
// telling the user in a message box, when Latin-1 cannot hold it.
std::optional<std::string> ChosenPath(const QString& path);

} // namespace client
