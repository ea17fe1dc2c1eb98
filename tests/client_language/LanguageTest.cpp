#include "settings/Language.h"
#include "settings/Settings.h"
#include "client/UiText.h"

#include "client_settings/TestFiles.h"
#include "game/JeuMessages.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <regex>
#include <set>

using client::AppSettings;
using client::LanguageKeys;
using testfiles::ReadBytes;
using testfiles::WriteBytes;
namespace fs = std::filesystem;

namespace {

using Header = std::vector<std::string>;

Header GoodHeader(const std::string& name = "Testish") {
    return {"[Description]", name, "Morvatel Dominoes 3.0", "Tester", "Morvatel Dominoes", "3.0"};
}

std::string Join(const std::vector<std::string>& lines, const std::string& end = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
}

// A file with an entry for every key, translated by the function; keys in `skip` are left out.
std::string CompleteFile(const std::function<std::string(const std::string&)>& translate,
                         const Header& header = GoodHeader(),
                         const std::set<std::string>& skip = {},
                         const std::string& end = "\r\n") {
    std::vector<std::string> lines = header;
    for (const std::string& key : LanguageKeys())
        if (!skip.count(key)) lines.push_back(key + "=" + translate(key));
    return Join(lines, end);
}

std::string Tagged(const std::string& tag) {
    return CompleteFile([tag](const std::string& key) { return tag + key; });
}

class Languages : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        AppSettings() = client::Settings{};
        client::SetProgramDir(folder());
        fs::create_directories(univers());
        GameTexts() = JeuMessages{};
        previousHandler = platform::SetMessageHandler([this](const platform::MessageRequest& r) {
            messages.push_back(r.text);
            return platform::MsgAnswer::Ok;
        });
    }
    void TearDown() override {
        platform::SetMessageHandler(previousHandler);
        AppSettings() = client::Settings{};
        GameTexts() = JeuMessages{};
    }
    std::string folder() const { return dir.path().toStdString(); }
    std::string univers() const { return folder() + "/univers"; }
    void Put(const std::string& name, const std::string& bytes) const {
        WriteBytes(univers() + "/" + name, bytes);
    }
    bool Apply(const std::string& name) {
        AppSettings().LngFilePath = name;
        return client::UpDateLangue();
    }
    // Puts a complete file whose every text is tag + key and applies it.
    void ApplyTagged(const std::string& name, const std::string& tag) {
        Put(name, Tagged(tag));
        ASSERT_TRUE(Apply(name));
        ASSERT_EQ(client::Ui("Game"), tag + "Game");
    }

    QTemporaryDir dir;
    platform::MessageHandler previousHandler;
    std::vector<std::string> messages;
};

// ---- Applying a file ---------------------------------------------------------------------

struct ApplyCase {
    const char* what;
    std::string name;
    std::string bytes; // empty: no file is written
    bool accepted;
};

TEST_F(Languages, ApplyAcceptsOnlyCompleteFilesAndKeepsThePreviousLanguageOtherwise) {
    const auto tr = [](const std::string& k) { return "T:" + k; };
    const std::vector<ApplyCase> cases = {
        {"complete, CR LF", "crlf.lng", CompleteFile(tr), true},
        {"complete, LF only", "lf.lng", CompleteFile(tr, GoodHeader(), {}, "\n"), true},
        {"complete, no end on the last line", "noend.lng",
         CompleteFile(tr).substr(0, CompleteFile(tr).size() - 2), true},
        {"complete with an extra unknown entry and a line without '='", "extra.lng",
         CompleteFile(tr) + "Unknown text=x\r\njust a line\r\n", true},
        // Listing checks do not decide applying; only the texts do.
        {"complete, other version line", "v31.lng",
         CompleteFile(tr, {"[Description]", "X", "", "", "Morvatel Dominoes", "3.1"}), true},
        {"one game text missing", "nosulks.lng", CompleteFile(tr, GoodHeader(), {"sulks"}), false},
        {"one window text missing", "nogame.lng", CompleteFile(tr, GoodHeader(), {"Game"}), false},
        {"the last key missing", "nolast.lng",
         CompleteFile(tr, GoodHeader(), {LanguageKeys().back()}), false},
        {"key with a trailing space only", "space.lng",
         CompleteFile(tr, GoodHeader(), {"Game"}) + "Game =T:Game\r\n", false},
        {"key in another case only", "case.lng",
         CompleteFile(tr, GoodHeader(), {"Game"}) + "game=T:Game\r\n", false},
        {"six header lines and no entries", "empty.lng", Join(GoodHeader()), false},
        {"empty file", "zero.lng", std::string(), false},
        {"no such file", "missing.lng", std::string(), false},
        {"empty name", "", std::string(), false},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.what);
        ApplyTagged("base.lng", "B:");
        const JeuMessages before = GameTexts();
        if (!c.bytes.empty() || std::string(c.what) == "empty file") Put(c.name, c.bytes);

        EXPECT_EQ(Apply(c.name), c.accepted);
        EXPECT_EQ(client::TranslationMissing(), !c.accepted);
        if (c.accepted) {
            EXPECT_EQ(client::Ui("Game"), "T:Game");
            EXPECT_EQ(client::Ui(LanguageKeys().back()), "T:" + LanguageKeys().back());
            EXPECT_EQ(GameTexts().Sulks, "T:sulks");
            EXPECT_EQ(GameTexts().HaveWonTheRound, "T:have won the round");
        } else {
            // Refused as a whole: not even the texts it has are taken.
            EXPECT_EQ(client::Ui("Game"), "B:Game");
            EXPECT_EQ(client::Ui("Sound"), "B:Sound");
            EXPECT_EQ(client::Traduit("Sound"), "B:Sound");
            EXPECT_EQ(GameTexts().Sulks, before.Sulks);
            EXPECT_EQ(GameTexts().Points, "B:points");
        }
    }
}

// The texts a language file must hold, written down apart from the code's table: a file of
// exactly these is accepted, and one lacking any of them is refused.
std::vector<std::string> ListedTexts() {
    std::vector<std::string> texts;
    std::string all = ReadBytes(std::string(MORVATEL_SOURCE_DIR) +
                                "/tests/client_language/required-texts.txt");
    std::size_t start = 0;
    for (std::size_t end; (end = all.find('\n', start)) != std::string::npos; start = end + 1)
        if (end > start) texts.push_back(all.substr(start, end - start));
    return texts;
}

std::string FileOf(const std::vector<std::string>& texts, const std::string& tag,
                   const std::string& skip = {}) {
    std::vector<std::string> lines = GoodHeader();
    for (const std::string& text : texts)
        if (text != skip) lines.push_back(text + "=" + tag + text);
    return Join(lines);
}

TEST_F(Languages, AFileOfExactlyTheListedTextsIsAcceptedAndOneLackingAnyIsRefused) {
    const std::vector<std::string> listed = ListedTexts();
    ASSERT_EQ(listed.size(), 220u) << "the fixture lost lines";
    Put("listed.lng", FileOf(listed, "L:"));
    ASSERT_TRUE(Apply("listed.lng"));
    EXPECT_EQ(client::Ui("Preferences"), "L:Preferences");
    EXPECT_EQ(GameTexts().IsThePig, "L:is the pig!");
    // Texts beyond the list show in English.
    for (const std::string& text : client::OtherLanguageTexts()) EXPECT_EQ(client::Ui(text), text);

    for (const std::string& lacking : listed) {
        Put("lacking.lng", FileOf(listed, "X:", lacking));
        EXPECT_FALSE(Apply("lacking.lng")) << "accepted without \"" << lacking << "\"";
        EXPECT_EQ(client::Ui("Game"), "L:Game") << lacking;
    }
}

TEST_F(Languages, TextsBeyondTheListTakeTheFilesWordingOrStayEnglish) {
    const std::vector<std::string> listed = ListedTexts();
    // Asked for before any language: the English wording, refreshed by every pass.
    const std::string& play = client::Ui("Play");
    const std::string& unlisted = client::Ui("A text only a new window shows");
    EXPECT_EQ(play, "Play");
    Put("more.lng", FileOf(listed, "M:") + "Play=M:Play\r\nA text only a new window shows=M:new\r\n");
    Put("less.lng", FileOf(listed, "E:"));
    ASSERT_TRUE(Apply("more.lng"));
    EXPECT_EQ(play, "M:Play");
    EXPECT_EQ(unlisted, "M:new");
    EXPECT_EQ(client::Ui("Eject"), "Eject") << "the file has no entry for it";
    EXPECT_EQ(client::Ui("Asked for the first time now"), "Asked for the first time now");
    ASSERT_TRUE(Apply("less.lng"));
    EXPECT_EQ(play, "Play") << "the next file lacks it: back to English, not the last wording";
    EXPECT_EQ(unlisted, "A text only a new window shows");
    EXPECT_EQ(client::Ui("Game"), "E:Game");
}

TEST_F(Languages, ListenersRunAfterEveryAppliedFileOnly) {
    Put("good.lng", Tagged("G:"));
    Put("bad.lng", CompleteFile([](const std::string& k) { return k; }, GoodHeader(), {"Game"}));
    std::vector<std::string> heard;
    const int owner = 0;
    client::SetLanguageListener(&owner, [&] { heard.push_back(client::Ui("Game")); });
    EXPECT_TRUE(Apply("good.lng"));
    EXPECT_FALSE(Apply("bad.lng"));
    EXPECT_TRUE(client::SwitchLanguage("good.lng", "Error"));
    EXPECT_EQ(heard, (std::vector<std::string>{"G:Game", "G:Game"})) << "the texts are in place first";
    client::SetLanguageListener(&owner, {});
    EXPECT_TRUE(Apply("good.lng"));
    EXPECT_EQ(heard.size(), 2u);
}

TEST_F(Languages, EveryGameTextTakesItsOwnTranslation) {
    ApplyTagged("g.lng", "G:");
    const JeuMessages& t = GameTexts();
    const JeuMessages english;
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {t.Points, english.Points},           {t.Point, english.Point},
        {t.AllTaken, english.AllTaken},       {t.AllReceiving, english.AllReceiving},
        {t.PlaysDouble, english.PlaysDouble}, {t.Plays, english.Plays},
        {t.Of, english.Of},                   {t.Sulks, english.Sulks},
        {t.And, english.And},                 {t.IsThePig, english.IsThePig},
        {t.AreThePigs, english.AreThePigs},   {t.HasWonTheRound, english.HasWonTheRound},
        {t.HaveWonTheRound, english.HaveWonTheRound},
    };
    for (const auto& [translated, key] : pairs) EXPECT_EQ(translated, "G:" + key);
}

TEST_F(Languages, UiIsTheKeyUntilALanguageIsAppliedAndForTextsOutsideTheTable) {
    // A key asked for before any file applies, and one that no file translates.
    const std::string& early = client::Ui("Exit");
    EXPECT_EQ(client::Ui("A text the table does not hold"), "A text the table does not hold");
    ApplyTagged("a.lng", "A:");
    EXPECT_EQ(early, "A:Exit") << "a reference handed out earlier shows the new language";
    EXPECT_EQ(client::Ui("A text the table does not hold"), "A text the table does not hold");
}

TEST_F(Languages, EightBitTextIsKeptByteForByte) {
    const std::string latin = "Fran\xE7" "ais \xE9\xE8\xE0 \x80\xFF \xA0=\xC9";
    Put("latin.lng", CompleteFile([&](const std::string& k) { return k == "Game" ? latin : k; },
                                  GoodHeader("Fran\xE7" "ais")));
    ASSERT_TRUE(Apply("latin.lng"));
    EXPECT_EQ(client::Ui("Game"), latin);
    const auto list = client::ListLanguages();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Name, "Fran\xE7" "ais");
}

// ---- Looking a text up -------------------------------------------------------------------

TEST_F(Languages, TraduitTakesTheFirstEntryAndEverythingAfterItsFirstEqualsSign) {
    client::LanguageFile file;
    file.Name = "Game=header lines are never entries";
    file.Entries = {
        "no equals sign on this line",
        "Lead= with a leading space",
        "Formula=a=b=c",
        "Twice=first",
        "Twice=second",
        "Empty=",
        "Trail =with a space in the key",
        "=empty key",
    };
    struct Lookup { std::string key, expected; };
    const std::vector<Lookup> lookups = {
        {"Lead", " with a leading space"},
        {"Formula", "a=b=c"},
        {"Twice", "first"},
        {"Empty", ""},
        {"Trail ", "with a space in the key"},
        {"Trail", "*!*"},
        {"twice", "*!*"},
        {"Game", "*!*"},
        {"no equals sign on this line", "*!*"},
        {"Unknown", "*!*"},
    };
    for (const Lookup& l : lookups) EXPECT_EQ(client::Traduit(file, l.key), l.expected) << l.key;
}

TEST_F(Languages, AMissingTextInTheLanguageInForceGivesTheMarkerAndSetsTheFlag) {
    ApplyTagged("a.lng", "A:");
    EXPECT_FALSE(client::TranslationMissing());
    EXPECT_EQ(client::Traduit("Author"), "A:Author");
    EXPECT_FALSE(client::TranslationMissing());
    EXPECT_EQ(client::Traduit("Not a text of the program"), client::MissingTranslation);
    EXPECT_TRUE(client::TranslationMissing());
    ASSERT_TRUE(Apply("a.lng"));
    EXPECT_FALSE(client::TranslationMissing()) << "each pass starts with the flag cleared";
}

// ---- Names from outside ------------------------------------------------------------------

TEST_F(Languages, UnsafeNamesAreNeverOpened) {
    // A complete file waits behind each name, so only the name check can refuse it.
    const std::string complete = Tagged("EVIL:");
    WriteBytes(folder() + "/evil.lng", complete);
    fs::create_directories(univers() + "/sub");
    Put("sub/evil.lng", complete);
    Put("sub\\evil.lng", complete);
    Put("a..b.lng", complete);
    ApplyTagged("base.lng", "B:");
    for (const std::string name :
         {"../evil.lng", "sub/evil.lng", "sub\\evil.lng", "a..b.lng", "/etc/passwd"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(client::LanguagePath(name));
        EXPECT_FALSE(client::ReadLanguageFile(name));
        EXPECT_FALSE(Apply(name));
        EXPECT_EQ(client::Ui("Game"), "B:Game");
    }
    EXPECT_EQ(client::LanguagePath("base.lng"), folder() + "/univers/base.lng");
}

// ---- Listing -----------------------------------------------------------------------------

TEST_F(Languages, OnlyFilesWithTheProductAndVersionAreOffered) {
    struct ListCase { std::string file; Header header; bool offered; };
    const std::vector<ListCase> cases = {
        {"good.lng", GoodHeader("Good"), true},
        {"lower.lng", {"[Description]", "Lower", "", "", "morvatel dominoes", "3.0"}, true},
        {"UPPER.LNG", {"[Description]", "Upper", "", "", "MORVATEL DOMINOES", "3.0"}, true},
        {"product.lng", {"[Description]", "P", "", "", "MVT SERVER", "3.0"}, false},
        {"product2.lng", {"[Description]", "P", "", "", "Morvatel Dominoes ", "3.0"}, false},
        {"v16.lng", {"[Description]", "V", "", "", "Morvatel Dominoes", "1.6"}, false},
        {"vspace.lng", {"[Description]", "V", "", "", "Morvatel Dominoes", "3.0 "}, false},
        {"desc.lng", {"[description]", "D", "", "", "Morvatel Dominoes", "3.0"}, false},
        {"short.lng", {"[Description]", "S", "", "", "Morvatel Dominoes"}, false},
        {"good.txt", GoodHeader("Not a language file"), false},
    };
    for (const ListCase& c : cases) Put(c.file, Join(c.header));
    // Header lines only: listing never needs the texts.
    fs::create_directories(univers() + "/folder.lng");
    // LF-only header lines are read the same way.
    Put("lf.lng", Join(GoodHeader("Lf"), "\n"));

    std::vector<std::pair<std::string, std::string>> got;
    for (const auto& e : client::ListLanguages()) got.emplace_back(e.FileName, e.Name);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"UPPER.LNG", "Upper"}, {"good.lng", "Good"}, {"lf.lng", "Lf"}, {"lower.lng", "Lower"}};
    EXPECT_EQ(got, expected);

    for (const ListCase& c : cases) {
        if (c.file.ends_with(".txt")) continue;
        auto file = client::ReadLanguageFile(c.file);
        ASSERT_TRUE(file) << c.file;
        EXPECT_EQ(client::IsOfferedLanguage(*file), c.offered) << c.file;
    }
}

TEST_F(Languages, AnEmptyOrMissingFolderOffersNothing) {
    EXPECT_TRUE(client::ListLanguages().empty());
    fs::remove_all(univers());
    EXPECT_TRUE(client::ListLanguages().empty());
}

// ---- Start-up and switching --------------------------------------------------------------

TEST_F(Languages, StartUpFallsBackToTheEnglishFileWhenTheSetOneIsRefused) {
    Put(client::FallbackLngFile, CompleteFile([](const std::string& k) { return k; },
                                              GoodHeader("English")));
    Put("broken.lng", CompleteFile([](const std::string& k) { return "X" + k; }, GoodHeader(),
                                   {"Cancel"}));
    // At a real start no language is in force and Ui() gives the English text; the English
    // file gives the same texts, whatever an earlier test applied.
    ASSERT_TRUE(Apply(client::FallbackLngFile));
    for (const std::string set : {"broken.lng", "absent.lng", "../broken.lng", ""}) {
        SCOPED_TRACE(set);
        messages.clear();
        AppSettings().LngFilePath = set;
        EXPECT_TRUE(client::StartLanguage());
        EXPECT_EQ(AppSettings().LngFilePath, client::FallbackLngFile);
        EXPECT_EQ(messages, std::vector<std::string>{"The selected LNG file is erroneous or non-existent"});
        EXPECT_EQ(client::Ui("Game"), "Game");
    }
    messages.clear();
    Put("fr.lng", Tagged("F:"));
    AppSettings().LngFilePath = "fr.lng";
    EXPECT_TRUE(client::StartLanguage());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(AppSettings().LngFilePath, "fr.lng");
}

TEST_F(Languages, SwitchingSavesOnSuccessAndRestoresTheKeptFileOnFailure) {
    ApplyTagged("old.lng", "O:");
    ASSERT_TRUE(client::SaveIniFile());
    const std::string savedBefore = ReadBytes(AppSettings().IniFilePath);

    Put("bad.lng", CompleteFile([](const std::string& k) { return "N:" + k; }, GoodHeader(),
                                {"Reset"}));
    EXPECT_FALSE(client::SwitchLanguage("bad.lng", "The selected LNG file is erroneous or non-existent"));
    EXPECT_EQ(AppSettings().LngFilePath, "old.lng");
    // The failure is told in the language still in force.
    EXPECT_EQ(messages, std::vector<std::string>{"O:The selected LNG file is erroneous or non-existent"});
    EXPECT_EQ(client::Ui("Game"), "O:Game");
    EXPECT_EQ(ReadBytes(AppSettings().IniFilePath), savedBefore);

    Put("new.lng", Tagged("N:"));
    EXPECT_TRUE(client::SwitchLanguage("new.lng", "The selected LNG file is erroneous or non-existent"));
    EXPECT_EQ(AppSettings().LngFilePath, "new.lng");
    EXPECT_EQ(client::Ui("Game"), "N:Game");
    client::Settings reread;
    client::LoadIniFile(reread, AppSettings().IniFilePath);
    EXPECT_EQ(reread.LngFilePath, "new.lng");
    EXPECT_EQ(messages.size(), 1u);
}

// ---- The shipped files and the key table -------------------------------------------------

TEST_F(Languages, BothShippedFilesAreOfferedAndLoadCompletely) {
    const std::string shipped = std::string(MORVATEL_SOURCE_DIR) + "/data/univers/";
    for (const char* name : {"morvatel30_english.lng", "morvatel30_francais.lng"})
        fs::copy_file(shipped + name, univers() + "/" + name);

    std::vector<std::pair<std::string, std::string>> got;
    for (const auto& e : client::ListLanguages()) got.emplace_back(e.FileName, e.Name);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"morvatel30_english.lng", "English"}, {"morvatel30_francais.lng", "Fran\xE7" "ais"}};
    EXPECT_EQ(got, expected);

    ASSERT_TRUE(Apply("morvatel30_english.lng"));
    for (const std::string& key : LanguageKeys()) EXPECT_EQ(client::Ui(key), key);
    EXPECT_EQ(GameTexts().AllTaken, JeuMessages{}.AllTaken);

    for (const std::string& text : client::OtherLanguageTexts()) EXPECT_EQ(client::Ui(text), text);

    ASSERT_TRUE(Apply("morvatel30_francais.lng"));
    const auto french = client::ReadLanguageFile("morvatel30_francais.lng");
    ASSERT_TRUE(french);
    EXPECT_EQ(french->Entries.size(), LanguageKeys().size() + client::OtherLanguageTexts().size());
    for (const std::string& key : LanguageKeys()) EXPECT_FALSE(client::Ui(key).empty()) << key;
    for (const std::string& text : client::OtherLanguageTexts())
        EXPECT_EQ(client::Ui(text), client::Traduit(*french, text)) << text;
    EXPECT_EQ(client::Ui("Previous"), "Pr\xE9" "c\xE9" "dent") << "a text beyond the listed ones";
    EXPECT_EQ(client::Ui("Preferences"), "Pr\xE9" "f\xE9" "rences");
    EXPECT_EQ(GameTexts().Sulks, "boude");
    EXPECT_EQ(GameTexts().IsThePig, "est le cochon !");
}

TEST(LanguageKeys, HoldEveryGameTextOnceAndNoEqualsSign) {
    const std::vector<std::string>& keys = LanguageKeys();
    const std::set<std::string> unique(keys.begin(), keys.end());
    EXPECT_EQ(unique.size(), keys.size());
    for (const std::string& key : keys) {
        EXPECT_FALSE(key.empty());
        EXPECT_EQ(key.find('='), std::string::npos) << key;
    }
    const JeuMessages english;
    for (const std::string& text :
         {english.Points, english.Point, english.AllTaken, english.AllReceiving,
          english.PlaysDouble, english.Plays, english.Of, english.Sulks, english.And,
          english.IsThePig, english.AreThePigs, english.HasWonTheRound, english.HaveWonTheRound})
        EXPECT_TRUE(unique.count(text)) << text;
    const std::string editorNotice = std::string("Vrk Editor not found. You can download it at ") +
                                     platform::SiteCaption + ".";
    EXPECT_TRUE(unique.count(editorNotice)) << editorNotice;
}

std::string Unescape(const std::string& literal) {
    std::string text;
    for (std::size_t i = 0; i < literal.size(); ++i) {
        if (literal[i] == '\\' && i + 1 < literal.size()) ++i;
        text += literal[i];
    }
    return text;
}

// Every text the sources hand to the translation: Ui("..."), SetCaption(control, "..."),
// SetHint(control, "..."), Translate("...") and Translate(NAME) where NAME is a string
// constant of the same file. The shipped files translate them all.
TEST(LanguageKeys, HoldEveryTextTheSourcesTranslate) {
    const std::string lit = R"re("((?:[^"\\]|\\.)*)")re";
    const std::regex direct(R"re(\b(?:Ui|Translate)\(\s*)re" + lit + R"re(\s*\))re");
    const std::regex caption(R"re(\b(?:SetCaption|SetHint)\([^,;()]+,\s*)re" + lit);
    const std::regex named(R"re(\bTranslate\(\s*(\w+)\s*\))re");

    std::set<std::string> table(LanguageKeys().begin(), LanguageKeys().end());
    table.insert(client::OtherLanguageTexts().begin(), client::OtherLanguageTexts().end());
    std::set<std::string> found, missing;
    for (const auto& entry :
         fs::recursive_directory_iterator(std::string(MORVATEL_SOURCE_DIR) + "/src")) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        const std::string source = ReadBytes(entry.path().string());
        const std::string where = entry.path().filename().string();
        auto take = [&](const std::string& text) {
            found.insert(text);
            if (!table.count(text)) missing.insert(where + ": \"" + text + "\"");
        };
        for (const std::regex* re : {&direct, &caption})
            for (std::sregex_iterator m(source.begin(), source.end(), *re), end; m != end; ++m)
                take(Unescape((*m)[1]));
        for (std::sregex_iterator m(source.begin(), source.end(), named), end; m != end; ++m) {
            const std::regex constant("\\b" + (*m)[1].str() + R"re(\s*=\s*)re" + lit);
            std::smatch value;
            if (std::regex_search(source, value, constant)) take(Unescape(value[1]));
        }
    }
    EXPECT_TRUE(found.count("One of the players have left the game.")) << "the scan finds nothing";
    EXPECT_GE(found.size(), 10u);
    std::string list;
    for (const std::string& m : missing) list += "\n  " + m;
    EXPECT_TRUE(missing.empty()) << "texts the shipped files do not translate (add them to the "
                                    "further texts of Language.cpp and run "
                                    "data/tools/make-languages.py):" << list;
}

} // namespace
