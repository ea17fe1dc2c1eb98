#pragma once
#include <cstdint>
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
    Refused,     // an entry name leaves the folder ("..", "\", absolute), or a limit is passed
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
// overwriting existing files (each written through a temporary file and renamed).
ZipOutcome ExtractZip(const std::string& archive, const std::string& baseDir, const ZipLimits& limits = {});

// An entry name that stays below its base: relative, "/"-separated, no "\", no ".."
// component, no drive letter, no NUL.
bool IsSafeEntryName(const std::string& name);

} // namespace platform
