#include "WebFixture.h"
#include "lobby/Senders.h"
#include "support/TestHttpServer.h"

using client::TForm10;
using Outcome = client::TForm10::Outcome;

namespace {
struct DownloadWindow : WebCase {
    // A download window for a file the server holds at `remote`.
    TForm10* start(const std::string& remote, const std::string& local, const std::string& extract = {},
                   long long expected = 0) {
        auto* w = new TForm10(nullptr);
        w->Url = web.Url() + remote;
        w->LocalPath = inFolder(local);
        w->ExtractBaseDir = extract.empty() ? folder.path() : inFolder(extract);
        w->ExpectedSize = expected;
        window = w;
        w->DownloadFile();
        return w;
    }
    QPointer<TForm10> window;
};
} // namespace

TEST_F(DownloadWindow, AFileIsSavedByteForByteAndTheWindowGoes) {
    QByteArray body("\r\n\x00\xff binary\r\n", 13);
    body += QByteArray(100000, 'x');
    web.SetFile("/files/players/data.bin", body);
    auto* w = start("files/players/data.bin", "players/data.bin", {}, 5);
    EXPECT_EQ(w->ProgressBar1->maximum(), 5);
    int maximum = -1, value = -1;
    QObject::connect(w, &TForm10::Finished, [&] {
        maximum = w->ProgressBar1->maximum();
        value = w->ProgressBar1->value();
    });
    EXPECT_EQ(WaitForDownload(w), Outcome::Saved);
    EXPECT_EQ(QByteArray::fromStdString(ReadText(inFolder("players/data.bin"))), body);
    EXPECT_EQ(maximum, body.size());  // the server's size beats the page's
    EXPECT_EQ(value, body.size());
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 2000));
}

TEST_F(DownloadWindow, AFailedTransferLeavesNoFileAndKeepsTheOldOne) {
    web.Set("/files/gone.zip", {404, "text/plain", "no"});
    web.SetFile("/files/big.zip", QByteArray(4096, 'z'));
    WriteBytes(inFolder("themes/kept.zip"), "previous");
    struct Row {
        const char* remote;
        const char* local;
        qint64 bound;
    };
    const Row rows[] = {{"files/gone.zip", "themes/kept.zip", TForm10::MaxDownloadBytes},
                        {"files/big.zip", "themes/big.zip", 1000},
                        {"files/x.zip", "themes/x.zip", TForm10::MaxDownloadBytes}};
    for (const Row& r : rows) {
        messages.texts.clear();
        auto* w = new TForm10(nullptr);
        w->Url = web.Url() + r.remote;
        w->LocalPath = inFolder(r.local);
        w->NMHTTP1->SetMaxBody(r.bound);
        w->DownloadFile();
        EXPECT_EQ(WaitForDownload(w), Outcome::DownloadFailed) << r.remote;
        EXPECT_EQ(messages.texts, std::vector<std::string>{"Impossible to download this plug-in."}) << r.remote;
    }
    EXPECT_EQ(ReadText(inFolder("themes/kept.zip")), "previous");
    EXPECT_EQ(FilesBelow(folder.path()), QStringList{"themes/kept.zip"});
    EXPECT_EQ(refreshes, 0);
}

TEST_F(DownloadWindow, AnAddressThatCannotBeFetchedFailsAtOnce) {
    auto* w = new TForm10(nullptr);
    w->Url = "not an address";
    w->LocalPath = inFolder("players/a.zip");
    std::optional<Outcome> outcome;
    QObject::connect(w, &TForm10::Finished, [&](Outcome o) { outcome = o; });
    w->DownloadFile();
    EXPECT_EQ(outcome, Outcome::DownloadFailed);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Impossible to download this plug-in."});
}

TEST_F(DownloadWindow, AnArchiveIsUnpackedTheListsRefreshedAndTheArchiveDeleted) {
    web.SetFile("/files/players/bob.zip", ZipWithTool({{"players/bob.vrk", "[Player]"}, {"players/bob/bob.jpg", "jpg"}}));
    auto* w = start("files/players/bob.zip", "players/bob.zip");
    EXPECT_EQ(WaitForDownload(w), Outcome::Extracted);
    EXPECT_EQ(FilesBelow(folder.path()), (QStringList{"players/bob.vrk", "players/bob/bob.jpg"}));
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(DownloadWindow, ArchivesThatCannotBeUnpackedStayWithTheirMessage) {
    const std::string unzip = "Impossible to automatically unzip the file you downloaded. Please do it by yourself.";
    struct Row {
        const char* what;
        QByteArray archive;
        Outcome outcome;
        std::string message;
        bool archiveKept;
    };
    const Row rows[] = {
        {"damaged", QByteArray("PK\x03\x04 this is no archive"), Outcome::UnpackFailed, unzip, true},
        {"empty", EmptyZip(), Outcome::EmptyArchive, "Impossible to install this plug-in.", true},
        {"entry ../x", ZipWithNames({{"ok.txt", "ok"}, {"../x", "evil"}}), Outcome::UnpackFailed, unzip, true},
        {"absolute entry", ZipWithNames({{"/tmp/morvatel-download-abs", "evil"}}), Outcome::UnpackFailed, unzip, true},
    };
    for (const Row& r : rows) {
        messages.texts.clear();
        web.SetFile("/files/themes/t.zip", r.archive);
        auto* w = start("files/themes/t.zip", "themes/sub/t.zip", "themes/sub");
        EXPECT_EQ(WaitForDownload(w), r.outcome) << r.what;
        EXPECT_EQ(messages.texts, std::vector<std::string>{r.message}) << r.what;
        EXPECT_EQ(Exists(inFolder("themes/sub/t.zip")), r.archiveKept) << r.what;
        // Nothing beside the archive, nothing above it.
        EXPECT_EQ(FilesBelow(folder.path()), QStringList{"themes/sub/t.zip"}) << r.what;
    }
    EXPECT_FALSE(Exists("/tmp/morvatel-download-abs"));
    EXPECT_FALSE(Exists(inFolder("themes/x")));
    EXPECT_EQ(refreshes, 0);
}

TEST_F(DownloadWindow, ADownloadedProgramIsNeverRunUnlessItIsTheAcceptedUpdate) {
    web.SetFile("/files/players/tool.EXE", "MZ program");
    web.SetFile("/files/software/morvatel/morvatelSetup.exe", "MZ setup");
    EXPECT_EQ(WaitForDownload(start("files/players/tool.EXE", "players/tool.EXE")), Outcome::Saved);
    EXPECT_EQ(ReadText(inFolder("players/tool.EXE")), "MZ program");
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_EQ(shell.ended, 0);

    auto* update = new TForm10(nullptr);
    update->Url = web.Url() + "files/software/morvatel/morvatelSetup.exe";
    update->LocalPath = inFolder("tmp/MorvatelSETUP.exe");
    update->IsUpdate = true;
    update->DownloadFile();
    EXPECT_EQ(WaitForDownload(update), Outcome::Installed);
    EXPECT_EQ(shell.opened, std::vector<std::string>{inFolder("tmp/MorvatelSETUP.exe")});
    EXPECT_EQ(shell.ended, 1);
}

TEST_F(DownloadWindow, ALargeArchiveUnpacksInStepsAndClosingTheWindowLeavesNothingOfIt) {
    const std::string zeros(3 * platform::ZipUnpacker::StepBytes, '\0');
    web.SetFile("/files/players/big.zip",
                ZipWithTool({{"players/big/a.bin", zeros}, {"players/big/b.bin", zeros}, {"players/big.vrk", "p"}}));

    // Other events are handled between the steps.
    auto* w = start("files/players/big.zip", "players/big.zip");
    std::optional<Outcome> outcome;
    bool answeredWhileUnpacking = false;
    QObject::connect(w, &TForm10::Finished, [&](Outcome o) { outcome = o; });
    QObject::connect(w->NMHTTP1, &platform::HttpComponent::Success, [&] {
        QTimer::singleShot(0, [&] { answeredWhileUnpacking = !outcome.has_value(); });
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 15000));
    EXPECT_EQ(outcome, Outcome::Extracted);
    EXPECT_TRUE(answeredWhileUnpacking);
    EXPECT_EQ(ReadText(inFolder("players/big/b.bin")), zeros);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 2000));

    // Closed half way: the window goes, and nothing it had begun to write stays.
    QDir(QString::fromStdString(inFolder("players"))).removeRecursively();
    WriteBytes(inFolder("players/big.vrk"), "old");
    auto* closed = start("files/players/big.zip", "players/big.zip");
    QObject::connect(closed->NMHTTP1, &platform::HttpComponent::Success, closed,
                     [closed] { QTimer::singleShot(0, closed, [closed] { closed->close(); }); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 15000));
    EXPECT_EQ(FilesBelow(folder.path()), (QStringList{"players/big.vrk", "players/big.zip"}));
    EXPECT_EQ(ReadText(inFolder("players/big.vrk")), "old");
    EXPECT_EQ(refreshes, 1);
}

TEST_F(DownloadWindow, ADownloadThatTricklesEndsAtItsDeadlineAsAFailure) {
    TestHttpServer trickle([](const std::string&) {
        TestHttpServer::Response r;
        r.Pieces.push_back("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n");
        r.Pieces.insert(r.Pieces.end(), 1000, "x");
        r.PauseMs = 50;
        return r;
    });
    auto* w = new TForm10(nullptr);
    EXPECT_EQ(w->NMHTTP1->Deadline(), TForm10::DownloadDeadlineMs);
    EXPECT_GT(TForm10::DownloadDeadlineMs, lobby::Senders::DeadlineMs);
    w->NMHTTP1->SetDeadline(300);  // the deadline, driven
    w->Url = trickle.Url() + "files/players/slow.zip";
    w->LocalPath = inFolder("players/slow.zip");
    w->DownloadFile();
    EXPECT_EQ(WaitForDownload(w, 10000), Outcome::DownloadFailed);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Impossible to download this plug-in."});
    EXPECT_TRUE(FilesBelow(folder.path()).isEmpty());
    trickle.Stop();
}
