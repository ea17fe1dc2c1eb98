#pragma once
#include <QRegularExpression>
#include <string>
#include <vector>

#include "lobby/GetInetFile.h"
#include "lobby/Replies.h"
#include "lobby/Requests.h"
#include "support/StandInSite.h"

// A lobby user that a test plays: its own requests to the stand-in site, with its own
// counter, and the messages the site relays to it.
class SiteUser {
public:
    SiteUser(const std::string& siteUrl, const std::string& name, int port, bool host)
        : base_(siteUrl + "all/"), host_(host) {
        account_ = {name, "pw-" + name, "Free Play", "127.0.0.1", port};
    }
    std::string LogIn() { return get(lobby::LogInRequest(base_, account_, host_, lobby::StampA(), ++iop_)); }
    void Send(int kind, const std::string& toIP, int toPort, const std::string& data = "") {
        get(lobby::MessageRequest(base_, account_, kind, toIP, toPort, lobby::StampB(), data, iop_++));
    }
    void Result(int wres) { get(lobby::ResultRequest(base_, account_, wres, ++iop_)); }
    // Polls until a message of that kind arrives (others are kept in Received).
    bool WaitMessage(int kind, lobby::aMessage& out, int tries = 200) {
        for (int i = 0; i < tries; ++i) {
            for (const lobby::aMessage& m : lobby::ReadMessages(get(lobby::PollMessagesRequest(base_, account_, iop_++))))
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
    const lobby::Account& Account() const { return account_; }
    std::vector<lobby::aMessage> Received;

private:
    std::string get(const std::string& url) {
        std::string reply;
        lobby::GetInetFile(url, reply);
        return reply;
    }
    std::string base_;
    bool host_;
    lobby::Account account_;
    int iop_ = 0;
};

// The lobby requests in the site's request log, as "req=..." query texts in order.
inline std::vector<std::string> LobbyQueries(const QByteArray& log) {
    std::vector<std::string> out;
    static const QRegularExpression line(QStringLiteral("GET /all/page0\\.php\\?(\\S+)"));
    auto it = line.globalMatch(QString::fromLatin1(log));
    while (it.hasNext()) out.push_back(it.next().captured(1).toStdString());
    return out;
}
