#pragma once
#include <optional>
#include <string>
#include <vector>

#include "settings/Language.h"

// The server's language files: the client's format ("univers/<name>.lng", six header lines,
// then "English=translation" entries), read by the client's reader, but only files written
// for the server are offered: product line "MVT SERVER" (any case), version "1.6". The
// server's entries start on line 8; line 7 is not read.
namespace server {

inline constexpr const char* ServerProduct = "MVT SERVER";
inline constexpr const char* ServerLanguageVersion = "1.6";

// Every English text the server shows, each once, in the order a pass applies them.
const std::vector<std::string>& ServerLanguageKeys();
// Texts of the server's later windows: translated when a file has them, shown in English
// when it has not; a file without them is still accepted.
const std::vector<std::string>& ServerOptionalKeys();

bool IsServerLanguage(const client::LanguageFile& file);
// The offered files of "univers", sorted by file name.
std::vector<client::LanguageListEntry> ListServerLanguages();

// Reads a file of the program's "univers" folder by name (nothing for an unsafe name).
std::optional<client::LanguageFile> ReadServerLanguage(const std::string& fileName);
// The translation of a key in a server file, or "*!*" when it has no entry for it.
std::string Traduit(const client::LanguageFile& file, const std::string& key);

// Applies "univers/" + LngFilePath: every key must have its entry, otherwise the file is
// refused whole and the language in force stays. True when applied.
bool UpDateLangue();
// The text shown for a key: its translation in force, or the English key itself.
std::string Srv(const std::string& key);
// Whether a language file has been applied since the start.
bool LanguageApplied();

} // namespace server
