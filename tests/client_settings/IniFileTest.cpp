#include "platform/IniFile.h"

#include "client_settings/TestFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <limits>

using platform::IniFile;
using testfiles::CrLf;
using testfiles::ReadBytes;
using testfiles::WriteBytes;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    std::string path(const std::string& name = "test.ini") const { return testfiles::Path(dir, name); }
    QTemporaryDir dir;
};

TEST_F(IniFileTest, WritingKeepsOrderAndLinesAndAppendsNewKeys) {
    WriteBytes(path(), CrLf({"; written by hand", "[Game Options]", "CPU speed=5", "Extra = keep me",
                             "", "[Sound]", "Put sound=1"}));
    IniFile ini(path());
    ini.WriteInteger("game options", "cpu SPEED", 7);   // existing key, other case
    ini.WriteString("Game Options", "Me file", "x.vrk"); // new key, end of its section
    ini.WriteBool("Sound", "Put sound", false);
    ini.WriteString("Network Options", "Server port", "2032"); // new section at the end
    ini.WriteString("Network Options", "Surname", "bob");
    ASSERT_TRUE(ini.UpdateFile());

    EXPECT_EQ(ReadBytes(path()),
              CrLf({"; written by hand", "[Game Options]", "CPU speed=7", "Extra = keep me",
                    "Me file=x.vrk", "", "[Sound]", "Put sound=0", "", "[Network Options]",
                    "Server port=2032", "Surname=bob"}));
    EXPECT_EQ(IniFile(path()).ReadSections(),
              (std::vector<std::string>{"Game Options", "Sound", "Network Options"}));
}

TEST_F(IniFileTest, KeysWithSpacesAreReadAsWrittenWithoutRegardToCase) {
    WriteBytes(path(), CrLf({"[3D View]", "  Camera postion x = -800.5  ", "Camera angle X=1",
                             "camera angle x=2", "; Camera angle Y=9", "no equals sign here"}));
    const IniFile ini(path());
    EXPECT_DOUBLE_EQ(ini.ReadFloat("3D View", "Camera postion x", 0.0), -800.5);
    EXPECT_EQ(ini.ReadString("3d view", "CAMERA POSTION X", ""), "-800.5");
    EXPECT_EQ(ini.ReadInteger("3D View", "Camera angle X", 0), 1) << "first of two keys wins";
    EXPECT_FALSE(ini.ValueExists("3D View", "Camera angle Y")) << "comment lines hold no key";
    EXPECT_FALSE(ini.ValueExists("3D View", "Camera postion"));
    EXPECT_FALSE(ini.ValueExists("3D", "Camera postion x"));
}

TEST_F(IniFileTest, FileThatCannotBeReadGivesAnEmptyIni) {
    std::filesystem::create_directory(path("folder.ini"));
    for (const std::string& name : {std::string("missing.ini"), std::string("folder.ini")}) {
        SCOPED_TRACE(name);
        const IniFile ini(path(name));
        EXPECT_TRUE(ini.ReadSections().empty());
        EXPECT_EQ(ini.ReadString("General", "Theme file path", "def"), "def");
        EXPECT_EQ(ini.ReadInteger("General", "Check new version", 42), 42);
    }
    IniFile fresh(path("missing.ini"));
    fresh.WriteString("General", "Theme file path", "a.thm");
    ASSERT_TRUE(fresh.UpdateFile());
    EXPECT_EQ(ReadBytes(path("missing.ini")), CrLf({"[General]", "Theme file path=a.thm"}));
}

TEST_F(IniFileTest, CrLfAndLfFilesReadAlikeAndAreWrittenWithCrLf) {
    const std::vector<std::pair<std::string, std::string>> files = {
        {"crlf", "[A]\r\nkey one=1\r\nkey two=two\r\n[B]\r\nx=3\r\n"},
        {"lf", "[A]\nkey one=1\nkey two=two\n[B]\nx=3\n"},
        {"mixed, no final end", "[A]\r\nkey one=1\nkey two=two\r\n[B]\nx=3"},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        WriteBytes(path(), bytes);
        IniFile ini(path());
        EXPECT_EQ(ini.ReadInteger("A", "key one", 0), 1);
        EXPECT_EQ(ini.ReadString("A", "key two", ""), "two");
        EXPECT_EQ(ini.ReadInteger("B", "x", 0), 3);
        ini.WriteInteger("A", "key three", 4);
        ASSERT_TRUE(ini.UpdateFile());
        EXPECT_EQ(ReadBytes(path()), CrLf({"[A]", "key one=1", "key two=two", "key three=4", "[B]", "x=3"}));
    }
}

TEST_F(IniFileTest, StringValuesReadBackAsWritten) {
    const std::vector<std::string> values = {
        "plain", "two words", "  leading blanks", "trailing blanks ", "\"quoted\"", "\"",
        "a=b=c", "caf\xE9 \xFF\x80", "", "100%"};
    IniFile ini(path());
    for (std::size_t i = 0; i < values.size(); ++i) ini.WriteString("S", std::to_string(i) + "k", values[i]);
    ASSERT_TRUE(ini.UpdateFile());
    const IniFile back(path());
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(back.ReadString("S", std::to_string(i) + "k", "?"), values[i]) << i;
}

TEST_F(IniFileTest, LineBreaksInAValueCannotForgeOtherLines) {
    IniFile ini(path());
    ini.WriteString("Network Options", "Surname", "bob\r\n[General]\r\nTheme file path=../../x\n");
    ASSERT_TRUE(ini.UpdateFile());
    const IniFile back(path());
    EXPECT_FALSE(back.SectionExists("General"));
    EXPECT_EQ(back.ReadString("Network Options", "Surname", ""), "bob[General]Theme file path=../../x");
}

TEST_F(IniFileTest, NumbersThatCannotBeReadGiveTheDefault) {
    struct Case {
        std::string text;
        int integer;   // ReadInteger with default -7
        bool boolean;  // ReadBool with default true
    };
    const std::vector<Case> cases = {
        {"12", 12, true},           {" -5 ", -5, true},         {"+3", 3, true},
        {"0", 0, false},            {"0x1F", 31, true},         {"$10", 16, true},
        {"2147483647", 2147483647, true}, {"-2147483648", std::numeric_limits<int>::min(), true},
        {"2147483648", -7, true},   {"99999999999999999999", -7, true},
        {"abc", -7, true},          {"", -7, true},             {"12abc", -7, true},
        {"1.5", -7, true},          {"--1", -7, true},          {"0x", -7, true},
        {"TRUE", -7, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        WriteBytes(path(), "[N]\r\nv=" + c.text + "\r\n");
        const IniFile read(path());
        EXPECT_EQ(read.ReadInteger("N", "v", -7), c.integer);
        EXPECT_EQ(read.ReadBool("N", "v", true), c.boolean);
        EXPECT_EQ(read.ReadBool("N", "missing", false), false);
    }
}

TEST_F(IniFileTest, FloatsRoundTripExactlyAndBadOnesGiveTheDefault) {
    IniFile ini(path());
    const std::vector<double> values = {0.0, -800.0, -2200.0, -0.5235987755982989,
                                        -3.141592653589793, 1e-300, 123456.789};
    for (std::size_t i = 0; i < values.size(); ++i) ini.WriteFloat("F", std::to_string(i) + "k", values[i]);
    ASSERT_TRUE(ini.UpdateFile());
    const IniFile back(path());
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(back.ReadFloat("F", std::to_string(i) + "k", 99.0), values[i]) << i;
    EXPECT_EQ(back.ReadString("F", "1k", ""), "-800");

    const std::vector<std::pair<std::string, double>> texts = {
        {"-0,5", -0.5}, {" 2.25 ", 2.25}, {"1e3", 1000.0}, {"nan", 99.0}, {"inf", 99.0},
        {"abc", 99.0}, {"", 99.0}, {"1.5.2", 99.0}, {"1,5,2", 99.0}, {"1.5x", 99.0}};
    for (const auto& [text, expected] : texts) {
        WriteBytes(path(), "[F]\nv=" + text + "\n");
        EXPECT_EQ(IniFile(path()).ReadFloat("F", "v", 99.0), expected) << text;
    }
}

TEST_F(IniFileTest, FailedSaveLeavesThePreviousFileWhole) {
    const std::string before = CrLf({"[General]", "Theme file path=Wood.thm"});
    WriteBytes(path(), before);
    IniFile ini(path());
    ini.WriteString("General", "Theme file path", "Other.thm");
    // The temporary file cannot be created where a folder of that name stands.
    std::filesystem::create_directory(path() + ".tmp");
    EXPECT_FALSE(ini.UpdateFile());
    EXPECT_EQ(ReadBytes(path()), before);

    IniFile elsewhere(path("no such folder/param.ini"));
    elsewhere.WriteInteger("A", "b", 1);
    EXPECT_FALSE(elsewhere.UpdateFile());
}

} // namespace
