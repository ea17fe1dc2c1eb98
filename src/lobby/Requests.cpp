#include "lobby/Requests.h"

#include "lobby/UrlEncode.h"

namespace lobby {

std::string LoginCheckRequest(const std::string& webBaseUrl, const std::string& surname,
                              const std::string& password, int iop) {
    return UrlEncode(webBaseUrl + "page0.php?req=00") + "&wsurnom=" + UrlEncodeValue(surname) +
           "&wpassword=" + UrlEncodeValue(password) + "&iop=" + std::to_string(iop);
}

} // namespace lobby
