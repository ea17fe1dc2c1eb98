#pragma once
#include <string>

// The lobby's requests: every address is WebBaseUrl + "page0.php?req=" + code, then the keys
// of that request in a fixed order, each written "&" key "=" value. The address is encoded
// with UrlEncode and every value with UrlEncodeValue, so the result is UrlEncode of the whole
// address except that "&", "=" and "+" inside a value are encoded too.
//
// The builders only build: the caller passes the iop value (RequestMaker steps the counter).
namespace lobby {

// What the requests carry about the player. The windows own these values and copy them in.
struct LobbyIdentity {
    std::string WebBaseUrl;       // the lobby folder, ending "/all/"
    std::string Surname;          // the lobby nickname
    std::string NetPassword;      // the account password in clear
    std::string CompetitionName;  // the chosen competition
    std::string LocalIPAddress;   // this machine's address, as the HTTP component reports it
    int ServerPort = 0;           // the game port
};

// wtype of request 04 and Kind of a relayed message.
enum class MessageKind {
    Private = 1,     // wdata is the text
    Invitation = 2,
    Refusal = 3,
    Acceptance = 4,  // wdata is the addressee's address
    HostAck = 5,     // the guest may connect now
    GuestAck = 6,    // the guest acknowledges a game start
    GameStart = 7,   // the host is listening
};

// Result codes of request 08 (wres): 0 to 3 from the end of a game, 5 an abandon.
constexpr int AbandonResult = 5;

// 00, the login check: wsurnom, wpassword, iop.
std::string LoginCheckRequest(const std::string& webBaseUrl, const std::string& surname,
                              const std::string& password, int iop);
// 01, log in: wsurnom, wpassword, wnomcomp, wtype ("Se" hosting, "Cl" a guest), wetat=fr,
// wadIP, wport, wdatetime (stamp A), iop.
std::string LoginRequest(const LobbyIdentity& id, bool isHost, const std::string& stampA, int iop);
// 02, leave the lobby to play: wsurnom, wpassword, wnomcomp, wadIP, wport, iop.
std::string LeaveCompetitionRequest(const LobbyIdentity& id, int iop);
// 02, leave: wsurnom, wpassword, wadIP, wport, iop.
std::string LeaveRequest(const LobbyIdentity& id, int iop);
// 03, the user list: wadIP, wport, wsurnom, wpassword, wnomcomp, iop.
std::string UserListRequest(const LobbyIdentity& id, int iop);
// 04, a message: wsurnom, wpassword, wtype, widsource, wportsource, widdestin, wportdestin,
// wdatetime, wdata, iop.
std::string MessageRequest(const LobbyIdentity& id, MessageKind kind, const std::string& destIP,
                           int destPort, const std::string& dateTime, const std::string& data,
                           int iop);
// 04 of kinds 2 to 7: wdatetime is stamp B; wdata is the addressee's address for an
// acceptance and empty for the others.
std::string NoticeRequest(const LobbyIdentity& id, MessageKind kind, const std::string& destIP,
                          int destPort, const std::string& stampB, int iop);
// 5, poll the messages: wsurnom, wpassword, widsource, wportsource, iop.
std::string PollMessagesRequest(const LobbyIdentity& id, int iop);
// 07, presence: wsurnom, wpassword, iop.
std::string PresenceRequest(const LobbyIdentity& id, int iop);
// 08, abandon: wsurnom, wpassword, wnomcomp, wadIP, wport, wres=5, iop.
std::string AbandonRequest(const LobbyIdentity& id, int iop);
// 08, abandon on the turn time-out (no wport): wsurnom, wpassword, wnomcomp, wadIP, wres=5, iop.
std::string TimeOutAbandonRequest(const LobbyIdentity& id, int iop);
// 08, a game's result (0 to 3): wsurnom, wpassword, wnomcomp, wadIP, wres, iop.
std::string ResultRequest(const LobbyIdentity& id, int result, int iop);

} // namespace lobby
