#include "client/UiText.h"

#include <map>

namespace client {

const std::string& Ui(const std::string& key) {
    static std::map<std::string, std::string> texts;
    auto it = texts.find(key);
    if (it == texts.end()) it = texts.emplace(key, key).first;
    return it->second;
}

} // namespace client
