// Hostile peers against a real host and a real guest: the memory the program takes and
// whether its window keeps running while a peer floods it. Not a test: it prints what it
// measured.
//
//   bench_flood relay [seconds]      two guests of a headless host; one never reads, the other
//                                    floods chat lines that the host passes on to it
//   bench_flood chat-host [lines]    the main window hosts one guest that floods chat lines of
//                                    300 characters
//   bench_flood chat-guest [lines]   the main window joins a host that floods chat lines of
//                                    65,000 characters
//
// The hostile peers run in a child process forked before Qt starts, so the memory measured
// is the program's alone.
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "client/ClientFixture.h"
#include "client/VueInfoJeu.h"
#include "client/VueInfoMessage.h"
#include "net/GameLine.h"
#include "net/GameLinkHost.h"

namespace {

// ---- the hostile side: plain blocking sockets, no Qt --------------------------------------

int connectTo(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return -1;
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return fd;
}

// Ends the sending side and waits for the other end to close: a socket closed with unread
// data resets the connection, and the peer would lose what it had not read yet.
void finish(int fd) {
    ::shutdown(fd, SHUT_WR);
    char buf[4096];
    while (::recv(fd, buf, sizeof buf, 0) > 0) {
    }
    ::close(fd);
}

bool sendAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

int readPort(int pipeFd) {
    int port = 0;
    if (::read(pipeFd, &port, sizeof port) != sizeof port) return -1;
    return port;
}

long nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000L + t.tv_nsec / 1000000L;
}

// Guest A joins and never reads; guest B joins and floods chat lines for the given time.
void relayFlooder(int pipeFd, int seconds) {
    const int port = readPort(pipeFd);
    const int a = connectTo(port), b = connectTo(port);
    if (a < 0 || b < 0) return;
    int small = 4096;
    ::setsockopt(a, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sendAll(a, "8:Bob&\r\n");
    sendAll(b, "8:Ann&\r\n");
    const std::string chat = "9:0&" + std::string(295, 'x') + "&\r\n";
    std::string burst;
    for (int i = 0; i < 64; ++i) burst += chat;
    const long end = nowMs() + seconds * 1000L;
    while (nowMs() < end && sendAll(b, burst)) {
    }
    ::close(b);
    ::close(a);
}

// One guest joins, then sends the chat lines.
void chatFlooder(int pipeFd, int lines) {
    const int port = readPort(pipeFd);
    const int fd = connectTo(port);
    if (fd < 0) return;
    sendAll(fd, "8:&\r\n");
    ::usleep(300000);
    const std::string chat = "9:0&" + std::string(295, 'x') + "&\r\n";
    std::string burst;
    for (int i = 0; i < 100; ++i) burst += chat;
    for (int sent = 0; sent < lines; sent += 100)
        if (!sendAll(fd, burst)) break;
    finish(fd);
}

// A host that answers the join with a start line, then sends long chat lines.
void hostileHost(int pipeFd, int lines) {
    const int server = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(server, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(server, 1);
    socklen_t len = sizeof a;
    ::getsockname(server, reinterpret_cast<sockaddr*>(&a), &len);
    const int port = ntohs(a.sin_port);
    if (::write(pipeFd, &port, sizeof port) != sizeof port) return;
    const int fd = ::accept(server, nullptr, nullptr);
    char buf[64];
    if (::recv(fd, buf, sizeof buf, 0) <= 0) return;
    Paquet pack;
    net::DealTiles deal{};
    int next = 0;
    for (auto& hand : deal)
        for (Domino& d : hand) d = pack.Tiles[next++];
    sendAll(fd, net::StartGameLine({"Guesty", "Hosty", "CPU"}, {"127.0.0.1", "127.0.0.2", ""},
                                   {"1", "0", "3"}, deal) + "\r\n");
    ::usleep(300000);
    const std::string chat = "9:1&" + std::string(64990, 'y') + "&\r\n";
    for (int i = 0; i < lines; ++i)
        if (!sendAll(fd, chat)) break;
    finish(fd);
    ::close(server);
}

// ---- the measured side ---------------------------------------------------------------------

// Received chat lands in the chat window.
const QPlainTextEdit* chatMemo() { return static_cast<client::TForm12*>(client::AppForms().Form12)->Memo1; }

long statusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::size_t n = std::strlen(field);
    while (std::getline(in, line))
        if (line.compare(0, n, field) == 0) return std::stol(line.substr(n + 1));
    return -1;
}

// The child process and a pipe between the two: one writes fds[1], the other reads fds[0].
struct Child {
    pid_t pid = -1;
    int* fds = nullptr;
    bool running() {
        if (pid < 0) return false;
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) pid = -1;
        return pid >= 0;
    }
};

template <class Body>
Child fork(Body body) {
    static int fds[2];
    if (::pipe(fds) != 0) std::exit(1);
    const pid_t pid = ::fork();
    if (pid == 0) {
        body(fds);
        ::_exit(0);
    }
    return Child{pid, fds};
}

// Counts a timer's ticks and the longest gap between two of them.
struct TickWatch {
    QElapsedTimer clock;
    qint64 last = -1, longest = 0;
    long ticks = 0;
    void watch(QTimer* timer) {
        clock.start();
        QObject::connect(timer, &QTimer::timeout, [this] {
            const qint64 t = clock.elapsed();
            if (last >= 0) longest = std::max(longest, t - last);
            last = t;
            ++ticks;
        });
    }
};

// Runs the event loop while the hostile child runs and then until `progress` has stood
// still for two seconds (what was sent has been read), sampling the resident memory.
// Returns the whole time it ran.
long runSampling(Child& child, const std::function<long()>& progress, int limitMs, long& peakKb) {
    QElapsedTimer clock;
    clock.start();
    long last = progress(), lastChange = 0;
    while (clock.elapsed() < limitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        peakKb = std::max(peakKb, statusKb("VmRSS:"));
        const long now = progress();
        if (now != last) {
            last = now;
            lastChange = clock.elapsed();
        }
        if (!child.running() && clock.elapsed() - lastChange > 2000) break;
    }
    return std::max<long>(clock.elapsed(), 1);
}

struct CountingWindow : net::HeadlessGameWindow {
    long chat = 0;
    void ShowChat(const std::string&) override { ++chat; }
};

int relay(int argc, char** argv, int seconds) {
    Child child = fork([seconds](int* fd) { relayFlooder(fd[0], seconds); });
    QCoreApplication app(argc, argv);
    CountingWindow window;
    net::GameLinkHost host(window);
    host.PlayWithCpu = false;
    host.OwnName = "Hosty";
    host.OwnAddress = "127.0.0.9";
    host.Opponents = {net::LobbySlot{"Bob", 1, "127.0.0.1"}, net::LobbySlot{"Ann", 1, "127.0.0.1"}};
    host.Listen(0, "127.0.0.1");
    const int port = host.Port();
    (void)!::write(child.fds[1], &port, sizeof port);
    const long startKb = statusKb("VmRSS:");
    long peakKb = startKb;
    QTimer probe;
    probe.start(100);
    TickWatch ticks;
    ticks.watch(&probe);
    const long ms = runSampling(child, [&] { return window.chat; }, (seconds + 60) * 1000, peakKb);
    std::printf("relay flood: %ld ms, chat lines read %ld, game over %d, status \"%s\"\n", ms,
                window.chat, window.Game && window.Game->GameOver, window.Status.c_str());
    std::printf("  host memory: start %.1f MB, peak %.1f MB, after both left %.1f MB\n",
                startKb / 1024.0, peakKb / 1024.0, statusKb("VmRSS:") / 1024.0);
    std::printf("  100 ms timer: %.1f ticks/s, longest gap %lld ms\n", ticks.ticks * 1000.0 / ms,
                static_cast<long long>(ticks.longest));
    return 0;
}

int chatHost(int argc, char** argv, int lines) {
    Child child = fork([lines](int* fd) { chatFlooder(fd[0], lines); });
    QApplication app(argc, argv);
    ClientWindows w;
    client::Settings& s = client::AppSettings();
    s.PlayWithCpu = 1;
    s.ServerPort = 0;
    s.Surname = "Hosty";
    client::TForm1& main = w.main();
    main.ServerEntameJeu({net::LobbySlot{"CPU", 3, ""}, net::LobbySlot{"Guesty", 1, "127.0.0.1"}}, "127.0.0.1");
    const int port = main.GameHost->Port();
    (void)!::write(child.fds[1], &port, sizeof port);
    const long startKb = statusKb("VmRSS:");
    long peakKb = startKb;
    TickWatch ticks;
    ticks.watch(main.Timer1);
    const long ms = runSampling(child, [&] { return long{main.GameHost->Counts().Handled}; }, 600000, peakKb);
    const auto* log = chatMemo();
    std::printf("chat flood on the host window: %d lines of 300 characters in %ld ms, lines handled %d\n",
                lines, ms, main.GameHost->Counts().Handled);
    std::printf("  memory: start %.1f MB, peak %.1f MB; chat window holds %d lines\n", startKb / 1024.0,
                peakKb / 1024.0, log->blockCount());
    std::printf("  Timer1: %.1f ticks/s, longest gap %lld ms\n", ticks.ticks * 1000.0 / ms,
                static_cast<long long>(ticks.longest));
    return 0;
}

int chatGuest(int argc, char** argv, int lines) {
    Child child = fork([lines](int* fd) { hostileHost(fd[1], lines); });
    QApplication app(argc, argv);
    ClientWindows w;
    client::AppSettings().Surname = "Guesty";
    client::TForm1& main = w.main();
    int port = 0;
    (void)!::read(child.fds[0], &port, sizeof port);
    main.ClientEntameJeu("127.0.0.1", port, "127.0.0.1");
    const long startKb = statusKb("VmRSS:");
    long peakKb = startKb;
    TickWatch ticks;
    ticks.watch(main.Timer1);
    const long ms = runSampling(
        child, [&] { return long{main.GameGuest->Counts().Handled + main.GameGuest->Counts().Refused}; }, 600000,
        peakKb);
    std::printf("chat flood on the guest window: %d lines of 65,000 characters in %ld ms, lines handled %d\n",
                lines, ms, main.GameGuest->Counts().Handled);
    std::printf("  memory: start %.1f MB, peak %.1f MB; chat window holds %d lines\n", startKb / 1024.0,
                peakKb / 1024.0, chatMemo()->blockCount());
    std::printf("  Timer1: %.1f ticks/s, longest gap %lld ms\n", ticks.ticks * 1000.0 / ms,
                static_cast<long long>(ticks.longest));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string mode = argc > 1 ? argv[1] : "relay";
    const int n = argc > 2 ? std::atoi(argv[2]) : 0;
    if (mode == "relay") return relay(argc, argv, n > 0 ? n : 10);
    if (mode == "chat-host") return chatHost(argc, argv, n > 0 ? n : 110000);
    if (mode == "chat-guest") return chatGuest(argc, argv, n > 0 ? n : 20);
    std::fprintf(stderr, "usage: bench_flood relay|chat-host|chat-guest [n]\n");
    return 2;
}
