#include <gtest/gtest.h>

#include "Archives.h"
#include "platform/ZipExtract.h"

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
