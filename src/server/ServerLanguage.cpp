#include "server/ServerLanguage.h"

#include <QDir>
#include <algorithm>
#include <map>

#include "settings/Settings.h"
#include "game/JeuMessages.h"
#include "platform/ProgramFolder.h"
#include "server/ServerSettings.h"

namespace server {

namespace {

struct State {
    std::map<std::string, std::string> texts;
    bool applied = false;
};

// The language reader finds "univers" through the program folder it was last given.
void useProgramFolder() {
    platform::ChangeToProgramFolder();
    client::SetProgramDir(platform::ProgramFolder());
}

State& state() {
    static State s;
    return s;
}

// The entries of a server file: line 7 of the file is not an entry.
client::LanguageFile entriesFromLine8(client::LanguageFile file) {
    if (!file.Entries.empty()) file.Entries.erase(file.Entries.begin());
    return file;
}

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
        return c < 128 ? static_cast<char>(std::toupper(c)) : static_cast<char>(c);
    });
    return s;
}

void applyGameTexts() {
    JeuMessages& m = GameTexts();
    m.Points = Srv("points");
    m.Point = Srv("point");
    m.AllTaken = Srv("All the players have taken their 7 dominoes.");
    m.AllReceiving = Srv("All are receiving their 7 dominoes.");
    m.PlaysDouble = Srv("plays double");
    m.Plays = Srv("plays");
    m.Of = Srv("of");
    m.Sulks = Srv("sulks");
    m.And = Srv("and");
    m.IsThePig = Srv("is the pig!");
    m.AreThePigs = Srv("are the pigs!");
    m.HasWonTheRound = Srv("has won the round");
    m.HaveWonTheRound = Srv("have won the round");
}

} // namespace

const std::vector<std::string>& ServerLanguageKeys() {
    static const std::vector<std::string> keys{
        "Game", "Information View", "Options", "Preferences", "Exit", "Connect", "Disconnect",
        "Statistics", "About", "Next round", "Begin the next round", "Send a message",
        "Competition", "and", "Click on New Game to begin...", "has won the round",
        "have won the round", "is the pig!", "are the pigs!", "We are wainting for",
        "Double click on the domino or drag it where you want to play.",
        "Click on Following round button.",
        "The game is over. Click on New Game to begin another.",
        "All the players have taken their 7 dominoes.", "plays", "of", "sulks", "points",
        "point", "All are receiving their 7 dominoes.", "plays double",
        "Waiting for connection...", "Locally game", "None competition", "Version",
        "Number of played matches", "Number of won matches", "Number of lost matches",
        "Number of given pigs", "Reset", "Choose your language...",
        "Choose the selected language", "Delete the selected language", "Download LNG files",
        "Language", "Author", "Compatible version", "Informations", "Lng file", "No language",
        "Edited by", "from", "Players list", "Change the player", "Delete selected player",
        "Download players", "Double click on it to select", "Close", "Configuration",
        "Firewall", "Connection", "Nickname", "Password",
        "Want to enter Web MORVATEL Competitions ?", "Submit", "Choose the competition",
        "Oral reactions", "Use a proxy server", "Address", "Port", "Server Port",
        "Use a proxy server SOCKS5", "Proxy Server SOCKS5", "Use SOCKS5 Authentification",
        "Authentification", "User", "Message", "Send", "Messages", "Invite", "Send...",
        "Received messages", "Opponents", "Accept", "Refuse", "Answer", "Not connected",
        "None connected player", "Kind", "State", "Connected since", "Server", "Client",
        "Linked", "Playing", "Free", "Received message", "Invitation from", "Acceptance of",
        "Refusal of", "to play with you", "Error", "Nickname not found",
        "Impossible to connect the server", "Player already linked",
        "This player is not connected any more", "This competition is not opened now.",
        "The Vrk Editor can be downloaded from the MVT web site.",
        "Wait one minute before reconnecting.", "Impossible to read parameters of Morvatel",
        "Vrk Editor not found. Do you want to download it now ?",
        "Impossible to get an Internet connection", "One of the players have left the game.",
        "Impossible to download", "This theme is not valid",
        "This player is not valid. You should delete him",
        "The selected LNG file is erroneous or non-existent",
        "The selected LNG file is not compatible with your version of MORVATEL",
        "Invalid nickname. No * & ; ] please.", "Impossible to download this plug-in.",
        "Impossible to automatically unzip the file you downloaded. Please do it by yourself.",
        "You have lost the game because you took too much time to play.",
        "Do you really want to quit Morvatel ?", "Do you really want to stop the game ?",
        "Do you really want to delete this Vrk Player ?",
        "Do you really want to delete this theme ?",
        "Do you really want to delete this texture ?"};
    return keys;
}

const std::vector<std::string>& ServerOptionalKeys() {
    static const std::vector<std::string> keys{"Choose"};
    return keys;
}

bool IsServerLanguage(const client::LanguageFile& file) {
    return file.Description == "[Description]" && upper(file.Product) == ServerProduct &&
           file.Version == ServerLanguageVersion;
}

std::vector<client::LanguageListEntry> ListServerLanguages() {
    useProgramFolder();
    std::vector<client::LanguageListEntry> list;
    const QStringList names = QDir(platform::FileSystemPath(client::LanguageFolder))
                                  .entryList({"*.lng", "*.LNG", "*.Lng"}, QDir::Files, QDir::Name);
    for (const QString& n : names) {
        const std::optional<std::string> listed = platform::ModelPath(n);
        if (!listed) continue;  // a name Latin-1 cannot hold could not be kept in the settings
        const std::string& name = *listed;
        auto file = client::ReadLanguageFile(name);
        if (file && IsServerLanguage(*file)) list.push_back({file->Name, name});
    }
    return list;
}

std::optional<client::LanguageFile> ReadServerLanguage(const std::string& fileName) {
    useProgramFolder();
    return client::ReadLanguageFile(fileName);
}

std::string Traduit(const client::LanguageFile& file, const std::string& key) {
    return client::Traduit(entriesFromLine8(file), key);
}

bool UpDateLangue() {
    auto file = ReadServerLanguage(AppSettings().LngFilePath);
    if (!file || !IsServerLanguage(*file)) return false;
    const client::LanguageFile entries = entriesFromLine8(std::move(*file));
    std::map<std::string, std::string> texts;
    for (const std::string& key : ServerLanguageKeys()) {
        std::string text = client::Traduit(entries, key);
        if (text == client::MissingTranslation) return false;
        texts[key] = std::move(text);
    }
    for (const std::string& key : ServerOptionalKeys()) {
        std::string text = client::Traduit(entries, key);
        if (text != client::MissingTranslation) texts[key] = std::move(text);
    }
    state().texts = std::move(texts);
    state().applied = true;
    applyGameTexts();
    return true;
}

std::string Srv(const std::string& key) {
    const auto& texts = state().texts;
    auto it = texts.find(key);
    return it != texts.end() ? it->second : key;
}

bool LanguageApplied() { return state().applied; }

} // namespace server
