// A guest reaching its host through a real SOCKS 5 server (Dante) on loopback, with and
// without user and password. The test starts the daemon on a free port with its own
// configuration and always stops it.
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <unistd.h>

#include "NetSupport.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "support/TempFolder.h"

using namespace net;

namespace {

bool RunQuietly(const QString& program, const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(5000)) return false;
    if (!input.isEmpty()) p.write(input);
    p.closeWriteChannel();
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// A Dante daemon in the foreground, as a child process of the test.
class SocksServer {
public:
    ~SocksServer() { stop(); }

    // authenticate: the "username" method against the system's accounts.
    bool start(const std::string& folder, bool authenticate) {
        const QString danted = QStandardPaths::findExecutable("danted", {"/usr/sbin", "/usr/bin"});
        if (danted.isEmpty()) {
            error_ = "danted is not installed";
            return false;
        }
        for (int attempt = 0; attempt < 3; ++attempt) {
            port_ = FreePort();
            const std::string conf = folder + "/danted.conf";
            QFile f(QString::fromStdString(conf));
            if (!f.open(QIODevice::WriteOnly)) return false;
            const std::string text =
                "logoutput: " + folder + "/danted.log\n"
                "internal: 127.0.0.1 port = " + std::to_string(port_) + "\n"
                "external: 127.0.0.1\n"
                "clientmethod: none\n"
                "socksmethod: " + (authenticate ? "username" : "none") + "\n"
                "user.privileged: root\n"
                "user.unprivileged: nobody\n"
                "client pass { from: 127.0.0.1/32 to: 0.0.0.0/0 }\n"
                "socks pass { from: 127.0.0.1/32 to: 0.0.0.0/0 log: connect }\n";
            f.write(text.data(), static_cast<qint64>(text.size()));
            f.close();
            process_.start(danted, {"-f", QString::fromStdString(conf), "-p",
                                    QString::fromStdString(folder + "/danted.pid")});
            if (!process_.waitForStarted(5000)) {
                error_ = "danted did not start";
                return false;
            }
            const bool up = WaitFor(
                [&] {
                    if (process_.state() != QProcess::Running) return true;
                    QTcpSocket probe;
                    probe.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port_));
                    return probe.waitForConnected(100);
                },
                5000);
            if (up && process_.state() == QProcess::Running) return true;
            stop();
        }
        error_ = "danted did not listen: " + process_.readAllStandardError().toStdString();
        return false;
    }
    void stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    int port() const { return port_; }
    const std::string& error() const { return error_; }

private:
    QProcess process_;
    int port_ = 0;
    std::string error_;
};

// A system account that lives as long as the object.
class SystemUser {
public:
    bool create(const std::string& name, const std::string& password) {
        if (::geteuid() != 0) return false;
        if (!RunQuietly("useradd", {"-M", "-s", "/usr/sbin/nologin", QString::fromStdString(name)}))
            return false;
        name_ = name;
        return RunQuietly("chpasswd", {}, QByteArray::fromStdString(name + ":" + password + "\n"));
    }
    ~SystemUser() {
        if (!name_.empty()) RunQuietly("userdel", {QString::fromStdString(name_)});
    }

private:
    std::string name_;
};

struct SocksCase {
    std::string name;
    bool authenticate;
};

class ThroughSocks : public ::testing::TestWithParam<SocksCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        platform::SetProgramFolderForTests(dir.path());
        platform::SetFixedSeed(31);
        proxy.Host = "127.0.0.1";
        if (GetParam().authenticate) {
            user = "mvtsocks" + std::to_string(::getpid());
            if (!account.create(user, "Pa55-word"))
                GTEST_SKIP() << "a system account for the SOCKS user cannot be made here";
            proxy.Authenticate = true;
            proxy.User = user;
            proxy.Password = "Pa55-word";
        }
        if (!socks.start(dir.path(), GetParam().authenticate))
            GTEST_SKIP() << "no SOCKS server: " << socks.error();
        proxy.Port = socks.port();

        hostLink.PlayWithCpu = true;
        hostLink.Opponents = {LobbySlot{"Net CPU", 3, ""}, LobbySlot{"Ann", 1, "10.0.0.5"}};
        hostLink.OwnName = "Host";
        hostLink.OwnAddress = "10.0.0.1";
        hostLink.StatisticsFile = "host.sta";
        ASSERT_TRUE(hostLink.Listen(0, "127.0.0.1"));
        guestLink.LobbyAddress = "10.0.0.5";
        // Through the proxy the host sees the proxy's address: the join line's nickname,
        // which the client always sends, names the player.
        guestLink.LobbyNickname = "Ann";
        guestLink.StatisticsFile = "guest.sta";
    }
    void TearDown() override {
        socks.stop();
        platform::ClearFixedSeed();
    }

    TempFolder dir;
    SystemUser account;
    std::string user;
    SocksServer socks;
    platform::SocksProxy proxy;
    HeadlessGameWindow hostWindow, guestWindow;
    GameLinkHost hostLink{hostWindow};
    GameLinkGuest guestLink{guestWindow};
};

TEST_P(ThroughSocks, AGuestPlaysAWholeGameThroughTheProxy) {
    guestLink.Connect("127.0.0.1", hostLink.Port(), proxy);
    ASSERT_TRUE(WaitFor([&] { return guestWindow.Game && hostWindow.Game; }, 10000));
    // The connection went through the proxy, which logged it.
    ASSERT_EQ(hostLink.ConnectionCount(), 1);
    EXPECT_TRUE(WaitFor([&] {
        return dir.read("danted.log").find("." + std::to_string(hostLink.Port())) != std::string::npos;
    }));

    SideDriver hostSide{hostWindow}, guestSide{guestWindow, &guestLink};
    ASSERT_TRUE(WaitFor(
        [&] {
            hostSide.tick();
            guestSide.tick();
            return hostWindow.Game->GameOver && guestWindow.Game->GameOver;
        },
        30000));
    Pump(20);
    hostSide.tick();
    guestSide.tick();
    EXPECT_FALSE(hostSide.handWinners.empty());
    EXPECT_EQ(guestSide.handWinners, hostSide.handWinners);
    EXPECT_EQ(guestSide.finalWins, hostSide.finalWins);
}

TEST_P(ThroughSocks, AProxyThatRefusesTheGuestIsASocksError) {
    platform::SocksProxy wrong = proxy;
    if (GetParam().authenticate) {
        wrong.Password = "not-it";
    } else {
        // No proxy listens on a port just freed.
        wrong.Port = FreePort();
    }
    QSignalSpy socksErrors(&guestLink.Socket(), &platform::LineSocket::SocksError);
    guestLink.Connect("127.0.0.1", hostLink.Port(), wrong);
    ASSERT_TRUE(WaitFor([&] { return socksErrors.count() >= 1; }, 10000));
    Pump(100);
    EXPECT_FALSE(guestLink.IsConnected());
    EXPECT_FALSE(hostWindow.Game);
}

INSTANTIATE_TEST_SUITE_P(Socks, ThroughSocks,
                         ::testing::Values(SocksCase{"no_authentication", false},
                                           SocksCase{"user_and_password", true}),
                         [](const auto& info) { return info.param.name; });

} // namespace
