#pragma once
#include <QRegularExpression>
#include <string>
#include <vector>

#include "lobby/GetInetFile.h"
#include "lobby/Replies.h"
#include "lobby/RequestMaker.h"
#include "support/StandInSite.h"

// A lobby user that a test plays: its own requests to the stand-in site, with its own
// counter, and the messages the site relays to it.
class SiteUser {
public:
    SiteUser(const std::string& siteUrl, const std::string& name, int port, bool host,
             const std::string& competition = "Free Play")
        : host_(host) {
        id_ = {siteUrl + "all/", name, "pw-" + name, competition, "127.0.0.1", port};
    }
    // Sends a private message (kind 1) with its text.
    void SendText(const std::string& text, const std::string& toIP, int toPort) {
        get(make().PrivateMessage(toIP, toPort, "now", text));
    }
    std::string Check() { return get(make().LoginCheck()); }
    std::string LogIn() { return get(make().Login(host_, QDateTime::currentDateTime())); }
    void Send(int kind, const std::string& toIP, int toPort) {
        get(make().Notice(lobby::MessageKind(kind), toIP, toPort, QDateTime::currentDateTime()));
    }
    void Result(int wres) { get(make().Result(wres)); }
    // Polls until a message of that kind arrives (others are kept in Received).
    bool WaitMessage(int kind, lobby::aMessage& out, int tries = 200) {
        for (int i = 0; i < tries; ++i) {
            for (const lobby::aMessage& m : lobby::ReadMessages(get(make().PollMessages())).Records)
                Received.push_back(m);
            for (auto it = Received.begin(); it != Received.end(); ++it)
                if (it->Kind == kind) {
                    out = *it;
                    Received.erase(it);
                    return true;
                }
            Pump(20);
        }
        return false;
    }
    std::vector<lobby::aMessage> Received;

private:
    std::string get(const std::string& url) {
        std::string reply;
        lobby::GetInetFile(url, reply);
        return reply;
    }
    lobby::RequestMaker make() { return lobby::RequestMaker(id_, counters_); }
    bool host_;
    lobby::LobbyIdentity id_;
    lobby::Counters counters_;
};

// The lobby requests in the site's request log, as "req=..." query texts in order.
inline std::vector<std::string> LobbyQueries(const QByteArray& log) {
    std::vector<std::string> out;
    static const QRegularExpression line(QStringLiteral("GET /all/page0\\.php\\?(\\S+)"));
    auto it = line.globalMatch(QString::fromLatin1(log));
    while (it.hasNext()) out.push_back(it.next().captured(1).toStdString());
    return out;
}
