// The server's language files: which files are offered, the lookup, and the shipped files.
#include <gtest/gtest.h>

#include "game/JeuMessages.h"
#include "game/ValidName.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"
#include "server/ServerLanguage.h"
#include "server/ServerSettings.h"
#include "support/TempFolder.h"

namespace {

std::string header(const std::string& product, const std::string& version) {
    return "[Description]\r\nDeutsch\r\nMVT Server 1.6\r\nsomeone\r\n" + product + "\r\n" + version +
           "\r\n;\r\n";
}

struct LanguageFolder {
    LanguageFolder() { platform::SetProgramFolderForTests(folder.path()); }
    ~LanguageFolder() { platform::SetProgramFolderForTests(""); }
    void write(const std::string& name, const std::string& text) { folder.write("univers/" + name, text); }
    TempFolder folder;
};

std::string allKeys(const std::string& except = "") {
    std::string text;
    for (const std::string& key : server::ServerLanguageKeys())
        if (key != except) text += key + "=" + "<" + key + ">\r\n";
    return text;
}

} // namespace

TEST(ServerLanguage, OnlyFilesWrittenForTheServerAreListed) {
    LanguageFolder f;
    struct Case {
        const char* file;
        std::string text;
        bool listed;
    } cases[] = {
        {"a.lng", header("MVT Server", "1.6"), true},
        {"b.lng", header("mvt server", "1.6"), true},
        {"c.lng", header("MVT SERVER", "1.60"), false},
        {"d.lng", header("Morvatel Dominoes", "3.0"), false},
        {"e.lng", "[description]\r\nX\r\n\r\n\r\nMVT SERVER\r\n1.6\r\n", false},
        {"f.txt", header("MVT SERVER", "1.6"), false},
    };
    for (const Case& c : cases) f.write(c.file, c.text);
    std::vector<std::string> names;
    for (const auto& e : server::ListServerLanguages()) names.push_back(e.FileName);
    EXPECT_EQ(names, (std::vector<std::string>{"a.lng", "b.lng"}));
}

TEST(ServerLanguage, EntriesStartAfterTheSeventhLine) {
    LanguageFolder f;
    // Line 7 is never an entry, even when it looks like one.
    f.write("x.lng", "[Description]\r\nX\r\nv\r\na\r\nMVT SERVER\r\n1.6\r\nGame=Seven\r\n"
                     "Game=Partie\r\nExit=\r\nOptions\r\n");
    auto file = server::ReadServerLanguage("x.lng");
    ASSERT_TRUE(file);
    EXPECT_EQ(server::Traduit(*file, "Game"), "Partie");
    EXPECT_EQ(server::Traduit(*file, "Exit"), "");
    EXPECT_EQ(server::Traduit(*file, "Options"), "*!*");  // no "="
    EXPECT_EQ(server::Traduit(*file, "Connect"), "*!*");
}

TEST(ServerLanguage, AFileLackingATextIsRefusedWholeAndTheLanguageInForceStays) {
    LanguageFolder f;
    f.write("full.lng", header("MVT SERVER", "1.6") + allKeys());
    f.write("short.lng", header("MVT SERVER", "1.6") + allKeys("Connect"));
    server::AppSettings().LngFilePath = "full.lng";
    ASSERT_TRUE(server::UpDateLangue());
    EXPECT_EQ(server::Srv("Connect"), "<Connect>");
    EXPECT_EQ(GameTexts().Sulks, "<sulks>");
    server::AppSettings().LngFilePath = "short.lng";
    EXPECT_FALSE(server::UpDateLangue());
    EXPECT_EQ(server::Srv("Connect"), "<Connect>");
    server::AppSettings().LngFilePath = "../full.lng";
    EXPECT_FALSE(server::UpDateLangue());
    // A text that is not one of the keys shows as its English wording.
    EXPECT_EQ(server::Srv("Not a key at all"), "Not a key at all");
}

TEST(ServerLanguage, TheLaterWindowsTextsAreTranslatedWhenPresentAndNeverRequired) {
    LanguageFolder f;
    const std::string later = server::ServerOptionalKeys().front();
    f.write("old.lng", header("MVT SERVER", "1.6") + allKeys());
    f.write("new.lng", header("MVT SERVER", "1.6") + allKeys() + later + "=<" + later + ">\r\n");
    server::AppSettings().LngFilePath = "new.lng";
    ASSERT_TRUE(server::UpDateLangue());
    EXPECT_EQ(server::Srv(later), "<" + later + ">");
    // A file written before those windows is still accepted; their texts fall back to English.
    server::AppSettings().LngFilePath = "old.lng";
    ASSERT_TRUE(server::UpDateLangue());
    EXPECT_EQ(server::Srv(later), later);
    EXPECT_EQ(server::Srv("Connect"), "<Connect>");
}

TEST(ServerLanguage, TheShippedFilesHoldEveryTextAndAreOffered) {
    LanguageFolder f;
    for (const char* name : {"mvtserver16_english.lng", "mvtserver16_francais.lng"}) {
        auto lines = platform::ReadLines(std::string(MORVATEL_SOURCE_DIR "/data/univers/") + name);
        ASSERT_TRUE(lines) << name;
        std::string text;
        for (const std::string& line : *lines) text += line + "\r\n";
        f.write(name, text);
        server::AppSettings().LngFilePath = name;
        EXPECT_TRUE(server::UpDateLangue()) << name;
        auto file = server::ReadServerLanguage(name);
        ASSERT_TRUE(file);
        for (const std::string& key : server::ServerOptionalKeys())
            EXPECT_NE(server::Traduit(*file, key), "*!*") << name << ": " << key;
    }
    EXPECT_EQ(server::Srv("Game"), "Partie");
    EXPECT_EQ(server::ListServerLanguages().size(), 2u);
    GameTexts() = JeuMessages{};
}

TEST(ServerLanguage, ValidNameRemovesTheLobbysSeparators) {
    EXPECT_EQ(validName("a*b;c]d&e"), "abcde");
}
