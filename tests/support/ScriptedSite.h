#pragma once
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A web site on the test's own event loop whose every answer the test decides: the handler
// gives a whole HTTP reply for a request line, or nothing to hold the request until the test
// answers it with Answer(). Held requests let a test deliver replies in any order; a reply
// can also trickle out a byte per TrickleMs.
class ScriptedSite : public QObject {
public:
    using Handler = std::function<std::optional<std::string>(const std::string& requestLine)>;

    explicit ScriptedSite(Handler handler = {}) : handler_(std::move(handler)) {
        server_.listen(QHostAddress::LocalHost, 0);
        port_ = server_.serverPort();
        QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                s->setParent(this);
                auto head = std::make_shared<std::string>();
                QObject::connect(s, &QTcpSocket::readyRead, this, [this, s, head] {
                    *head += s->readAll().toStdString();
                    if (head->find("\r\n\r\n") == std::string::npos) return;
                    const std::string line = head->substr(0, head->find("\r\n"));
                    head->clear();
                    Requests.push_back(line);
                    std::optional<std::string> reply = handler_ ? handler_(line) : std::nullopt;
                    if (reply) send(s, *reply);
                    else held_.push_back({s, line});
                });
            }
        });
    }

    // A whole reply: the status and the body, with its length.
    static std::string Reply(const std::string& body, int status = 200) {
        return "HTTP/1.1 " + std::to_string(status) + (status == 200 ? " OK" : " Error") +
               "\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\n\r\n" + body;
    }

    // Answers the oldest held request whose line holds `part`; false when none is held.
    bool Answer(const std::string& part, const std::string& reply) {
        for (auto it = held_.begin(); it != held_.end(); ++it)
            if (it->Line.find(part) != std::string::npos) {
                QPointer<QTcpSocket> s = it->Socket;
                held_.erase(it);
                if (!s) return false;
                send(s, reply);
                return true;
            }
        return false;
    }
    int HeldCount(const std::string& part) const {
        int n = 0;
        for (const Held& h : held_)
            if (h.Line.find(part) != std::string::npos) ++n;
        return n;
    }
    int Count(const std::string& part) const {
        int n = 0;
        for (const std::string& r : Requests)
            if (r.find(part) != std::string::npos) ++n;
        return n;
    }

    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
    // Stops listening (connections are refused), and listens again on the same port.
    void Close() { server_.close(); }
    bool Reopen() { return server_.listen(QHostAddress::LocalHost, port_); }

    std::vector<std::string> Requests;  // request lines, in arrival order
    int TrickleMs = 0;                  // > 0: replies go out one byte at a time

private:
    struct Held {
        QPointer<QTcpSocket> Socket;
        std::string Line;
    };
    void send(QTcpSocket* s, const std::string& reply) {
        if (TrickleMs <= 0) {
            s->write(reply.data(), static_cast<qint64>(reply.size()));
            s->disconnectFromHost();
            return;
        }
        auto left = std::make_shared<std::string>(reply);
        auto* timer = new QTimer(s);
        QPointer<QTcpSocket> socket(s);
        QObject::connect(timer, &QTimer::timeout, s, [socket, left, timer] {
            if (!socket || left->empty()) {
                timer->stop();
                if (socket) socket->disconnectFromHost();
                return;
            }
            socket->write(left->data(), 1);
            left->erase(0, 1);
        });
        timer->start(TrickleMs);
    }

    Handler handler_;
    QTcpServer server_;
    quint16 port_ = 0;
    std::vector<Held> held_;
};
