#pragma once
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class QTcpServer;
class QTcpSocket;

// The event-driven TCP sockets of the game link, in line mode. Everything runs on the
// thread's event loop: a handler connected to a signal runs to its end before the next
// socket event is delivered.
//
// Framing: a line ends with CR LF; a lone LF is taken as a line end too, and the CR before
// it is not part of the line. Text is 8-bit: every byte is one character, nothing is
// converted on the way in or out.
namespace platform {

// A SOCKS 5 proxy for a client socket; no proxy when Host is empty.
struct SocksProxy {
    std::string Host;
    int Port = 1080;
    bool Authenticate = false;  // user and password; otherwise no authentication
    std::string User;
    std::string Password;
};

class LineSocket : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultLineLimit = 65536;
    static constexpr qint64 DefaultSendLimit = 1 << 20;
    // The most that is taken from the connection in one read: a peer that sends faster than
    // its lines are handled waits in the network's own buffers, never in this process.
    static constexpr qint64 ReadChunk = 16 * 1024;

    // A client socket, not connected.
    explicit LineSocket(QObject* parent = nullptr);
    // A connection accepted by a LineServer; the socket becomes this object's child.
    explicit LineSocket(QTcpSocket* accepted, QObject* parent = nullptr);
    ~LineSocket() override;

    // A received line longer than the limit (line end not counted) is dropped whole, as are
    // the bytes of a line that grows past the limit before its end arrives; the connection
    // stays open and LineLimitExceeded is signalled once per dropped line.
    void SetLineLimit(int characters);
    int LineLimit() const { return lineLimit_; }
    // Line editing: a backspace (8) in a received line removes itself and the character
    // before it.
    void SetLineEdit(bool on) { lineEdit_ = on; }
    bool LineEdit() const { return lineEdit_; }
    // What may wait to be sent on this connection. A send that would queue more is not
    // queued: the connection is dropped as if the peer had left (SendLimitExceeded at once,
    // then SessionClosed from the event loop), and what waited is freed.
    void SetSendLimit(qint64 bytes) { sendLimit_ = bytes > 0 ? bytes : 1; }
    qint64 SendLimit() const { return sendLimit_; }
    // Bytes sent and still waiting for the network to take them.
    qint64 BytesToWrite() const;
    // Used by the next Connect. An empty host connects directly.
    void SetSocks(const SocksProxy& proxy) { socks_ = proxy; }

    void Connect(const std::string& host, int port);
    // Sends the text as it stands (the caller appends the line end). Nothing happens on a
    // socket that is not connected or has passed its send limit.
    void SendStr(const std::string& text);
    // Every complete line received and not yet taken, each followed by CR LF, in order.
    std::string ReceiveStr();
    // The next complete line without its line end; false when none is waiting.
    bool ReceiveLine(std::string& line);
    bool HasLine() const { return !lines_.empty(); }

    bool IsConnected() const;
    // The peer's address in dotted text ("127.0.0.1"); empty when not connected.
    std::string PeerAddr() const;
    int PeerPort() const;
    std::string LastError() const { return lastError_; }

    // Sends what is still queued, then disconnects. SessionClosed follows.
    void Close();
    // Drops the connection at once. SessionClosed follows when it was connected.
    void Abort();

signals:
    void DataAvailable();
    void SessionConnected();
    void SessionClosed();
    void Error(const QString& text);
    void SocksError(const QString& text);
    void LineLimitExceeded();
    void SendLimitExceeded();

private:
    void attach(QTcpSocket* socket);
    void onReadyRead();
    void onError();
    void onDisconnected();
    void takeLine(QByteArray line);

    QTcpSocket* socket_ = nullptr;
    QByteArray partial_;
    bool discarding_ = false;  // inside a line that passed the limit, up to its line end
    std::deque<std::string> lines_;
    int lineLimit_ = DefaultLineLimit;
    bool lineEdit_ = true;
    bool closedSignalled_ = false;
    bool overflowed_ = false;
    qint64 sendLimit_ = DefaultSendLimit;
    SocksProxy socks_;
    std::string lastError_;
};

// A listening socket that makes one LineSocket per accepted connection. Connections are
// numbered in the order they were accepted; a connection that closes leaves the list and
// the later ones move up.
class LineServer : public QObject {
    Q_OBJECT
public:
    // Makes the connection object of an accepted socket (a subclass of LineSocket).
    using ClientFactory = std::function<LineSocket*(QTcpSocket* accepted, QObject* parent)>;

    explicit LineServer(QObject* parent = nullptr);
    ~LineServer() override;

    void SetClientFactory(ClientFactory factory) { factory_ = std::move(factory); }
    // Applied to each connection as it is accepted.
    void SetLineLimit(int characters) { lineLimit_ = characters; }
    void SetLineEdit(bool on) { lineEdit_ = on; }

    // Address "0.0.0.0" listens on every IPv4 interface; port 0 picks a free port.
    bool Listen(const std::string& address, int port);
    bool IsListening() const;
    int Port() const;
    std::string LastError() const { return lastError_; }
    // Stops accepting; the connections already made stay open.
    void StopListening();
    // Stops accepting and drops every connection (ClientDisconnect for each).
    void CloseAll();

    int ClientCount() const { return static_cast<int>(clients_.size()); }
    LineSocket* Client(int index) const;
    int IndexOf(const LineSocket* client) const;

signals:
    void ClientConnected(platform::LineSocket* client);
    // The connection has left the list; the object is deleted later by the event loop.
    void ClientDisconnect(platform::LineSocket* client);
    // Listening goes through no proxy, so this is not raised by this layer; it is here so
    // that a host can treat it like a lost connection.
    void SocksError(const QString& text);

private:
    void onNewConnection();
    void onClientClosed(LineSocket* client);

    QTcpServer* server_ = nullptr;
    ClientFactory factory_;
    std::vector<QPointer<LineSocket>> clients_;
    int lineLimit_ = LineSocket::DefaultLineLimit;
    bool lineEdit_ = true;
    std::string lastError_;
};

} // namespace platform
