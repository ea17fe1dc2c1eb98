#include "platform/ZipExtract.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QSaveFile>
#include <memory>
#include <vector>
#include <zip.h>

namespace platform {
namespace {

struct ArchiveCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

Archive openArchive(const std::string& path, std::string& detail) {
    int error = 0;
    zip_t* z = zip_open(FileSystemName(path).c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!z) {
        zip_error_t e;
        zip_error_init_with_code(&e, error);
        detail = zip_error_strerror(&e);
        zip_error_fini(&e);
    }
    return Archive(z);
}

struct PlannedEntry {
    zip_uint64_t index;
    std::string name;
    zip_uint64_t size;
    bool folder;
};

ZipOutcome outcome(ZipResult result, int entries, std::string detail = {}) {
    return ZipOutcome{result, entries, std::move(detail)};
}

} // namespace

bool IsSafeEntryName(const std::string& name) {
    if (name.empty() || name.front() == '/') return false;
    if (name.find('\\') != std::string::npos || name.find('\0') != std::string::npos) return false;
    std::size_t start = 0;
    bool first = true;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part == "..") return false;
        if (first && part.size() >= 2 && part[1] == ':') return false;  // a drive: "C:..."
        first = false;
        start = end + 1;
    }
    return true;
}

int ZipEntryCount(const std::string& archive) {
    std::string detail;
    Archive z = openArchive(archive, detail);
    if (!z) return -1;
    return static_cast<int>(zip_get_num_entries(z.get(), 0));
}

ZipOutcome ExtractZip(const std::string& archive, const std::string& baseDir, const ZipLimits& limits) {
    std::string detail;
    Archive z = openArchive(archive, detail);
    if (!z) return outcome(ZipResult::Damaged, 0, detail);
    const zip_int64_t count = zip_get_num_entries(z.get(), 0);
    if (count <= 0) return outcome(ZipResult::Empty, 0);
    const int entries = count > limits.MaxEntries ? limits.MaxEntries + 1 : static_cast<int>(count);
    if (count > limits.MaxEntries) return outcome(ZipResult::Refused, entries, "too many entries");

    // Every entry is checked before anything is written.
    std::vector<PlannedEntry> plan;
    std::uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(z.get(), static_cast<zip_uint64_t>(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) ||
            !(st.valid & ZIP_STAT_SIZE))
            return outcome(ZipResult::Damaged, entries, "unreadable entry");
        const std::string name = st.name;
        if (!IsSafeEntryName(name)) return outcome(ZipResult::Refused, entries, "entry name: " + name);
        total += st.size;
        if (total > limits.MaxTotalBytes) return outcome(ZipResult::Refused, entries, "archive too large");
        plan.push_back({static_cast<zip_uint64_t>(i), name, st.size, name.back() == '/'});
    }

    const QDir base(FileSystemPath(baseDir));
    if (!base.mkpath(QStringLiteral(".")))
        return outcome(ZipResult::WriteFailed, entries, "base folder: " + baseDir);
    std::vector<char> buffer(64 * 1024);
    for (const PlannedEntry& e : plan) {
        const QString target = base.filePath(ArchiveEntryName(e.name));
        if (e.folder) {
            if (!QDir().mkpath(target)) return outcome(ZipResult::WriteFailed, entries, "folder: " + e.name);
            continue;
        }
        const QString parent = QFileInfo(target).path();
        if (!QDir().mkpath(parent)) return outcome(ZipResult::WriteFailed, entries, "folder of: " + e.name);
        Entry in(zip_fopen_index(z.get(), e.index, 0));
        if (!in) return outcome(ZipResult::Damaged, entries, "cannot open entry: " + e.name);
        QSaveFile out(target);
        if (!out.open(QIODevice::WriteOnly)) return outcome(ZipResult::WriteFailed, entries, "file: " + e.name);
        zip_uint64_t written = 0;
        for (;;) {
            const zip_int64_t n = zip_fread(in.get(), buffer.data(), buffer.size());
            if (n < 0) return outcome(ZipResult::Damaged, entries, "cannot read entry: " + e.name);
            if (n == 0) break;
            written += static_cast<zip_uint64_t>(n);
            // The stored size is the entry's bound: a stream that runs past it is damaged.
            if (written > e.size) return outcome(ZipResult::Damaged, entries, "entry longer than stored: " + e.name);
            if (out.write(buffer.data(), n) != n) return outcome(ZipResult::WriteFailed, entries, "file: " + e.name);
        }
        if (!out.commit()) return outcome(ZipResult::WriteFailed, entries, "file: " + e.name);
    }
    return outcome(ZipResult::Extracted, entries);
}

} // namespace platform
