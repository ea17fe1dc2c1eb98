#include "platform/LineSocket.h"

#include "platform/Latin1.h"

#include <QHostAddress>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>

namespace platform {

namespace {
bool isProxyError(QAbstractSocket::SocketError e) {
    switch (e) {
    case QAbstractSocket::ProxyAuthenticationRequiredError:
    case QAbstractSocket::ProxyConnectionRefusedError:
    case QAbstractSocket::ProxyConnectionClosedError:
    case QAbstractSocket::ProxyConnectionTimeoutError:
    case QAbstractSocket::ProxyNotFoundError:
    case QAbstractSocket::ProxyProtocolError:
        return true;
    default:
        return false;
    }
}

std::string dotted(const QHostAddress& address) {
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return S(isV4 ? QHostAddress(v4).toString() : address.toString());
}
} // namespace

// ---------------------------------------------------------------------------------------
// LineSocket

LineSocket::LineSocket(QObject* parent) : QObject(parent) { attach(new QTcpSocket(this)); }

LineSocket::LineSocket(QTcpSocket* accepted, QObject* parent) : QObject(parent) {
    accepted->setParent(this);
    attach(accepted);
    // Bytes that came with the connection are read on the next turn of the event loop, once
    // whoever accepted the connection has connected to this object's signals.
    if (accepted->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &LineSocket::onReadyRead, Qt::QueuedConnection);
}

LineSocket::~LineSocket() {
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
    }
}

void LineSocket::attach(QTcpSocket* socket) {
    socket_ = socket;
    socket_->setReadBufferSize(ReadChunk);
    connect(socket_, &QTcpSocket::readyRead, this, &LineSocket::onReadyRead);
    connect(socket_, &QTcpSocket::errorOccurred, this, &LineSocket::onError);
    connect(socket_, &QTcpSocket::disconnected, this, &LineSocket::onDisconnected);
    connect(socket_, &QTcpSocket::connected, this, [this] {
        closedSignalled_ = false;
        socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        emit SessionConnected();
    });
    // Lines are short and each waits for an answer: send them at once rather than gather
    // them (Nagle's algorithm) behind the peer's delayed acknowledgement.
    if (socket_->state() == QAbstractSocket::ConnectedState)
        socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
}

void LineSocket::SetLineLimit(int characters) { lineLimit_ = characters > 0 ? characters : 1; }

void LineSocket::Connect(const std::string& host, int port) {
    socket_->abort();
    partial_.clear();
    lines_.clear();
    discarding_ = false;
    overflowed_ = false;
    lastError_.clear();
    if (socks_.Host.empty()) {
        socket_->setProxy(QNetworkProxy::NoProxy);
    } else {
        QNetworkProxy proxy(QNetworkProxy::Socks5Proxy, Q(socks_.Host),
                            static_cast<quint16>(socks_.Port));
        if (socks_.Authenticate) {
            proxy.setUser(Q(socks_.User));
            proxy.setPassword(Q(socks_.Password));
        }
        socket_->setProxy(proxy);
    }
    socket_->connectToHost(Q(host), static_cast<quint16>(port));
}

void LineSocket::SendStr(const std::string& text) {
    if (!IsConnected() || overflowed_) return;
    const auto size = static_cast<qint64>(text.size());
    if (socket_->bytesToWrite() + size > sendLimit_) {
        // The peer does not take what it is sent: it is treated as gone. The drop waits for
        // the event loop, so that a caller sending to several connections is not cut short.
        overflowed_ = true;
        QMetaObject::invokeMethod(this, &LineSocket::Abort, Qt::QueuedConnection);
        emit SendLimitExceeded();
        return;
    }
    socket_->write(text.data(), size);
}

qint64 LineSocket::BytesToWrite() const { return socket_ ? socket_->bytesToWrite() : 0; }

std::string LineSocket::ReceiveStr() {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += "\r\n";
    }
    lines_.clear();
    return text;
}

bool LineSocket::ReceiveLine(std::string& line) {
    if (lines_.empty()) return false;
    line = std::move(lines_.front());
    lines_.pop_front();
    return true;
}

bool LineSocket::IsConnected() const {
    return socket_ && socket_->state() == QAbstractSocket::ConnectedState;
}

std::string LineSocket::PeerAddr() const {
    if (!socket_ || socket_->state() != QAbstractSocket::ConnectedState) return {};
    return dotted(socket_->peerAddress());
}

int LineSocket::PeerPort() const { return socket_ ? socket_->peerPort() : 0; }

void LineSocket::Close() {
    if (socket_) socket_->disconnectFromHost();
}

void LineSocket::Abort() {
    if (socket_) socket_->abort();
}

void LineSocket::takeLine(QByteArray line) {
    if (!line.isEmpty() && line.back() == '\r') line.chop(1);
    std::string text;
    text.reserve(static_cast<std::size_t>(line.size()));
    for (char ch : line) {
        if (lineEdit_ && ch == '\b') {
            if (!text.empty()) text.pop_back();
        } else {
            text.push_back(ch);
        }
    }
    lines_.push_back(std::move(text));
}

void LineSocket::onReadyRead() {
    if (!socket_) return;
    const QByteArray data = socket_->readAll();
    int overLimit = 0;
    qsizetype start = 0;
    while (start < data.size()) {
        const qsizetype end = data.indexOf('\n', start);
        if (end < 0) {
            if (!discarding_) {
                partial_.append(data.constData() + start, data.size() - start);
                // Room for the limit and a CR still waiting for its LF.
                if (partial_.size() > lineLimit_ + 1) {
                    partial_.clear();
                    discarding_ = true;
                    ++overLimit;
                }
            }
            break;
        }
        if (discarding_) {
            discarding_ = false;
        } else {
            partial_.append(data.constData() + start, end - start);
            const qsizetype length =
                partial_.endsWith('\r') ? partial_.size() - 1 : partial_.size();
            if (length > lineLimit_) ++overLimit;
            else takeLine(partial_);
            partial_.clear();
        }
        start = end + 1;
    }

    // A handler may delete this object (through deleteLater, or at once).
    QPointer<LineSocket> self(this);
    for (int i = 0; i < overLimit && self; ++i) emit LineLimitExceeded();
    if (self && !lines_.empty()) emit DataAvailable();
}

void LineSocket::onError() {
    const QAbstractSocket::SocketError e = socket_->error();
    lastError_ = S(socket_->errorString());
    // The peer closing is the end of the session, told by SessionClosed.
    if (e == QAbstractSocket::RemoteHostClosedError) return;
    if (isProxyError(e)) emit SocksError(socket_->errorString());
    else emit Error(socket_->errorString());
}

void LineSocket::onDisconnected() {
    partial_.clear();
    discarding_ = false;
    if (closedSignalled_) return;
    closedSignalled_ = true;
    emit SessionClosed();
}

// ---------------------------------------------------------------------------------------
// LineServer

LineServer::LineServer(QObject* parent) : QObject(parent), server_(new QTcpServer(this)) {
    connect(server_, &QTcpServer::newConnection, this, &LineServer::onNewConnection);
}

LineServer::~LineServer() {
    server_->disconnect(this);
    for (const QPointer<LineSocket>& c : clients_)
        if (c) c->disconnect(this);
}

bool LineServer::Listen(const std::string& address, int port) {
    lastError_.clear();
    QHostAddress host;
    if (address.empty() || address == "0.0.0.0") host = QHostAddress(QHostAddress::AnyIPv4);
    else if (!host.setAddress(Q(address))) {
        lastError_ = "Not an address: " + address;
        return false;
    }
    if (port < 0 || port > 65535) {
        lastError_ = "Not a port: " + std::to_string(port);
        return false;
    }
    if (server_->isListening()) server_->close();
    if (!server_->listen(host, static_cast<quint16>(port))) {
        lastError_ = S(server_->errorString());
        return false;
    }
    return true;
}

bool LineServer::IsListening() const { return server_->isListening(); }

int LineServer::Port() const { return server_->isListening() ? server_->serverPort() : 0; }

void LineServer::StopListening() { server_->close(); }

void LineServer::CloseAll() {
    StopListening();
    const std::vector<QPointer<LineSocket>> all = clients_;
    for (const QPointer<LineSocket>& c : all)
        if (c) c->Abort();
    // Any that did not report its end leaves the list now.
    for (const QPointer<LineSocket>& c : all)
        if (c && IndexOf(c) >= 0) onClientClosed(c);
}

LineSocket* LineServer::Client(int index) const {
    if (index < 0 || index >= ClientCount()) return nullptr;
    return clients_[static_cast<std::size_t>(index)];
}

int LineServer::IndexOf(const LineSocket* client) const {
    for (std::size_t i = 0; i < clients_.size(); ++i)
        if (clients_[i] == client) return static_cast<int>(i);
    return -1;
}

void LineServer::onNewConnection() {
    while (server_->hasPendingConnections()) {
        QTcpSocket* accepted = server_->nextPendingConnection();
        if (!accepted) break;
        LineSocket* client = factory_ ? factory_(accepted, this) : new LineSocket(accepted, this);
        client->SetLineLimit(lineLimit_);
        client->SetLineEdit(lineEdit_);
        clients_.emplace_back(client);
        connect(client, &LineSocket::SessionClosed, this, [this, client] { onClientClosed(client); });
        QPointer<LineServer> self(this);
        emit ClientConnected(client);
        if (!self) return;
        // A connection whose peer already left was never told as connected to the socket.
        if (IndexOf(client) >= 0 && accepted->state() == QAbstractSocket::UnconnectedState)
            onClientClosed(client);
    }
}

void LineServer::onClientClosed(LineSocket* client) {
    const int index = IndexOf(client);
    if (index < 0) return;
    clients_.erase(clients_.begin() + index);
    client->disconnect(this);
    emit ClientDisconnect(client);
    client->deleteLater();
}

} // namespace platform
