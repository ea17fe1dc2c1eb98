#include "lobby/Requests.h"

#include "lobby/UrlEncode.h"

namespace lobby {

namespace {

// Builds "base + page0.php?req=code" followed by "&key=value" pairs.
class Query {
public:
    Query(const std::string& webBaseUrl, const std::string& code)
        : text_(UrlEncode(webBaseUrl + "page0.php?req=" + code)) {}
    Query& add(const char* key, const std::string& value) {
        text_ += std::string("&") + key + "=" + UrlEncodeValue(value);
        return *this;
    }
    Query& add(const char* key, int value) { return add(key, std::to_string(value)); }
    Query& literal(const char* text) {
        text_ += text;
        return *this;
    }
    std::string str() const { return text_; }

private:
    std::string text_;
};

} // namespace

std::string LoginCheckRequest(const std::string& webBaseUrl, const std::string& surname,
                              const std::string& password, int iop) {
    return Query(webBaseUrl, "00").add("wsurnom", surname).add("wpassword", password).add("iop", iop).str();
}

std::string LogInRequest(const std::string& webBaseUrl, const Account& a, bool isHost,
                         const std::string& stamp, int iop) {
    return Query(webBaseUrl, "01")
        .add("wsurnom", a.Surname)
        .add("wpassword", a.Password)
        .add("wnomcomp", a.Competition)
        .add("wtype", isHost ? "Se" : "Cl")
        .literal("&wetat=fr")
        .add("wadIP", a.LocalIP)
        .add("wport", a.ServerPort)
        .add("wdatetime", stamp)
        .add("iop", iop)
        .str();
}

std::string LeaveRequest(const std::string& webBaseUrl, const Account& a, int iop) {
    return Query(webBaseUrl, "02")
        .add("wsurnom", a.Surname)
        .add("wpassword", a.Password)
        .add("wadIP", a.LocalIP)
        .add("wport", a.ServerPort)
        .add("iop", iop)
        .str();
}

std::string LeaveCompetitionRequest(const std::string& webBaseUrl, const Account& a, int iop) {
    return Query(webBaseUrl, "02")
        .add("wsurnom", a.Surname)
        .add("wpassword", a.Password)
        .add("wnomcomp", a.Competition)
        .add("wadIP", a.LocalIP)
        .add("wport", a.ServerPort)
        .add("iop", iop)
        .str();
}

std::string UserListRequest(const std::string& webBaseUrl, const Account& a, int iop) {
    return Query(webBaseUrl, "03")
        .add("wadIP", a.LocalIP)
        .add("wport", a.ServerPort)
        .add("wsurnom", a.Surname)
        .add("wpassword", a.Password)
        .add("wnomcomp", a.Competition)
        .add("iop", iop)
        .str();
}

std::string MessageRequest(const std::string& webBaseUrl, const Account& a, int kind,
                           const std::string& toIP, int toPort, const std::string& stamp,
                           const std::string& data, int iop) {
    return Query(webBaseUrl, "04")
        .add("wsurnom", a.Surname)
        .add("wpassword", a.Password)
        .add("wtype", kind)
        .add("widsource", a.LocalIP)
        .add("wportsource", a.ServerPort)
        .add("widdestin", toIP)
        .add("wportdestin", toPort)
        .add("wdatetime", stamp)
        .add("wdata", data)
        .add("iop", iop)
        .str();
}

std::string PollMessagesRequest(const std::string& webBaseUrl, const Account& a, int iop) {
    return Query(webBaseUrl, "5")
        .add("wsurnom", a.Surname)
        .add("wpassword", a.Password)
        .add("widsource", a.LocalIP)
        .add("wportsource", a.ServerPort)
        .add("iop", iop)
        .str();
}

std::string PresenceRequest(const std::string& webBaseUrl, const Account& a, int iop) {
    return Query(webBaseUrl, "07").add("wsurnom", a.Surname).add("wpassword", a.Password).add("iop", iop).str();
}

std::string AbandonRequest(const std::string& webBaseUrl, const Account& a, int iop) {
    return Query(webBaseUrl, "08")
        .add("wsurnom", a.Surname)
        .add("wpassword", a.Password)
        .add("wnomcomp", a.Competition)
        .add("wadIP", a.LocalIP)
        .add("wport", a.ServerPort)
        .literal("&wres=5")
        .add("iop", iop)
        .str();
}

std::string TimeOutAbandonRequest(const std::string& webBaseUrl, const Account& a, int iop) {
    return Query(webBaseUrl, "08")
        .add("wsurnom", a.Surname)
        .add("wpassword", a.Password)
        .add("wnomcomp", a.Competition)
        .add("wadIP", a.LocalIP)
        .literal("&wres=5")
        .add("iop", iop)
        .str();
}

std::string ResultRequest(const std::string& webBaseUrl, const Account& a, int wres, int iop) {
    return Query(webBaseUrl, "08")
        .add("wsurnom", a.Surname)
        .add("wpassword", a.Password)
        .add("wnomcomp", a.Competition)
        .add("wadIP", a.LocalIP)
        .add("wres", wres)
        .add("iop", iop)
        .str();
}

std::string StampA(const QDateTime& when) {
    return when.toString(QStringLiteral("dd/MM/yyyy/hh:mm:ss")).toStdString();
}

std::string StampB(const QDateTime& when) {
    return when.toString(QStringLiteral("'on 'dd/MM/yyyy' at 'hh:mm:ss")).toStdString();
}

} // namespace lobby
