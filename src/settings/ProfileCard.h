#pragma once
#include <optional>
#include <string>
#include <vector>

// What the options window and the player list show of a player profile
// ("players/<name>.vrk"): lines 3 to 9 and 12, each value taken from a fixed column.
namespace client {

struct ProfileCard {
    std::string Editor;   // line 3 from column 8
    std::string Name;     // line 4 from column 6, at most 15 characters
    std::string Origin;   // line 5 from column 9
    int Stars = 0;        // line 6 from column 7
    std::string Folder;   // line 7 from column 11: the profile's folder under "players"
    std::string Version;  // line 9 from column 9; empty when line 9 is empty
    // Relative to the program folder; empty when the profile names none or names a file
    // outside its folder.
    std::string VoiceClip; // "players/" + folder + "/" + line 8 from column 25
    std::string Picture;   // "players/" + folder + "/" + line 12
};

// Star k (1 to 5) shows for a count of at least k - 1; the sixth only for 123.
bool StarShown(int stars, int k);

// Reads the card of "players/" + fileName. Nothing for a name that could leave the
// folder, a file that ends before line 12 or a star line that is not an integer.
std::optional<ProfileCard> ReadProfileCard(const std::string& fileName);

// The profile files of "players" ("*.vrk"), names only, sorted.
std::vector<std::string> ListVrk();

// Deletes the profile "players/" + fileName and its own folder "players/" + the name
// without ".vrk" with the plain files inside it. Refuses (false, nothing touched) a name
// that is not a plain file name, has no ".vrk" ending or nothing before it. A folder that
// is a link, or a sub-folder inside it, is never followed.
bool DeleteProfile(const std::string& fileName);

} // namespace client
