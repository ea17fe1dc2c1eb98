#pragma once
#include <string>

// The client's user-visible texts are keyed by their English wording; the language file
// supplies the translation. Until a language is applied the key is the text.
namespace client {

const std::string& Ui(const std::string& key);

} // namespace client
