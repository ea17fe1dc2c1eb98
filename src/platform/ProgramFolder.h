#pragma once
#include <QString>
#include <optional>
#include <string>

// The program's folder and file names.
//
// A path in the model is Latin-1 text like every other text, relative (to the program
// folder, which is the working folder: every relative file name is used after changing to
// it) or absolute. It reaches the file system only through FileSystemPath (Qt's file
// classes, which encode it in the locale's encoding) or FileSystemName (the bytes that the
// system calls and std::filesystem take); a name the file system gives back, from a dialog
// or a folder listing, becomes a model path through ModelPath.
namespace platform {

// The program folder as the file system names it, whatever characters it holds.
QString ProgramDir();
// The program folder as a model path: its Latin-1 text, or "." (the working folder, which
// ChangeToProgramFolder makes it) when Latin-1 cannot hold its name.
std::string ProgramFolder();
bool ChangeToProgramFolder();
// Tests point the program folder at a temporary folder (empty: the running program's).
void SetProgramFolderForTests(const std::string& folder);
void SetProgramDirForTests(const QString& folder);

// A model path for Qt's file classes.
QString FileSystemPath(const std::string& path);
// A model path as the bytes the system calls take (QFile::encodeName).
std::string FileSystemName(const std::string& path);
// A path from the file system (a dialog, a listing, the running program) as a model path:
// its Latin-1 text, a path inside the program folder relative to it when only the folder's
// own name does not fit, and nothing when Latin-1 cannot hold it.
std::optional<std::string> ModelPath(const QString& path);
// The same for the bytes of a name as std::filesystem gives it.
std::optional<std::string> ModelPathOfName(const std::string& fileSystemName);
// The name of an entry of a zip archive, which the archive reader gives in UTF-8, for
// Qt's file classes below the folder it is extracted to.
QString ArchiveEntryName(const std::string& utf8Name);

// Names that come from outside never leave their folder: false for a name holding "/",
// "\\" or "..", for an empty name, and for one holding a line end (which no settings or
// theme file could store).
bool IsSafeFileName(const std::string& name);
// The part of a path after its last "/" or "\\" (the whole path when it has neither).
std::string FileNamePart(const std::string& path);

} // namespace platform
