#pragma once
#include <QDateTime>
#include <string>

// The lobby's requests: every address is WebBaseUrl + "page0.php?req=" + code + keys in a
// fixed order, encoded (UrlEncode over the address, UrlEncodeValue over each value).
namespace lobby {

// req=00, the login check: wsurnom, wpassword, iop.
std::string LoginCheckRequest(const std::string& webBaseUrl, const std::string& surname,
                              const std::string& password, int iop);

// The player's account and where its game is reached, as every request after the login
// check carries them.
struct Account {
    std::string Surname, Password;
    std::string Competition;  // the competition's name, without its kind suffix
    std::string LocalIP;      // the address the site sees this machine at
    int ServerPort = 0;       // the game port
};

// req=01, log in: wsurnom, wpassword, wnomcomp, wtype ("Se" host, "Cl" guest), wetat=fr,
// wadIP, wport, wdatetime, iop.
std::string LogInRequest(const std::string& webBaseUrl, const Account& a, bool isHost,
                         const std::string& stamp, int iop);
// req=02, leave: wsurnom, wpassword, wadIP, wport, iop.
std::string LeaveRequest(const std::string& webBaseUrl, const Account& a, int iop);
// req=02, leave with the competition: wsurnom, wpassword, wnomcomp, wadIP, wport, iop.
std::string LeaveCompetitionRequest(const std::string& webBaseUrl, const Account& a, int iop);
// req=03, user list: wadIP, wport, wsurnom, wpassword, wnomcomp, iop.
std::string UserListRequest(const std::string& webBaseUrl, const Account& a, int iop);
// req=04, a message of kind 1..7 to the user at (ip, port): wsurnom, wpassword, wtype,
// widsource, wportsource, widdestin, wportdestin, wdatetime, wdata, iop.
std::string MessageRequest(const std::string& webBaseUrl, const Account& a, int kind,
                           const std::string& toIP, int toPort, const std::string& stamp,
                           const std::string& data, int iop);
// req=5, the messages addressed to the player: wsurnom, wpassword, widsource, wportsource, iop.
std::string PollMessagesRequest(const std::string& webBaseUrl, const Account& a, int iop);
// req=07, presence: wsurnom, wpassword, iop.
std::string PresenceRequest(const std::string& webBaseUrl, const Account& a, int iop);
// req=08, the game abandoned: wsurnom, wpassword, wnomcomp, wadIP, wport, wres=5, iop.
std::string AbandonRequest(const std::string& webBaseUrl, const Account& a, int iop);
// req=08, the game lost by time: as AbandonRequest without wport.
std::string TimeOutAbandonRequest(const std::string& webBaseUrl, const Account& a, int iop);
// req=08, a game's result 0..3: wsurnom, wpassword, wnomcomp, wadIP, wres, iop.
std::string ResultRequest(const std::string& webBaseUrl, const Account& a, int wres, int iop);

// Time stamps of the requests: A is "date/time" (the log in), B "on date at time" (the
// messages of kinds 2 to 7).
std::string StampA(const QDateTime& when = QDateTime::currentDateTime());
std::string StampB(const QDateTime& when = QDateTime::currentDateTime());

} // namespace lobby
