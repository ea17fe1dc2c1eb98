#pragma once
#include <string>

// The clean-up that every name read from a player profile or typed as a nickname passes
// through: each "*", ";", "]" and "&" is removed, everything else is kept.
inline std::string validName(const std::string& name) {
    std::string out;
    out.reserve(name.size());
    for (char c : name)
        if (c != '*' && c != ';' && c != ']' && c != '&') out.push_back(c);
    return out;
}
