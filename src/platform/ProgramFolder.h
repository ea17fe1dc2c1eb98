#pragma once
#include <string>

// The program's folder: the folder of the running program file. Every relative file name
// is used after changing the working directory to it.
namespace platform {

std::string ProgramFolder();
bool ChangeToProgramFolder();
// Tests point the program folder at a temporary folder.
void SetProgramFolderForTests(const std::string& folder);

// Names that come from outside never leave their folder: false for a name holding "/",
// "\\" or "..", for an empty name, and for one holding a line end (which no settings or
// theme file could store).
bool IsSafeFileName(const std::string& name);
// The part of a path after its last "/" or "\\" (the whole path when it has neither).
std::string FileNamePart(const std::string& path);

} // namespace platform
