#include <gtest/gtest.h>

#include "Archives.h"
#include "platform/ZipExtract.h"
#include "platform/ZipUnpacker.h"

using platform::ExtractZip;
using platform::ZipResult;

namespace {
struct ZipCase : ::testing::Test {
    QTemporaryDir dir;
    std::string root() const { return dir.path().toStdString(); }
    std::string base() const { return root() + "/base"; }
    std::string archive(const QByteArray& bytes) {
        const std::string path = root() + "/in.zip";
        WriteBytes(path, bytes);
        return path;
    }
};
} // namespace

TEST(ZipEntryNames, OnlyNamesThatStayBelowTheirBaseAreSafe) {
    const std::pair<const char*, bool> rows[] = {
        {"players/bob.vrk", true},   {"players/bob/", true},      {"a/./b", true},
        {"x..y", true},              {"../x", false},             {"a/../../x", false},
        {"a/..", false},             {"/etc/passwd", false},      {"a\\b", false},
        {"C:/x", false},             {"", false},                 {"..", false},
    };
    for (auto [name, safe] : rows) EXPECT_EQ(platform::IsSafeEntryName(name), safe) << name;
}

TEST_F(ZipCase, ExtractsEveryEntryWithItsFoldersAndOverwritesFiles) {
    WriteBytes(base() + "/players/bob.vrk", "old");
    const std::string binary("\x00\r\n\xff\x1a", 5);
    const auto path = archive(ZipWithTool({{"players/bob.vrk", "new"}, {"players/bob/bob.jpg", binary},
                                           {"players/bob/voices/begin.wav", "w"}}));
    const auto out = ExtractZip(path, base());
    EXPECT_EQ(out.Result, ZipResult::Extracted) << out.Detail;
    EXPECT_EQ(ReadText(base() + "/players/bob.vrk"), "new");
    EXPECT_EQ(ReadText(base() + "/players/bob/bob.jpg"), binary);
    EXPECT_EQ(ReadText(base() + "/players/bob/voices/begin.wav"), "w");
}

TEST_F(ZipCase, OneEntryThatLeavesTheFolderRefusesTheWholeArchiveBeforeAnythingIsWritten) {
    for (const char* bad : {"../outside.txt", "/tmp/morvatel-abs-entry.txt", "a\\..\\x.txt", "ok/../../x.txt"}) {
        QTemporaryDir fresh;
        const std::string b = fresh.path().toStdString() + "/base";
        const std::string path = fresh.path().toStdString() + "/in.zip";
        // The good entry comes first: it must not be written either.
        WriteBytes(path, ZipWithNames({{"good.txt", "g"}, {bad, "evil"}}));
        const auto out = ExtractZip(path, b);
        EXPECT_EQ(out.Result, ZipResult::Refused) << bad;
        EXPECT_EQ(FilesBelow(fresh.path().toStdString()), QStringList{"in.zip"}) << bad;
        EXPECT_FALSE(Exists("/tmp/morvatel-abs-entry.txt"));
    }
}

TEST_F(ZipCase, DamagedEmptyAndOversizedArchives) {
    // Bytes that do not compress, so the first entry's data fills the archive's first part.
    std::string noise(5000, '\0');
    for (std::size_t i = 0, x = 12345; i < noise.size(); ++i) noise[i] = char((x = x * 1103515245 + 12345) >> 16);
    const QByteArray real = ZipWithTool({{"a.txt", noise}});
    const QByteArray three = ZipWithTool({{"a.txt", noise}, {"b.txt", "b"}, {"c.txt", "c"}});
    QByteArray corrupt = real;
    corrupt[1000] = char(corrupt[1000] ^ 0x55);
    struct Row {
        const char* what;
        QByteArray bytes;
        platform::ZipLimits limits;
        ZipResult expect;
    };
    const Row rows[] = {
        {"not a zip", QByteArray("hello, this is not an archive"), {}, ZipResult::Damaged},
        {"cut short", real.left(real.size() / 2), {}, ZipResult::Damaged},
        {"corrupt data", corrupt, {}, ZipResult::Damaged},
        {"no entry", EmptyZip(), {}, ZipResult::Empty},
        {"too many entries", three, {2, 1 << 20}, ZipResult::Refused},
        {"too many bytes", three, {100, 5001}, ZipResult::Refused},
        {"within the bounds", three, {3, 5002}, ZipResult::Extracted},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ExtractZip(archive(r.bytes), base(), r.limits).Result, r.expect) << r.what;
    }
    EXPECT_EQ(platform::ZipEntryCount(archive(three)), 3);
    EXPECT_EQ(platform::ZipEntryCount(archive(EmptyZip())), 0);
    EXPECT_EQ(platform::ZipEntryCount(archive("junk")), -1);
}

TEST(ZipEntryNames, BackslashesAreReadAsSlashesThenChecked) {
    const std::pair<const char*, const char*> rows[] = {
        {"players\\bob.vrk", "players/bob.vrk"}, {"players\\bob\\", "players/bob"}, {"./a//b/./c", "a/b/c"},
        {"..\\morvatel", nullptr},                {"players\\..\\..\\x", nullptr},   {"\\etc\\passwd", nullptr},
        {"C:\\x", nullptr},                        {"a\nb", nullptr},                  {"a\rb", nullptr},
        {"a\x1b[2Jb", nullptr},                    {"a\x7f", nullptr},                 {"./", nullptr},
    };
    for (auto [stored, path] : rows) {
        const auto got = platform::EntryPath(stored);
        if (path) EXPECT_EQ(got.value_or("(refused)"), path) << stored;
        else EXPECT_FALSE(got) << stored << " gave " << got.value_or("");
    }
    EXPECT_TRUE(platform::LiesBelow("players/a", "players"));
    EXPECT_TRUE(platform::LiesBelow("players", "players"));
    EXPECT_FALSE(platform::LiesBelow("playersX/a", "players"));
    EXPECT_FALSE(platform::LiesBelow("morvatel", "players"));
}

TEST_F(ZipCase, AnArchiveKeptToItsFolderRefusesAnyEntryElsewhereAndLeavesNothing) {
    WriteBytes(base() + "/morvatel", "the program");
    WriteBytes(base() + "/param.ini", "settings");
    WriteBytes(base() + "/players/old.vrk", "old");
    struct Row {
        const char* what;
        ZipEntries entries;
        ZipResult expect;
    };
    const Row rows[] = {
        {"the program", {{"players/a.vrk", "a"}, {"morvatel", "evil"}}, ZipResult::Refused},
        {"the settings", {{"players/a.vrk", "a"}, {"param.ini", "evil"}}, ZipResult::Refused},
        {"a \\ path out", {{"players/a.vrk", "a"}, {"players\\..\\param.ini", "evil"}}, ZipResult::Refused},
        {"a folder beside", {{"players/a.vrk", "a"}, {"playersX/a", "evil"}}, ZipResult::Refused},
        {"the folder as a file", {{"players", "evil"}}, ZipResult::Refused},
        {"a line end in a name", {{"players/a.vrk", "a"}, {"players/b\n.vrk", "b"}}, ZipResult::Refused},
        {"a file where a folder must go", {{"players/old.vrk/x", "x"}}, ZipResult::WriteFailed},
    };
    const QStringList before = FilesBelow(root()) << "in.zip";
    for (const Row& r : rows) {
        const auto out = ExtractZip(archive(ZipWithNames(r.entries)), base(), {}, "players");
        EXPECT_EQ(out.Result, r.expect) << r.what << ": " << out.Detail;
        EXPECT_EQ(FilesBelow(root()), before) << r.what;
        EXPECT_EQ(ReadText(base() + "/morvatel"), "the program") << r.what;
        EXPECT_EQ(ReadText(base() + "/param.ini"), "settings") << r.what;
        EXPECT_EQ(ReadText(base() + "/players/old.vrk"), "old") << r.what;
    }
    EXPECT_FALSE(QDir(QString::fromStdString(base() + "/players/a.vrk")).exists());

    // Written on another system: "\" separators land where "/" would.
    const auto out = ExtractZip(archive(ZipWithNames({{"players\\new\\a.jpg", "j"}, {"players\\old.vrk", "new"}})),
                                base(), {}, "players");
    EXPECT_EQ(out.Result, ZipResult::Extracted) << out.Detail;
    EXPECT_EQ(ReadText(base() + "/players/new/a.jpg"), "j");
    EXPECT_EQ(ReadText(base() + "/players/old.vrk"), "new");
}

TEST_F(ZipCase, ALastEntryThatCannotBeReadLeavesNothingOfTheArchive) {
    WriteBytes(base() + "/players/keep.vrk", "kept");
    std::string noise(5000, '\0');
    for (std::size_t i = 0, x = 777; i < noise.size(); ++i) noise[i] = char((x = x * 1103515245 + 12345) >> 16);
    // The good entries first; the last one's data is damaged after its name.
    QByteArray bytes = ZipWithNames({{"players/a.vrk", "a"}, {"players/keep.vrk", "new"}, {"players/z.bin", noise}});
    const qsizetype at = bytes.indexOf("players/z.bin") + 13 + 2500;
    bytes[at] = char(bytes[at] ^ 0x55);
    const QStringList before = FilesBelow(root());
    const auto out = ExtractZip(archive(bytes), base(), {}, "players");
    EXPECT_EQ(out.Result, ZipResult::Damaged) << out.Detail;
    EXPECT_EQ(FilesBelow(root()), QStringList(before) << "in.zip");
    EXPECT_EQ(ReadText(base() + "/players/keep.vrk"), "kept");
}

TEST_F(ZipCase, AnUnpackingEndedHalfWayTakesBackWhatItPlaced) {
    WriteBytes(base() + "/players/p0.vrk", "old");
    ZipEntries many;
    for (int i = 0; i < 3 * platform::ZipUnpacker::StepFiles; ++i) many.push_back({"players/p" + std::to_string(i) + ".vrk", "new"});
    const std::string path = archive(ZipWithNames(many));
    const QStringList before = FilesBelow(root());
    {
        platform::ZipUnpacker unpacker(path, base(), "players");
        // Until the first files have been moved into place.
        while (unpacker.Step() && !Exists(base() + "/players/p1.vrk")) {
        }
        ASSERT_FALSE(unpacker.Done());
        ASSERT_EQ(ReadText(base() + "/players/p0.vrk"), "new");
    }
    EXPECT_EQ(FilesBelow(root()), before);
    EXPECT_EQ(ReadText(base() + "/players/p0.vrk"), "old");
}
