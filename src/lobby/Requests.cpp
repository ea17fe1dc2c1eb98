#include "lobby/Requests.h"

#include "lobby/UrlEncode.h"

namespace lobby {
namespace {

// One request address, built key by key in order.
class Address {
public:
    Address(const std::string& webBaseUrl, const char* code)
        : url_(UrlEncode(webBaseUrl + "page0.php?req=" + code)) {}
    Address& Key(const char* key, const std::string& value) {
        url_ += '&';
        url_ += key;
        url_ += '=';
        url_ += UrlEncodeValue(value);
        return *this;
    }
    Address& Key(const char* key, int value) { return Key(key, std::to_string(value)); }
    std::string Url() const { return url_; }

private:
    std::string url_;
};

Address withAccount(const LobbyIdentity& id, const char* code) {
    Address a(id.WebBaseUrl, code);
    a.Key("wsurnom", id.Surname).Key("wpassword", id.NetPassword);
    return a;
}

} // namespace

std::string LoginCheckRequest(const std::string& webBaseUrl, const std::string& surname,
                              const std::string& password, int iop) {
    return Address(webBaseUrl, "00")
        .Key("wsurnom", surname)
        .Key("wpassword", password)
        .Key("iop", iop)
        .Url();
}

std::string LoginRequest(const LobbyIdentity& id, bool isHost, const std::string& stampA, int iop) {
    return withAccount(id, "01")
        .Key("wnomcomp", id.CompetitionName)
        .Key("wtype", isHost ? "Se" : "Cl")
        .Key("wetat", "fr")
        .Key("wadIP", id.LocalIPAddress)
        .Key("wport", id.ServerPort)
        .Key("wdatetime", stampA)
        .Key("iop", iop)
        .Url();
}

std::string LeaveCompetitionRequest(const LobbyIdentity& id, int iop) {
    return withAccount(id, "02")
        .Key("wnomcomp", id.CompetitionName)
        .Key("wadIP", id.LocalIPAddress)
        .Key("wport", id.ServerPort)
        .Key("iop", iop)
        .Url();
}

std::string LeaveRequest(const LobbyIdentity& id, int iop) {
    return withAccount(id, "02")
        .Key("wadIP", id.LocalIPAddress)
        .Key("wport", id.ServerPort)
        .Key("iop", iop)
        .Url();
}

std::string UserListRequest(const LobbyIdentity& id, int iop) {
    return Address(id.WebBaseUrl, "03")
        .Key("wadIP", id.LocalIPAddress)
        .Key("wport", id.ServerPort)
        .Key("wsurnom", id.Surname)
        .Key("wpassword", id.NetPassword)
        .Key("wnomcomp", id.CompetitionName)
        .Key("iop", iop)
        .Url();
}

std::string MessageRequest(const LobbyIdentity& id, MessageKind kind, const std::string& destIP,
                           int destPort, const std::string& dateTime, const std::string& data,
                           int iop) {
    return withAccount(id, "04")
        .Key("wtype", static_cast<int>(kind))
        .Key("widsource", id.LocalIPAddress)
        .Key("wportsource", id.ServerPort)
        .Key("widdestin", destIP)
        .Key("wportdestin", destPort)
        .Key("wdatetime", dateTime)
        .Key("wdata", data)
        .Key("iop", iop)
        .Url();
}

std::string NoticeRequest(const LobbyIdentity& id, MessageKind kind, const std::string& destIP,
                          int destPort, const std::string& stampB, int iop) {
    const std::string data = kind == MessageKind::Acceptance ? destIP : std::string();
    return MessageRequest(id, kind, destIP, destPort, stampB, data, iop);
}

std::string PollMessagesRequest(const LobbyIdentity& id, int iop) {
    return withAccount(id, "5")
        .Key("widsource", id.LocalIPAddress)
        .Key("wportsource", id.ServerPort)
        .Key("iop", iop)
        .Url();
}

std::string PresenceRequest(const LobbyIdentity& id, int iop) {
    return withAccount(id, "07").Key("iop", iop).Url();
}

std::string AbandonRequest(const LobbyIdentity& id, int iop) {
    return withAccount(id, "08")
        .Key("wnomcomp", id.CompetitionName)
        .Key("wadIP", id.LocalIPAddress)
        .Key("wport", id.ServerPort)
        .Key("wres", AbandonResult)
        .Key("iop", iop)
        .Url();
}

std::string TimeOutAbandonRequest(const LobbyIdentity& id, int iop) {
    return ResultRequest(id, AbandonResult, iop);
}

std::string ResultRequest(const LobbyIdentity& id, int result, int iop) {
    return withAccount(id, "08")
        .Key("wnomcomp", id.CompetitionName)
        .Key("wadIP", id.LocalIPAddress)
        .Key("wres", result)
        .Key("iop", iop)
        .Url();
}

} // namespace lobby
