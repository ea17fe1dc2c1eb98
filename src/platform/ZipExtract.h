#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Unpacks a zip archive below a folder. The archive comes from outside: every entry is
// checked before the first file is written, and one bad entry refuses the whole archive.
namespace platform {

struct ZipLimits {
    int MaxEntries = 4096;
    std::uint64_t MaxTotalBytes = 256ull << 20;  // uncompressed, all entries together
};

enum class ZipResult {
    Extracted,   // every entry written
    Empty,       // the archive lists no entry; nothing written
    Damaged,     // not a zip archive, or an entry could not be read
    Refused,     // an entry name leaves its folder (".." or absolute), holds a control
                 // character, or a limit is passed
    WriteFailed  // a folder or file below the base could not be written
};

struct ZipOutcome {
    ZipResult Result = ZipResult::Damaged;
    int Entries = 0;     // entries the archive lists
    std::string Detail;  // what went wrong, for logs
};

// The number of entries of an archive, or -1 when it cannot be opened as one.
int ZipEntryCount(const std::string& archive);

// Extracts every entry of `archive` below `baseDir`, recreating the stored folders and
// overwriting existing files, all in one call (ZipUnpacker.h does it in steps). With
// `onlyBelow` set (a folder relative to the base, such as "players"), an entry that would
// land anywhere else refuses the archive. Whatever the result, either every entry is in
// place or nothing of the archive is on disk.
ZipOutcome ExtractZip(const std::string& archive, const std::string& baseDir, const ZipLimits& limits = {},
                      const std::string& onlyBelow = {});

// An entry name that stays below its base: relative, "/"-separated, no "\", no ".."
// component, no drive letter, no NUL or other control character.
bool IsSafeEntryName(const std::string& name);

// The name an entry is written under: "\" read as "/" (archives made on other systems),
// "." and empty components dropped. Nothing when the result is not safe (IsSafeEntryName)
// or names nothing.
std::optional<std::string> EntryPath(const std::string& stored);

// Whether a cleaned entry path lies in `folder` (itself or below it); every path lies in "".
bool LiesBelow(const std::string& path, const std::string& folder);

} // namespace platform
