#pragma once
#include <string>

// The lobby's requests: every address is WebBaseUrl + "page0.php?req=" + code + keys in a
// fixed order, encoded (UrlEncode over the address, UrlEncodeValue over each value).
namespace lobby {

// req=00, the login check: wsurnom, wpassword, iop.
std::string LoginCheckRequest(const std::string& webBaseUrl, const std::string& surname,
                              const std::string& password, int iop);

} // namespace lobby
