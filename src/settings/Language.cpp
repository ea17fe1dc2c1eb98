#include "settings/Language.h"

#include "settings/Settings.h"
#include "game/JeuMessages.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <map>
#include <system_error>

namespace client {

namespace {

// data/tools/make-languages.py reads the literals between the two marker lines to write the
// shipped language files, so a text added to either table must get its French translation
// there.
// keys:begin
// The texts a language file must hold to be accepted, each once, in the order a pass applies
// them.
const char* const kKeys[] = {
    // Main window: menus, tool buttons, next-round and chat buttons, status bar.
    "Game", "New Game", "Information View", "Preferences", "Exit", "Options", "Language",
    "View", "3D View", "Connect", "Disconnect", "Web Browser", "Statistics", "Sound Control",
    "Players", "Launch VOREK Editor", "Download players", "Themes", "Download themes",
    "Help", "About", "Download languages", "Next round", "Begin the next round",
    "Send a message", "Click on New Game to begin",
    // Statistics, game information and player list windows.
    "Number of played matches", "Number of won matches", "Number of lost matches",
    "Number of given pigs", "Reset", "Information", "Players list", "Delete selected player",
    "Double click on it to select",
    // Options window: outline and pages.
    "Game Options", "Network game", "Languages", "CPU", "Sound", "Univers", "Server options",
    "Configuration", "Firewall", "Player on your left", "Me", "Player on your right",
    "Position", "Change", "Change the player", "Tactics", "Use tactics (Advanced CPU Mode)",
    "CPU speed", "Slow", "Fast", "General", "Do not make any oral comment", "Events",
    "Play a sound file", "At Morvatel's startup", "During the game", "Listen to", "Search",
    "No sound", "Play a audio CD", "CD-ROM drive", "Morvatel Envrionment", "Miscellaneous",
    "Check new version at startup", "Display information at startup", "Parameters",
    "Nickname", "Password", "Inscription", "Want to enter Web MVT Competitions ?",
    "To be able to play by Internet", "Submit", "When you are server",
    "Play against 1 Vorek Player and 1 CPU", "Play against 2 Vorek Players",
    "Default paramaters", "Client", "Server", "Server configuration", "Use a proxy server",
    "Address", "Port", "Server Port", "Use a proxy server SOCKS5", "Proxy Server SOCKS5",
    "Use SOCKS5 Authentification", "SOCKS5 Authentification", "User",
    "Apply the selected language", "Delete the selected language", "Download",
    "Download LNG files", "Always ask me", "Never ask me", "Apply the selected theme",
    "Delete selected theme", "Edit",
    // Web browser.
    "Back", "Forward", "Stop", "Refresh", "Home",
    // Theme editor.
    "Theme Edition", "Colors", "Textures", "Text", "Save as", "Save current theme as",
    "Police", "Information text size", "Background color", "Text color", "Download textures",
    "Table", "Table texture", "Dominoes texture", "Dominoes back texture", "Selected texture",
    "Delete selected texture", "Marked faces", "Dots of dominoes", "Back Border of dominoes",
    "Back of dominoes", "Border of dominoes", "Selected domino", "Normal text",
    "Highlighted text", "Name", "Cancel", "Apply",
    // Message composer and lobby window.
    "Message", "Send", "Choose the competition", "Choose your status", "Invite",
    "Received messages", "Opponents", "Accept", "Refuse", "Answer", "Kind", "State",
    "Connected since",
    // The game engine's texts (JeuMessages, in its order).
    "points", "point", "All the players have taken their 7 dominoes.",
    "All are receiving their 7 dominoes.", "plays double", "plays", "of", "sulks", "and",
    "is the pig!", "are the pigs!", "has won the round", "have won the round",
    // Game and status texts.
    "We are wainting for", "Double click on the domino or drag it where you want to play.",
    "Click on Following round button.", "The game is over. Click on New Game to begin another.",
    "Waiting for connection", "Locally game", "None competition", "Version",
    // Languages and themes texts.
    "Author", "Compatible version", "Lng file", "No language", "Edited by", "from",
    "No texture",
    // Lobby texts.
    "Not connected", "None connected player", "Linked", "Playing", "Free", "Received message",
    "Invitation from", "Acceptance of", "Refusal of", "to play with you",
    // Message boxes.
    "Error", "Nickname not found", "Impossible to connect the server", "Player already linked",
    "This player is not connected any more", "This competition is not opened now.",
    "You can't invite a same kind as yours player (client or server)",
    "Vrk Editor not found. You can download it at Morvatel Online.",
    "Please enter your Morvatel nickname and password or if you don't get ones, join Morvatel Community.",
    "Wait one minute before reconnecting.", "Impossible to read parameters of Morvatel",
    "Vrk Editor not found. Do you want to download it now ?",
    "Impossible to get an Internet connection", "One of the players have left the game.",
    "This file doesn't correspond to a valid sound", "Impossible to download",
    "This theme is not valid", "This player is not valid. You should delete him",
    "The selected LNG file is erroneous or non-existent",
    "The selected LNG file is not compatible with your version of MORVATEL",
    "Invalid nickname. No * & ; ] please.", "Impossible to download this plug-in.",
    "Impossible to automatically unzip the file you downloaded. Please do it by yourself.",
    "Impossible to establish the connection with at least one of your opponents.",
    "Problem in calling the help file.", "Impossible to install this plug-in.",
    "You have lost the game because you took too much time to play.",
    "Do you really want to quit Morvatel ?", "Do you really want to stop the game ?",
    "Do you really want to delete this Vrk Player ?", "Do you really want to delete this theme ?",
    "Do you really want to delete this texture ?",
    "is currently available. Do you want to download it ?", "Competition",
};
// Further texts the windows show. The shipped files translate them; any other file may, and
// where it does not they show in English, as does every text of neither table.
const char* const kOtherTexts[] = {
    // Main window, game information, camera dialog, sound control and message boxes.
    "Chat", "The online guide", "Home page", "Community",
    "The statistics file could not be written.", "The statistics file could not be read.",
    "The selected theme file is erroneous or non-existent",
    "The game server could not listen on its port.", "Information about the game",
    "Angle wheel", "Movement wheel: places the camera and the selection", "Reset of the angles",
    "Switch the sound off", "Switch the sound on", "Sound options", "Previous", "Play",
    "Pause", "Next", "Eject",
    // Web browser and downloads.
    "Unable to navigate to ", "Downloading...", "Download finished: ",
    "No program on this desktop opens this kind of file.", "The desktop could not open it.",
    // Player list, languages page and theme editor.
    "Choose", "Close", "Do you really want to delete this language ?",
    "This name cannot be used for a theme",
    // Lobby window.
    "Connection Form",
    // Theme editor and options window: files that could not be written or replaced.
    "Theme file", "Replace this theme file with the theme shown ?", "The theme file could not be written.",
    "The settings file could not be written.",
};
// keys:end

// The game engine's texts, in the order of JeuMessages.
std::string JeuMessages::* const kGameFields[] = {
    &JeuMessages::Points,         &JeuMessages::Point,       &JeuMessages::AllTaken,
    &JeuMessages::AllReceiving,   &JeuMessages::PlaysDouble, &JeuMessages::Plays,
    &JeuMessages::Of,             &JeuMessages::Sulks,       &JeuMessages::And,
    &JeuMessages::IsThePig,       &JeuMessages::AreThePigs,  &JeuMessages::HasWonTheRound,
    &JeuMessages::HaveWonTheRound,
};
const char* const kGameKeys[] = {
    "points", "point", "All the players have taken their 7 dominoes.",
    "All are receiving their 7 dominoes.", "plays double", "plays", "of", "sulks", "and",
    "is the pig!", "are the pigs!", "has won the round", "have won the round",
};
static_assert(std::size(kGameFields) == std::size(kGameKeys));

struct LanguageState {
    std::optional<LanguageFile> applied;
    bool translationMissing = false;
    // Shown texts by key, every key asked for so far. Entries are never erased, so
    // references handed out stay valid; each pass refreshes them all.
    std::map<std::string, std::string> texts;
    std::map<const void*, std::function<void()>> listeners;
};

LanguageState& State() {
    static LanguageState state;
    return state;
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool HasLngExtension(const std::string& name) {
    return name.size() > 4 && Upper(name.substr(name.size() - 4)) == ".LNG";
}

// The entry for the key: the first line whose text before its first "=" is the key.
const std::string* FindEntry(const LanguageFile& file, const std::string& key) {
    for (const std::string& line : file.Entries) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos && line.compare(0, eq, key) == 0) return &line;
    }
    return nullptr;
}

// The text shown for a key in the file: its translation, or the English key itself.
std::string ShownText(const LanguageFile& file, const std::string& key) {
    const std::string* line = FindEntry(file, key);
    return line ? line->substr(key.size() + 1) : key;
}

} // namespace

const std::vector<std::string>& LanguageKeys() {
    static const std::vector<std::string> keys(std::begin(kKeys), std::end(kKeys));
    return keys;
}

const std::vector<std::string>& OtherLanguageTexts() {
    static const std::vector<std::string> texts(std::begin(kOtherTexts), std::end(kOtherTexts));
    return texts;
}

std::optional<std::string> LanguagePath(const std::string& fileName) {
    if (!platform::IsSafeFileName(fileName)) return std::nullopt;
    return InProgramDir(std::string(LanguageFolder) + fileName);
}

std::optional<LanguageFile> ReadLanguageFile(const std::string& fileName) {
    const std::optional<std::string> path = LanguagePath(fileName);
    if (!path) return std::nullopt;
    std::optional<std::vector<std::string>> lines = platform::ReadLines(*path);
    if (!lines) return std::nullopt;
    platform::LineReader reader(std::move(*lines));
    LanguageFile file;
    file.Description = reader.next();
    file.Name = reader.next();
    file.CompatibleVersion = reader.next();
    file.Author = reader.next();
    file.Product = reader.next();
    file.Version = reader.next();
    while (!reader.atEnd()) file.Entries.push_back(reader.next());
    return file;
}

bool IsOfferedLanguage(const LanguageFile& file) {
    return file.Description == "[Description]" && Upper(file.Product) == "MORVATEL DOMINOES" &&
           file.Version == "3.0";
}

std::vector<LanguageListEntry> ListLanguages() {
    namespace fs = std::filesystem;
    std::vector<LanguageListEntry> list;
    std::error_code ec;
    fs::directory_iterator it(platform::FileSystemName(InProgramDir(LanguageFolder)), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::optional<std::string> listed = platform::ModelPathOfName(it->path().filename().string());
        if (!listed) continue;  // a name Latin-1 cannot hold could not be kept in the settings
        const std::string& name = *listed;
        std::error_code typeError;
        if (!HasLngExtension(name) || !it->is_regular_file(typeError)) continue;
        const std::optional<LanguageFile> file = ReadLanguageFile(name);
        if (file && IsOfferedLanguage(*file)) list.push_back({file->Name, name});
    }
    std::sort(list.begin(), list.end(),
              [](const LanguageListEntry& a, const LanguageListEntry& b) {
                  return a.FileName < b.FileName;
              });
    return list;
}

std::string Traduit(const LanguageFile& file, const std::string& key) {
    const std::string* line = FindEntry(file, key);
    return line ? line->substr(key.size() + 1) : std::string(MissingTranslation);
}

std::string Traduit(const std::string& key) {
    LanguageState& state = State();
    std::string text = state.applied ? Traduit(*state.applied, key) : MissingTranslation;
    if (text == MissingTranslation) state.translationMissing = true;
    return text;
}

bool TranslationMissing() { return State().translationMissing; }

bool UpDateLangue() {
    LanguageState& state = State();
    state.translationMissing = false;
    std::optional<LanguageFile> file = ReadLanguageFile(AppSettings().LngFilePath);
    if (!file) {
        state.translationMissing = true;
        return false;
    }
    // Every required text first: a file that lacks one is refused before anything changes.
    for (const std::string& key : LanguageKeys()) {
        if (!FindEntry(*file, key)) {
            state.translationMissing = true;
            return false;
        }
    }
    for (const std::string& key : LanguageKeys()) state.texts.try_emplace(key);
    // Every text shown so far takes the new file's wording, or its English one.
    for (auto& [key, text] : state.texts) text = ShownText(*file, key);
    JeuMessages& game = GameTexts();
    for (std::size_t i = 0; i < std::size(kGameKeys); ++i)
        game.*kGameFields[i] = state.texts.at(kGameKeys[i]);
    state.applied = std::move(file);
    // Listeners may look texts up (and so add entries): they run on a copy of the list.
    const auto listeners = state.listeners;
    for (const auto& [owner, listener] : listeners) listener();
    return true;
}

bool StartLanguage() {
    if (UpDateLangue()) return true;
    platform::ShowMessage(LanguageText("The selected LNG file is erroneous or non-existent"),
                          platform::SiteCaption);
    AppSettings().LngFilePath = FallbackLngFile;
    return UpDateLangue();
}

bool SwitchLanguage(const std::string& fileName, const std::string& failureKey) {
    Settings& settings = AppSettings();
    const std::string kept = settings.LngFilePath;
    settings.LngFilePath = fileName;
    if (UpDateLangue()) {
        SaveIniFile();
        return true;
    }
    platform::ShowMessage(LanguageText(failureKey), platform::SiteCaption);
    settings.LngFilePath = kept;
    return false;
}

const std::string& LanguageText(const std::string& key) {
    LanguageState& state = State();
    auto it = state.texts.find(key);
    if (it == state.texts.end())
        it = state.texts.emplace(key, state.applied ? ShownText(*state.applied, key) : key).first;
    return it->second;
}

void SetLanguageListener(const void* owner, std::function<void()> listener) {
    if (listener) State().listeners[owner] = std::move(listener);
    else State().listeners.erase(owner);
}

} // namespace client
