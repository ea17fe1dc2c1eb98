#pragma once
#include <string>
#include <vector>

// One-line texts at the edges of what a stored value can hold: blanks and tabs only, blanks
// at either end, quotes, the characters of the INI syntax, 8-bit characters, the empty text
// and a long one.
inline const std::vector<std::string>& OddOneLineTexts() {
    static const std::vector<std::string> texts = {
        " ", "\t", "   ", " \t ", "  lead", "trail  ", "\tboth\t", "\"quoted\"", "\"", "\"\"",
        "\" padded \"", " \"q\" ", "a\"b", "=x", "a=b=c", "[Section]", "; not a comment",
        "\xe9t\xe9 \xff\x80\xa0", std::string(8192, 'x') + " end ", "",
    };
    return texts;
}
