#include "client/UiText.h"

#include "settings/Language.h"

namespace client {

// The translation in force, or the key itself while no language is applied.
const std::string& Ui(const std::string& key) { return LanguageText(key); }

} // namespace client
