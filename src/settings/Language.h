#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Language files: every text the client shows is written in English in the program and
// keyed by that English text; the language file in force supplies the translation.
//
// A language file "univers/<name>.lng" is an 8-bit (Latin-1) text file, CR LF or LF:
//   line 1  "[Description]"
//   line 2  the language name (shown in the list and the language menu)
//   line 3  a compatible-version text (shown only)
//   line 4  the author (shown only)
//   line 5  the product, upper-cased it must read "MORVATEL DOMINOES"
//   line 6  the file version, exactly "3.0"
//   then    one entry per line: English text, "=", translation. The key is everything
//           before the first "=", the translation everything after it; nothing is trimmed,
//           keys compare exactly and the first matching line wins.
namespace client {

inline constexpr const char* MissingTranslation = "*!*";
inline constexpr const char* FallbackLngFile = "morvatel30_english.lng";
inline constexpr const char* LanguageFolder = "univers/";

struct LanguageFile {
    std::string Description;       // line 1
    std::string Name;              // line 2
    std::string CompatibleVersion; // line 3
    std::string Author;            // line 4
    std::string Product;           // line 5
    std::string Version;           // line 6
    std::vector<std::string> Entries; // lines 7 and on, as read
};

// The English texts a language file must hold to be accepted, each once, in the order a pass
// applies them. They include the thirteen game texts of JeuMessages.
const std::vector<std::string>& LanguageKeys();
// Further texts of the windows that the shipped files translate. A file need not hold them:
// a text it lacks shows in English, as does any text of neither list.
const std::vector<std::string>& OtherLanguageTexts();

// The full path of a language file in the program's "univers" folder, or nothing when the
// name could leave that folder (holds "/", "\" or "..", or is empty).
std::optional<std::string> LanguagePath(const std::string& fileName);

// Reads a language file by its name in "univers". Nothing for an unsafe name or a file that
// cannot be read. Missing header lines read as empty.
std::optional<LanguageFile> ReadLanguageFile(const std::string& fileName);

// Whether the file is offered to the user: line 1 "[Description]", line 5 upper-cased
// "MORVATEL DOMINOES", line 6 "3.0".
bool IsOfferedLanguage(const LanguageFile& file);

struct LanguageListEntry {
    std::string Name;     // line 2 of the file
    std::string FileName; // name only, no folder
};

// The offered files of "univers" ("*.lng", any case of the extension), sorted by file name.
// A file that cannot be read or fails the header check is left out.
std::vector<LanguageListEntry> ListLanguages();

// The translation of one key in the file, or "*!*" when no entry has that key.
std::string Traduit(const LanguageFile& file, const std::string& key);
// The translation in the language in force (the last file applied), or "*!*" when it has
// none or no language has been applied; a "*!*" sets TranslationMissing().
std::string Traduit(const std::string& key);
// Cleared at the start of each UpDateLangue, set by every lookup that yields "*!*".
bool TranslationMissing();

// Applies "univers/" + AppSettings().LngFilePath. The file must hold an entry for every key
// of LanguageKeys(); otherwise it is refused as a whole, nothing changes and the language
// previously in force stays. On success every Ui() text and GameTexts() take the file's
// translations (English where it has none) and the language listeners run. True when the
// file was applied.
bool UpDateLangue();

// Start-up: applies LngFilePath from the settings; when that fails, tells the user ("The
// selected LNG file is erroneous or non-existent"), sets LngFilePath to the English file
// and applies it. True when a language is in force afterwards.
bool StartLanguage();

// Switches to another file: keeps the current LngFilePath, sets the new one and applies
// it. On success the settings file is saved; on failure the user is shown the translated
// failureKey and LngFilePath gets its kept value back (the language in force is unchanged).
bool SwitchLanguage(const std::string& fileName, const std::string& failureKey);

// The text shown for an English key: its translation in the language in force, or the key
// itself when none has been applied or the file in force has no entry for it. The reference
// stays valid for the life of the program; a later switch changes the text it refers to.
const std::string& LanguageText(const std::string& key);

// Runs the listener after every successful UpDateLangue, until it is set again or cleared
// (an empty function) for the same owner. Windows retranslate themselves here.
void SetLanguageListener(const void* owner, std::function<void()> listener);

} // namespace client
