#include "lobby/GetInetFile.h"

#include <QElapsedTimer>
#include <QNetworkProxyFactory>
#include <QTcpSocket>
#include <QUrl>

namespace lobby {

namespace {
constexpr qint64 MaxRead = 64 * 1024;  // what is read of a reply before it counts as too long
}

bool GetInetFile(const std::string& encodedUrl, std::string& reply, int timeoutMs) {
    reply.clear();
    const QUrl url(QString::fromLatin1(encodedUrl.data(), static_cast<int>(encodedUrl.size())),
                   QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QStringLiteral("http") || url.host().isEmpty()) return false;

    QString host = url.host();
    int port = url.port(80);
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty()) target = "/";
    if (url.hasQuery()) target += "?" + url.query(QUrl::FullyEncoded).toLatin1();
    for (const QNetworkProxy& p : QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(url))) {
        if (p.type() == QNetworkProxy::HttpProxy && !p.hostName().isEmpty()) {
            host = p.hostName();
            port = p.port();
            target = url.toEncoded();
            break;
        }
    }

    QTcpSocket socket;
    socket.setProxy(QNetworkProxy::NoProxy);
    QElapsedTimer clock;
    clock.start();
    auto left = [&] { return std::max<qint64>(1, timeoutMs - clock.elapsed()); };
    socket.connectToHost(host, static_cast<quint16>(port));
    if (!socket.waitForConnected(static_cast<int>(left()))) return false;
    const QByteArray request = "GET " + target + " HTTP/1.0\r\nHost: " + url.host().toLatin1() +
                               (url.port() > 0 ? ":" + QByteArray::number(url.port()) : QByteArray()) +
                               "\r\nConnection: close\r\n\r\n";
    socket.write(request);
    QByteArray all;
    bool complete = false;
    while (clock.elapsed() < timeoutMs && all.size() <= MaxRead) {
        if (socket.bytesAvailable() > 0 || socket.waitForReadyRead(static_cast<int>(left()))) {
            all += socket.readAll();
            continue;
        }
        complete = socket.state() != QAbstractSocket::ConnectedState;
        break;
    }
    socket.abort();
    const int headerEnd = all.indexOf("\r\n\r\n");
    if (headerEnd < 0) return false;
    const QByteArray body = all.mid(headerEnd + 4);
    reply.assign(body.constData(), static_cast<std::size_t>(std::min<qsizetype>(body.size(), GetInetFileKept)));
    return complete && all.size() <= MaxRead;
}

} // namespace lobby
