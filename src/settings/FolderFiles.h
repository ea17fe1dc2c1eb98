#pragma once
#include <string>
#include <vector>

// Listing and deleting files of one folder under the program folder. A name that could
// leave its folder (empty, holding "/", "\" or "..") is never touched.
namespace client {

// The plain files of ProgramDir + folder whose names end with `extension` (any case),
// sorted by name; names only. A name that is no plain file name (one holding a line end)
// is left out.
std::vector<std::string> FilesWithExtension(const std::string& folder, const std::string& extension);

// Deletes ProgramDir + folder + "/" + name when the name is a plain file name and names a
// file (or a link, which is removed itself) directly inside the folder; a folder of that
// name is left alone. True when a file was removed.
bool RemoveFileIn(const std::string& folder, const std::string& name);

} // namespace client
