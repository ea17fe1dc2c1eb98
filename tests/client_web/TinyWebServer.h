#pragma once
#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>
#include <map>
#include <string>

// A small HTTP/1.0 server on a free loopback port for the web tests: fixed replies by target or,
// failing that, by path, every request target recorded. It runs on the
// test's event loop, so a test waits for a client's request with QTest::qWaitFor.
class TinyWebServer : public QObject {
public:
    struct Reply {
        int status = 200;
        QByteArray contentType = "text/html; charset=iso-8859-1";
        QByteArray body;
    };

    TinyWebServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) serve(s);
        });
    }

    std::string Url() const { return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/"; }
    quint16 Port() const { return server_.serverPort(); }

    void Set(const std::string& path, Reply reply) { routes_[path] = std::move(reply); }
    void SetPage(const std::string& path, const std::string& title, const std::string& body = {}) {
        Set(path, {200, "text/html; charset=iso-8859-1",
                   QByteArray::fromStdString("<html><head><title>" + title + "</title></head><body>" + body +
                                             "</body></html>")});
    }
    void SetFile(const std::string& path, const QByteArray& content) {
        Set(path, {200, "application/octet-stream", content});
    }

    // Request targets as sent ("/all/page0.php?req=00&..."), in arrival order.
    QList<std::string> Requests;
    int CountStartingWith(const std::string& prefix) const {
        int n = 0;
        for (const std::string& r : Requests) n += r.rfind(prefix, 0) == 0;
        return n;
    }

private:
    void serve(QTcpSocket* socket) {
        auto* buffer = new QByteArray;
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [socket, buffer] {
            delete buffer;
            socket->deleteLater();
        });
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            if (!buffer->contains("\r\n\r\n")) return;
            const QList<QByteArray> first = buffer->left(buffer->indexOf("\r\n")).split(' ');
            std::string target = first.size() > 1 ? first[1].toStdString() : "/";
            // A proxy hands on the whole address: keep only its path and query.
            if (target.rfind("http://", 0) == 0) {
                const auto slash = target.find('/', 7);
                target = slash == std::string::npos ? "/" : target.substr(slash);
            }
            Requests.push_back(target);
            // A reply set for the whole target wins over one set for its path.
            auto it = routes_.find(target);
            if (it == routes_.end()) it = routes_.find(target.substr(0, target.find('?')));
            const Reply reply = it != routes_.end() ? it->second : Reply{404, "text/plain", "not found"};
            QByteArray head = "HTTP/1.0 " + QByteArray::number(reply.status) + " X\r\nContent-Type: " +
                              reply.contentType + "\r\nContent-Length: " + QByteArray::number(reply.body.size()) +
                              "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n";
            socket->write(head + reply.body);
            socket->disconnectFromHost();
        });
    }

    QTcpServer server_;
    std::map<std::string, Reply> routes_;
};
