// Stored files in a program folder named with "é", with accented values: each is found by
// its file-system name and read back byte for byte; the texts stay single Latin-1 bytes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "settings/Language.h"
#include "settings/ProfileCard.h"
#include "settings/Settings.h"
#include "settings/ThemeFile.h"
#include "platform/Latin1.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"
#include "server/ServerSettings.h"

namespace {

// A program folder "programme é" (UTF-8 on the disk, as the locale names it).
class AccentedFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        dir = QDir(temp.path()).filePath(QStringLiteral(u"programme \u00e9"));
        ASSERT_TRUE(QDir().mkpath(dir));
        platform::SetProgramDirForTests(dir);
        ASSERT_TRUE(platform::ChangeToProgramFolder());
        client::SetProgramDir(platform::ProgramFolder());
    }
    void TearDown() override {
        platform::SetProgramDirForTests(QString());
        client::SetProgramDir(std::string());
        QDir::setCurrent(QDir::tempPath());
    }
    // The bytes of a file named by its file-system name below the folder.
    QByteArray Bytes(const QString& name) const {
        QFile f(QDir(dir).filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }
    QTemporaryDir temp;
    QString dir;
};

TEST_F(AccentedFolder, TheProgramFolderKeepsItsNameAndIsLatin1InTheModel) {
    EXPECT_EQ(platform::ProgramDir(), dir);
    EXPECT_EQ(platform::ProgramFolder(), platform::S(dir));
    EXPECT_EQ(platform::ProgramFolder().back(), '\xE9');
    EXPECT_EQ(QDir::currentPath(), dir);
}

TEST_F(AccentedFolder, EveryStoredFileRoundTripsByteForByte) {
    ASSERT_TRUE(QDir(dir).mkpath("themes") && QDir(dir).mkpath("univers"));
    struct Case {
        const char* name;
        std::string file;                               // model path, Latin-1
        QString onDisk;                                 // the same as the file system names it
        std::function<bool(const std::string&)> write;  // writes accented values
        std::function<bool(const std::string&, const std::string&)> rewrite;  // read one, write the other
    };
    const std::string zoe = "Zo\xE9", texture = "textures/b\xE9ton \xE0 la fa\xE7on.jpg";
    const std::vector<Case> cases = {
        {"settings", client::InProgramDir("param.ini"), "param.ini",
         [&](const std::string& p) {
             client::Settings s;
             s.Surname = zoe;
             s.ThemeFilePath = "Th\xE8me.thm";
             s.BeginningSoundPath = "sons/d\xE9but.wav";
             return client::SaveIniFile(s, p);
         },
         [](const std::string& from, const std::string& to) {
             client::Settings s;
             client::LoadIniFile(s, from);
             return client::SaveIniFile(s, to);
         }},
        {"server settings", platform::ProgramFolder() + "/param_ds.ini", "param_ds.ini",
         [&](const std::string& p) {
             server::ServerSettings s;
             server::ApplyDefaults(s);
             s.Surname = zoe;
             s.MeFile = "Andr\xE9.vrk";
             return server::WriteSettingsFile(p, s);
         },
         [](const std::string& from, const std::string& to) {
             server::ServerSettings s;
             server::ApplyDefaults(s);
             return server::ReadSettingsFile(from, s) && server::WriteSettingsFile(to, s);
         }},
        {"theme", client::InProgramDir("themes/Th\xE8me.thm"), QStringLiteral(u"themes/Th\u00e8me.thm"),
         [&](const std::string& p) {
             client::ThemeValues t;
             t.BackgroundTexturePath = texture;
             return client::WriteThemeFile(p, t);
         },
         [](const std::string& from, const std::string& to) {
             client::ThemeValues t;
             return client::ReadThemeFile(from, t) && client::WriteThemeFile(to, t);
         }},
        {"language", client::InProgramDir("univers/fran\xE7" "ais.lng"), QStringLiteral(u"univers/fran\u00e7ais.lng"),
         [](const std::string& p) {
             return platform::WriteLinesAtomic(p, {"[Description]", "Fran\xE7" "ais", "3.0", "L\xE9a",
                                                   "MORVATEL DOMINOES", "3.0", "Invitation from=Invitation de",
                                                   "Linked=Li\xE9"});
         },
         [](const std::string&, const std::string& to) {
             const auto file = client::ReadLanguageFile("fran\xE7" "ais.lng");
             if (!file) return false;
             std::vector<std::string> lines = {file->Description, file->Name, file->CompatibleVersion,
                                               file->Author, file->Product, file->Version};
             lines.insert(lines.end(), file->Entries.begin(), file->Entries.end());
             return platform::WriteLinesAtomic(to, lines);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.write(c.file));
        const QByteArray written = Bytes(c.onDisk);
        EXPECT_TRUE(written.contains('\xE9')) << "a single Latin-1 byte";
        EXPECT_FALSE(written.contains("\xC3\xA9")) << "never UTF-8";
        ASSERT_TRUE(c.rewrite(c.file, c.file + ".again"));
        EXPECT_EQ(Bytes(c.onDisk + ".again"), written);
    }
    // The language is listed by its name as the settings would keep it.
    const auto languages = client::ListLanguages();
    ASSERT_EQ(languages.size(), 1u);
    EXPECT_EQ(languages[0].FileName, "fran\xE7" "ais.lng");
    EXPECT_EQ(languages[0].Name, "Fran\xE7" "ais");
}

TEST_F(AccentedFolder, AnAccentedProfileIsListedAndItsPictureFound) {
    const QString folder = QStringLiteral(u"players/Zo\u00e9");
    ASSERT_TRUE(QDir(dir).mkpath(folder));
    QFile picture(QDir(dir).filePath(folder + QStringLiteral(u"/photo \u00e9t\u00e9.jpg")));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly) && picture.write("jpeg") == 4);
    picture.close();
    ASSERT_TRUE(platform::WriteLinesAtomic(client::InProgramDir("players/Zo\xE9.vrk"),
                                           {"[Morvatel player]", "", "Editor=L\xE9o", "Name=Zo\xE9", "Origine=Orl\xE9" "ans",
                                            "Stars=3", "Directory=Zo\xE9", "Sound=", "Version=3.0", "", "",
                                            "photo \xE9t\xE9.jpg"}));
    EXPECT_EQ(client::ListVrk(), std::vector<std::string>{"Zo\xE9.vrk"});
    const auto card = client::ReadProfileCard("Zo\xE9.vrk");
    ASSERT_TRUE(card);
    EXPECT_EQ(card->Name, "Zo\xE9");
    EXPECT_EQ(card->Origin, "Orl\xE9" "ans");
    EXPECT_TRUE(platform::FileExists(client::InProgramDir(card->Picture))) << card->Picture;
    EXPECT_TRUE(client::DeleteProfile("Zo\xE9.vrk"));
    EXPECT_FALSE(QFile::exists(QDir(dir).filePath(folder + QStringLiteral(u"/photo \u00e9t\u00e9.jpg"))));
}

TEST(ModelPaths, ANameLatin1CannotHoldIsRefusedOrKeptRelativeToItsFolder) {
    QTemporaryDir temp;
    const QString folder = QDir(temp.path()).filePath(QStringLiteral(u"\u6771\u4eac"));
    ASSERT_TRUE(QDir().mkpath(folder));
    platform::SetProgramDirForTests(folder);
    EXPECT_EQ(platform::ProgramFolder(), ".");
    EXPECT_EQ(platform::ModelPath(folder + QStringLiteral(u"/sons/d\u00e9but.wav")), "sons/d\xE9" "but.wav");
    EXPECT_EQ(platform::ModelPath(QStringLiteral(u"/elsewhere/\u20ac.wav")), std::nullopt);
    EXPECT_EQ(platform::ModelPath(QStringLiteral(u"/musique/\u00e9t\u00e9.mp3")), "/musique/\xE9t\xE9.mp3");
    EXPECT_EQ(platform::FileSystemName("/musique/\xE9t\xE9.mp3"), "/musique/\xC3\xA9t\xC3\xA9.mp3");
    platform::SetProgramDirForTests(QString());
}

} // namespace
