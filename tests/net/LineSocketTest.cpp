// The line-mode sockets under the game link, over real loopback connections.
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "NetSupport.h"
#include "platform/LineSocket.h"

using platform::LineServer;
using platform::LineSocket;

namespace {

class LineServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        server.SetLineLimit(300);
        ASSERT_TRUE(server.Listen("127.0.0.1", 0)) << server.LastError();
        ASSERT_GT(server.Port(), 0);
        QObject::connect(&server, &LineServer::ClientConnected, &server,
                         [this](LineSocket* c) {
                             QObject::connect(c, &LineSocket::DataAvailable, c, [this, c] {
                                 std::string line;
                                 while (c->ReceiveLine(line)) received.push_back(line);
                             });
                             QObject::connect(c, &LineSocket::LineLimitExceeded, c,
                                              [this] { ++overLimit; });
                         });
    }
    // A raw client, connected and accepted.
    RawGuest& client() {
        clients.push_back(std::make_unique<RawGuest>());
        const int before = server.ClientCount();
        EXPECT_TRUE(clients.back()->connectTo(server.Port()));
        EXPECT_TRUE(WaitFor([&] { return server.ClientCount() == before + 1; }));
        return *clients.back();
    }
    bool waitReceived(std::size_t n) { return WaitFor([&] { return received.size() >= n; }); }

    LineServer server;
    std::vector<std::unique_ptr<RawGuest>> clients;
    std::vector<std::string> received;
    int overLimit = 0;
};

TEST_F(LineServerTest, LinesAreCutAtLineEndsWhateverTheWritesWere) {
    RawGuest& c = client();
    c.send("1:0&\r\n9:1&h");
    Pump(20);
    c.send("i&\r");
    Pump(20);
    c.send("\na\nb\r\n");
    ASSERT_TRUE(waitReceived(4));
    EXPECT_EQ(received, (std::vector<std::string>{"1:0&", "9:1&hi&", "a", "b"}));
}

TEST_F(LineServerTest, ReceiveStrGivesEveryWaitingLineWithItsLineEnd) {
    RawGuest& c = client();
    LineSocket* conn = server.Client(0);
    conn->disconnect();  // read it by hand
    c.send("8:&\r\n3:&\r\n");
    ASSERT_TRUE(WaitFor([&] { return conn->HasLine(); }));
    Pump(20);
    EXPECT_EQ(conn->ReceiveStr(), "8:&\r\n3:&\r\n");
    EXPECT_EQ(conn->ReceiveStr(), "");
}

TEST_F(LineServerTest, LinesPastTheLimitAreDroppedAndTheConnectionStays) {
    RawGuest& c = client();
    const std::string atLimit(300, 'x');
    c.send(atLimit + "\r\n");
    c.send(std::string(301, 'y') + "\r\n");
    // A line that grows past the limit before its end comes, in several writes.
    for (int i = 0; i < 5; ++i) {
        c.send(std::string(200, 'z'));
        Pump(5);
    }
    c.send("zzz\r\nok\r\n");
    ASSERT_TRUE(waitReceived(2));
    Pump(20);
    EXPECT_EQ(received, (std::vector<std::string>{atLimit, "ok"}));
    EXPECT_EQ(overLimit, 2);
    EXPECT_TRUE(server.Client(0)->IsConnected());
}

TEST_F(LineServerTest, BackspaceRemovesTheCharacterBeforeIt) {
    RawGuest& c = client();
    c.send("8x\b:&\r\n\b\b3:&\r\n");
    ASSERT_TRUE(waitReceived(2));
    EXPECT_EQ(received, (std::vector<std::string>{"8:&", "3:&"}));

    server.Client(0)->SetLineEdit(false);
    c.send("a\bb\r\n");
    ASSERT_TRUE(waitReceived(3));
    EXPECT_EQ(received[2], "a\bb");
}

TEST_F(LineServerTest, ConnectionsKeepAcceptOrderAndPeerAddresses) {
    RawGuest& a = client();
    RawGuest& b = client();
    RawGuest& c = client();
    ASSERT_EQ(server.ClientCount(), 3);
    const std::array<RawGuest*, 3> raw{&a, &b, &c};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(server.Client(i)->PeerAddr(), "127.0.0.1");
        EXPECT_EQ(server.Client(i)->PeerPort(), raw[i]->socket().localPort());
    }
    LineSocket* first = server.Client(0);
    LineSocket* last = server.Client(2);
    QSignalSpy gone(&server, &LineServer::ClientDisconnect);
    b.socket().disconnectFromHost();
    ASSERT_TRUE(WaitFor([&] { return gone.count() == 1; }));
    ASSERT_EQ(server.ClientCount(), 2);
    EXPECT_EQ(server.Client(0), first);
    EXPECT_EQ(server.Client(1), last);
    EXPECT_EQ(server.Client(2), nullptr);
}

TEST_F(LineServerTest, StopListeningKeepsConnectionsAndCloseAllDropsThem) {
    RawGuest& a = client();
    const int port = server.Port();
    server.StopListening();
    EXPECT_FALSE(server.IsListening());
    RawGuest late;
    late.socket().connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    EXPECT_FALSE(WaitFor([&] { return late.socket().state() == QAbstractSocket::ConnectedState; }, 300));
    a.sendLine("still here");
    ASSERT_TRUE(waitReceived(1));

    QSignalSpy gone(&server, &LineServer::ClientDisconnect);
    server.CloseAll();
    EXPECT_EQ(gone.count(), 1);
    EXPECT_EQ(server.ClientCount(), 0);
    EXPECT_TRUE(WaitFor([&] { return a.closed(); }));
}

TEST(LineServerListen, RefusesBadAddressesAndBusyPorts) {
    LineServer first, second;
    EXPECT_FALSE(first.Listen("not an address", 0));
    EXPECT_FALSE(first.LastError().empty());
    ASSERT_TRUE(first.Listen("127.0.0.1", 0));
    EXPECT_FALSE(second.Listen("127.0.0.1", first.Port()));
}

TEST(LineClient, ConnectsSendsReadsAndTellsTheCloseOnce) {
    RawHost host;
    LineSocket socket;
    QSignalSpy connected(&socket, &LineSocket::SessionConnected);
    QSignalSpy closed(&socket, &LineSocket::SessionClosed);
    QSignalSpy data(&socket, &LineSocket::DataAvailable);
    socket.Connect("127.0.0.1", host.port());
    ASSERT_TRUE(host.accept());
    ASSERT_TRUE(WaitFor([&] { return connected.count() == 1; }));
    socket.SendStr("8:&\r\n");
    ASSERT_TRUE(host.pipe().waitLines(1));
    EXPECT_EQ(host.pipe().lines()[0], "8:&");

    host.pipe().send("1:2&\r\n9:0&x&\r\n");
    ASSERT_TRUE(WaitFor([&] { return data.count() >= 1; }));
    Pump(20);
    std::string all;
    while (socket.HasLine()) all += socket.ReceiveStr();
    EXPECT_EQ(all, "1:2&\r\n9:0&x&\r\n");

    host.pipe().socket().disconnectFromHost();
    ASSERT_TRUE(WaitFor([&] { return closed.count() == 1; }));
    Pump(50);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(socket.IsConnected());
    socket.SendStr("lost\r\n");  // nothing happens on a closed socket
}

TEST(LineClient, ARefusedConnectionIsAnErrorNotAClose) {
    int port = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port = probe.serverPort();
    }
    LineSocket socket;
    QSignalSpy errors(&socket, &LineSocket::Error);
    QSignalSpy closed(&socket, &LineSocket::SessionClosed);
    socket.Connect("127.0.0.1", port);
    ASSERT_TRUE(WaitFor([&] { return errors.count() == 1; }));
    EXPECT_EQ(closed.count(), 0);
    EXPECT_FALSE(socket.LastError().empty());
}

TEST(LineClient, APeerThatDoesNotReadIsDroppedAtTheSendLimitAndWhatWaitedIsFreed) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    LineSocket socket;
    socket.SetSendLimit(64 * 1024);
    QSignalSpy overflow(&socket, &LineSocket::SendLimitExceeded);
    QSignalSpy closed(&socket, &LineSocket::SessionClosed);
    socket.Connect("127.0.0.1", server.serverPort());
    ASSERT_TRUE(WaitFor([&] { return server.hasPendingConnections() && socket.IsConnected(); }));
    std::unique_ptr<QTcpSocket> peer(server.nextPendingConnection());
    peer->setReadBufferSize(1);  // takes one byte and then nothing more

    const std::string line = std::string(1000, 'c') + "\r\n";
    qint64 most = 0;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (int i = 0; i < 100 && overflow.count() == 0; ++i) socket.SendStr(line);
            most = std::max(most, socket.BytesToWrite());
            return closed.count() == 1;
        },
        30000));
    EXPECT_EQ(overflow.count(), 1);
    EXPECT_LE(most, 64 * 1024);
    EXPECT_FALSE(socket.IsConnected());
    EXPECT_EQ(socket.BytesToWrite(), 0);
}

TEST(LineClient, TheDefaultLimitIsLargeButALimitStill) {
    RawHost host;
    LineSocket socket;
    int dropped = 0;
    QObject::connect(&socket, &LineSocket::LineLimitExceeded, &socket, [&] { ++dropped; });
    socket.Connect("127.0.0.1", host.port());
    ASSERT_TRUE(host.accept());
    ASSERT_TRUE(WaitFor([&] { return socket.IsConnected(); }));
    host.pipe().send(std::string(70000, 'a') + "\r\n" + std::string(60000, 'b') + "\r\n");
    std::string line;
    ASSERT_TRUE(WaitFor([&] { return socket.ReceiveLine(line); }));
    EXPECT_EQ(line, std::string(60000, 'b'));
    EXPECT_EQ(dropped, 1);
}

} // namespace
