// Usage: QT_QPA_PLATFORM=offscreen soak_server [games]
// Runs the server in process against the stand-in site and plays the given number of games
// (100 by default) with one scripted guest, the game clock at 1 ms and no computer pause.
// Prints the resident memory, the heap in use, the open descriptors and the server's kept
// records at games 1, 10, every fiftieth and the last.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <malloc.h>
#include <fstream>
#include <string>

#define ASSERT_TRUE(x) if (!(x)) { std::fprintf(stderr, "failed: %s\n", #x); return 1; }
#include "../../tests/server/ScriptedGuest.h"
#include "lobby/Counter.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "server/ServerSettings.h"
#include "server/ServerWindows.h"
#include "server/Vuesc.h"
#include "support/StandInSite.h"

namespace {

long residentKb() {
    std::ifstream in("/proc/self/status");
    std::string key;
    long value = 0;
    while (in >> key) {
        if (key == "VmRSS:") {
            in >> value;
            return value;
        }
        in.ignore(1 << 10, '\n');
    }
    return -1;
}

// What the program holds on the heap, without what the allocator keeps for reuse.
long heapInUseKb() {
    const struct mallinfo2 m = mallinfo2();
    return static_cast<long>((m.uordblks + m.hblkhd) / 1024);
}

int openDescriptors() { return static_cast<int>(QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size()); }

void copyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QFileInfo& f : QDir(from).entryInfoList(QDir::Files)) QFile::copy(f.filePath(), to + "/" + f.fileName());
    for (const QFileInfo& d : QDir(from).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
        copyFolder(d.filePath(), to + "/" + d.fileName());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int games = argc > 1 ? std::atoi(argv[1]) : 100;
    StandInSite site;
    ASSERT_TRUE(site.Start());
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    for (const char* sub : {"players", "univers"})
        copyFolder(QStringLiteral(MORVATEL_SOURCE_DIR "/data/") + sub, dir.path() + "/" + sub);
    server::ServerSettings s;
    server::ApplyDefaults(s);
    s.Surname = "robot";
    s.NetPassword = "pw";
    s.ServerPort = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        s.ServerPort = probe.serverPort();
    }
    server::WriteSettingsFile(folder + "/param_ds.ini", s);
    platform::SetProgramFolderForTests(folder);
    ::setenv("MORVATEL_SITE_URL", site.Url().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
    platform::SetMessageHandler([](const platform::MessageRequest&) { return platform::MsgAnswer::Yes; });
    server::TForm1* main = server::CreateServerWindows();
    main->TrayAvailable = [] { return false; };
    main->CpuDelayTicks = 0;
    main->Timer1->setInterval(1);

    ScriptedGuest guest(site.Url(), "soak", s.ServerPort + 1);
    ASSERT_TRUE(guest.Login());
    std::printf("game  rss_kB  heap_kB  fds  history_lines  messages  lobby_users  game_log_lines\n");
    for (int game = 1; game <= games; ++game) {
        if (!guest.Meet("robot") || !guest.PlayToTheEnd()) {
            std::printf("game %d did not finish\n", game);
            return 1;
        }
        // The robot drops the game and logs in again before the next invitation.
        if (!WaitFor([&] { return !main->CurrentGame && main->ToolButton6->isEnabled(); }, 15000)) {
            std::printf("game %d: the robot did not come back\n", game);
            return 1;
        }
        // The site's request log is kept by its process handle for tests to read; here it
        // would count against the server, so it is dropped after each game.
        site.ErrorOutput();
        if (game == 1 || game == 10 || game % 50 == 0 || game == games) {
            std::printf("%4d  %6ld  %7ld  %3d  %13d  %8zu  %11zu  %14d\n", game, residentKb(), heapInUseKb(),
                        openDescriptors(),
                        main->Memo2->document()->blockCount(), main->Messages.size(), main->LobbyUsers.size(),
                        server::AppForms().Form4->Memo1->document()->blockCount());
            std::fflush(stdout);
        }
    }
    std::printf("statistics: %d games played\n", server::AppStatistics().Played);
    server::DestroyServerWindows();
    return 0;
}
