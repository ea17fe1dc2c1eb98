#pragma once
#include <string>
#include <string_view>

// Walks the lists of a lobby reply. A list starts at the fifth character, after the
// four-character head ("*01:" ...). Each record is one opening character, which is never
// looked at, then fields. A field runs up to the next ";" or "]"; in a message list also up
// to "*". The scanner never reads past the end of the text.
namespace lobby {

class LobbyReplyScanner {
public:
    // messageList: a "*05:" list, which ends at "*" or "]" and whose fields also end at "*".
    LobbyReplyScanner(std::string_view reply, bool messageList);

    bool AtEnd() const { return pos_ >= text_.size(); }
    // True while another record follows: the text goes on and the character at the position
    // is not the list's end marker.
    bool MoreRecords() const;
    // Steps over a record's opening character.
    void SkipOpening();
    // The field at the position. A ";" or "]" after it is stepped over; a "*" ending a
    // message field is left in place, so the list ends there. Terminated() tells whether
    // the field had a terminator at all (false: the text ended inside it).
    std::string_view Field();
    bool Terminated() const { return terminated_; }

private:
    bool endsField(char c) const { return c == ';' || c == ']' || (messageList_ && c == '*'); }

    std::string_view text_;
    bool messageList_;
    size_t pos_ = 4;
    bool terminated_ = true;
};

// A decimal integer as the lobby writes it: blanks around it allowed, an optional sign,
// digits, within 32 bits. False for anything else (the empty text included).
bool ParseDecimal(std::string_view text, int& value);

// The text cut to at most `limit` characters.
std::string Cut(std::string_view text, size_t limit);

} // namespace lobby
