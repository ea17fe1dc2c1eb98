#pragma once
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QUrlQuery>
#include <algorithm>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "net/NetSupport.h"

// A lobby script on a loopback port that a test scripts: it records every request and
// answers it with the next reply queued for its code, or a default ("*01:*", "*03:*",
// "*05:*", else "ok"). It serves on a thread of its own, so that the program's blocking
// fetch finds it answering. Replies of listed codes can be held back and released later (a
// slow site), and the whole site can go away.
class FakeLobby {
public:
    struct Request {
        std::string req;                          // the request code ("01", "5", "07" ...)
        std::map<std::string, std::string> keys;  // decoded values
        std::string raw;                          // path and query as they arrived
        std::string key(const std::string& k) const {
            auto it = keys.find(k);
            return it == keys.end() ? std::string("<none>") : it->second;
        }
        bool has(const std::string& k) const { return keys.count(k) > 0; }
        int iop() const {
            const std::string v = key("iop");
            return v.empty() || v.find_first_not_of("-0123456789") != std::string::npos ? -999 : std::stoi(v);
        }
    };

    FakeLobby() {
        thread_.start();
        QMetaObject::invokeMethod(&server_, [this] { serve(); }, Qt::BlockingQueuedConnection);
    }
    ~FakeLobby() {
        QMetaObject::invokeMethod(&server_, [this] { stop(); }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }
    FakeLobby(const FakeLobby&) = delete;
    FakeLobby& operator=(const FakeLobby&) = delete;

    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

    // The next request of that code gets this reply.
    void Queue(const std::string& code, const std::string& reply) {
        std::lock_guard lock(mutex_);
        queued_[code].push_back(reply);
    }
    // Requests of these codes wait until Release().
    void HoldCodes(std::vector<std::string> codes) {
        std::lock_guard lock(mutex_);
        hold_ = std::move(codes);
    }
    void Release() {
        QMetaObject::invokeMethod(&server_, [this] {
            std::vector<std::pair<QTcpSocket*, std::string>> held;
            {
                std::lock_guard lock(mutex_);
                held.swap(held_);
                hold_.clear();
            }
            for (auto& [s, reply] : held) answer(s, reply);
        }, Qt::BlockingQueuedConnection);
    }
    // Stops listening and drops every connection.
    void GoAway() {
        QMetaObject::invokeMethod(&server_, [this] { stop(); }, Qt::BlockingQueuedConnection);
    }

    std::vector<Request> Requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    std::vector<Request> Of(const std::string& code) const {
        std::vector<Request> out;
        for (const Request& r : Requests())
            if (r.req == code) out.push_back(r);
        return out;
    }
    std::size_t Count(const std::string& code) const { return Of(code).size(); }
    std::size_t Held() const {
        std::lock_guard lock(mutex_);
        return held_.size();
    }
    std::size_t MostHeldAtOnce() const {
        std::lock_guard lock(mutex_);
        return mostHeld_;
    }

private:
    void serve() {
        server_.listen(QHostAddress::LocalHost, 0);
        port_ = server_.serverPort();
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] { read(s); });
                QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }
    void stop() {
        server_.close();
        for (QTcpSocket* s : server_.findChildren<QTcpSocket*>()) s->abort();
        std::lock_guard lock(mutex_);
        held_.clear();
    }
    void read(QTcpSocket* s) {
        std::string& b = buffers_[s];
        b += s->readAll().toStdString();
        if (b.find("\r\n\r\n") == std::string::npos) return;
        const std::string first = b.substr(0, b.find("\r\n"));
        buffers_.erase(s);
        const auto a = first.find(' '), z = first.rfind(' ');
        Request r;
        r.raw = first.substr(a + 1, z - a - 1);
        const auto q = r.raw.find('?');
        if (q != std::string::npos) {
            QUrlQuery query(QString::fromLatin1(r.raw.substr(q + 1).c_str()));
            for (const auto& [k, v] : query.queryItems(QUrl::FullyDecoded))
                r.keys[k.toStdString()] = v.toLatin1().toStdString();
        }
        r.req = r.key("req");
        std::string reply;
        bool hold = false;
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(r);
            auto& queue = queued_[r.req];
            if (!queue.empty()) {
                reply = queue.front();
                queue.pop_front();
            } else {
                reply = defaultReply(r.req);
            }
            if (std::find(hold_.begin(), hold_.end(), r.req) != hold_.end()) {
                held_.emplace_back(s, reply);
                mostHeld_ = std::max(mostHeld_, held_.size());
                hold = true;
            }
        }
        if (!hold) answer(s, reply);
    }
    static std::string defaultReply(const std::string& code) {
        if (code == "01") return "*01:*";
        if (code == "03") return "*03:*";
        if (code == "5") return "*05:*";
        if (code == "00") return "*00:[Cup;1]*";  // no competition of the client's kind
        return "ok";
    }
    static void answer(QTcpSocket* s, const std::string& body) {
        if (s->state() != QAbstractSocket::ConnectedState) return;
        const std::string all = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                                std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
        s->write(all.data(), qint64(all.size()));
        s->disconnectFromHost();
    }

    struct Server : QTcpServer {
        explicit Server(QThread& t) { moveToThread(&t); }
    };
    QThread thread_;
    Server server_{thread_};
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<Request> requests_;
    std::map<std::string, std::deque<std::string>> queued_;
    std::vector<std::string> hold_;
    std::map<QTcpSocket*, std::string> buffers_;
    std::vector<std::pair<QTcpSocket*, std::string>> held_;
    std::size_t mostHeld_ = 0;
};

// One user record of a user-list reply: an opening character, then eight fields each ended
// by ";".
inline std::string UserRecordText(const std::string& name, const std::string& kind, const std::string& state,
                                  const std::string& ip, int port, const std::string& info = "10:00") {
    return "[" + name + ";" + name + "-o;" + info + ";" + kind + ";" + state + ";x;" + ip + ";" +
           std::to_string(port) + ";";
}

// One message record of a "*05:" reply.
inline std::string MessageRecordText(int kind, const std::string& ip, int port, const std::string& data = "") {
    return "[" + std::to_string(kind) + ";01/01/2026 10:00;" + ip + ";" + std::to_string(port) + ";e;" +
           data + ";";
}
