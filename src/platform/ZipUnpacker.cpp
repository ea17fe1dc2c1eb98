#include "platform/ZipUnpacker.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
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


// A folder entry such as "./" names the base itself: nothing to make.
bool namesOnlyTheBase(const std::string& stored) {
    for (char c : stored)
        if (c != '.' && c != '/' && c != '\\') return false;
    return stored.find("..") == std::string::npos && !stored.empty() && stored.front() != '/';
}

struct PlannedEntry {
    zip_uint64_t index;
    std::string path;  // cleaned, relative to the base
    zip_uint64_t size;
    bool folder;
};

// A file moved into place, and the file it replaced (kept in the staging folder).
struct MovedFile {
    QString target;
    QString backup;  // empty when nothing was there
    bool placed = false;
};

} // namespace

struct ZipUnpacker::State {
    enum class Phase { Check, Write, Commit, Done };
    Phase phase = Phase::Check;
    std::string archivePath, baseDir, onlyBelow;
    ZipLimits limits;
    ZipOutcome outcome;

    Archive zip;
    std::vector<PlannedEntry> plan;
    std::size_t next = 0;
    std::unique_ptr<QTemporaryDir> staging;
    QDir base;

    Entry reading;  // the entry being written, across steps
    std::unique_ptr<QSaveFile> writing;
    zip_uint64_t written = 0;
    std::vector<char> buffer;

    std::vector<MovedFile> moved;
    std::vector<QString> madeFolders;

    QString staged(std::size_t i) const { return staging->filePath(QString::number(i)); }

    void end(ZipResult result, std::string detail = {}) {
        if (result != ZipResult::Extracted) takeBack();
        outcome.Result = result;
        outcome.Detail = std::move(detail);
        phase = Phase::Done;
        release();
    }

    void release() {
        writing.reset();  // an uncommitted file is discarded
        reading.reset();
        zip.reset();
        staging.reset();  // removes the staging folder and all in it
    }

    // Undoes the moves, newest first, and removes the folders made for them.
    void takeBack() {
        for (auto it = moved.rbegin(); it != moved.rend(); ++it) {
            if (it->placed) QFile::remove(it->target);
            if (!it->backup.isEmpty()) QFile::rename(it->backup, it->target);
        }
        moved.clear();
        for (auto it = madeFolders.rbegin(); it != madeFolders.rend(); ++it) QDir().rmdir(*it);
        madeFolders.clear();
    }

    // Makes a folder and those above it up to the base, remembering the ones it made.
    bool makeFolder(const QString& folder) {
        std::vector<QString> missing;
        for (QString f = QDir::cleanPath(folder); f != QDir::cleanPath(base.path()) && !QFileInfo(f).isDir();
             f = QFileInfo(f).path()) {
            if (QFileInfo(f).exists() || QFileInfo(f).isSymLink()) return false;  // a file in the way
            missing.push_back(f);
        }
        for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
            if (!QDir().mkdir(*it)) return false;
            madeFolders.push_back(*it);
        }
        return true;
    }

    void check() {
        std::string detail;
        zip = openArchive(archivePath, detail);
        if (!zip) return end(ZipResult::Damaged, detail);
        const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
        if (count <= 0) return end(ZipResult::Empty);
        outcome.Entries = count > limits.MaxEntries ? limits.MaxEntries + 1 : static_cast<int>(count);
        if (count > limits.MaxEntries) return end(ZipResult::Refused, "too many entries");

        base = QDir(FileSystemPath(baseDir));
        if (!base.mkpath(QStringLiteral("."))) return end(ZipResult::WriteFailed, "base folder: " + baseDir);
        staging = std::make_unique<QTemporaryDir>(base.filePath(QStringLiteral(".unpack-XXXXXX")));
        if (!staging->isValid()) return end(ZipResult::WriteFailed, "staging folder below: " + baseDir);
        const QString stagingName = QFileInfo(staging->path()).fileName();

        std::uint64_t total = 0;
        for (zip_int64_t i = 0; i < count; ++i) {
            zip_stat_t st;
            zip_stat_init(&st);
            if (zip_stat_index(zip.get(), static_cast<zip_uint64_t>(i), 0, &st) != 0 ||
                !(st.valid & ZIP_STAT_NAME) || !(st.valid & ZIP_STAT_SIZE))
                return end(ZipResult::Damaged, "unreadable entry");
            const std::string stored = st.name;
            const bool folder = stored.back() == '/' || stored.back() == '\\';
            const auto path = EntryPath(stored);
            if (!path) {
                if (folder && namesOnlyTheBase(stored)) continue;
                return end(ZipResult::Refused, "entry name: " + stored);
            }
            // Only in its own folder: a file must lie below it, a folder may be the folder itself.
            if (!LiesBelow(*path, onlyBelow) || (!folder && *path == onlyBelow) ||
                ArchiveEntryName(*path).section('/', 0, 0) == stagingName)
                return end(ZipResult::Refused, "entry outside its folder: " + stored);
            total += st.size;
            if (total > limits.MaxTotalBytes) return end(ZipResult::Refused, "archive too large");
            plan.push_back({static_cast<zip_uint64_t>(i), *path, st.size, folder});
        }
        buffer.resize(64 * 1024);
        phase = Phase::Write;
    }

    // Writes up to StepBytes into the staging folder, one file per entry.
    void write() {
        std::uint64_t budget = StepBytes;
        while (next < plan.size()) {
            const PlannedEntry& e = plan[next];
            if (e.folder) {
                ++next;
                continue;
            }
            if (!writing) {
                reading.reset(zip_fopen_index(zip.get(), e.index, 0));
                if (!reading) return end(ZipResult::Damaged, "cannot open entry: " + e.path);
                writing = std::make_unique<QSaveFile>(staged(next));
                if (!writing->open(QIODevice::WriteOnly)) return end(ZipResult::WriteFailed, "file: " + e.path);
                written = 0;
            }
            for (;;) {
                if (budget == 0) return;
                const zip_int64_t n = zip_fread(reading.get(), buffer.data(), buffer.size());
                if (n < 0) return end(ZipResult::Damaged, "cannot read entry: " + e.path);
                if (n == 0) break;
                written += static_cast<zip_uint64_t>(n);
                // The stored size is the entry's bound: a stream that runs past it is damaged.
                if (written > e.size) return end(ZipResult::Damaged, "entry longer than stored: " + e.path);
                if (writing->write(buffer.data(), n) != n) return end(ZipResult::WriteFailed, "file: " + e.path);
                budget -= std::min<std::uint64_t>(budget, static_cast<std::uint64_t>(n));
            }
            const bool saved = writing->commit();
            writing.reset();
            reading.reset();
            if (!saved) return end(ZipResult::WriteFailed, "file: " + e.path);
            ++next;
        }
        next = 0;
        phase = Phase::Commit;
    }

    // Moves up to StepFiles staged files into place.
    void commit() {
        for (int done = 0; next < plan.size() && done < StepFiles; ++next, ++done) {
            const PlannedEntry& e = plan[next];
            const QString target = base.filePath(ArchiveEntryName(e.path));
            if (e.folder) {
                if (!makeFolder(target)) return end(ZipResult::WriteFailed, "folder: " + e.path);
                continue;
            }
            if (!makeFolder(QFileInfo(target).path())) return end(ZipResult::WriteFailed, "folder of: " + e.path);
            MovedFile m{target, {}, false};
            const QFileInfo there(target);
            if (there.isDir() && !there.isSymLink()) return end(ZipResult::WriteFailed, "a folder in the way: " + e.path);
            if (there.exists() || there.isSymLink()) {
                const QString backup = staging->filePath("old-" + QString::number(next));
                if (!QFile::rename(target, backup)) return end(ZipResult::WriteFailed, "cannot replace: " + e.path);
                m.backup = backup;
            }
            moved.push_back(m);
            if (!QFile::rename(staged(next), target)) return end(ZipResult::WriteFailed, "file: " + e.path);
            moved.back().placed = true;
        }
        if (next == plan.size()) end(ZipResult::Extracted);
    }
};

ZipUnpacker::ZipUnpacker(std::string archive, std::string baseDir, std::string onlyBelow, ZipLimits limits)
    : state_(std::make_unique<State>()) {
    state_->archivePath = std::move(archive);
    state_->baseDir = std::move(baseDir);
    state_->onlyBelow = EntryPath(onlyBelow).value_or(std::string());
    state_->limits = limits;
}

ZipUnpacker::~ZipUnpacker() {
    if (state_->phase != State::Phase::Done) {
        state_->takeBack();
        state_->release();
    }
}

bool ZipUnpacker::Step() {
    switch (state_->phase) {
    case State::Phase::Check: state_->check(); break;
    case State::Phase::Write: state_->write(); break;
    case State::Phase::Commit: state_->commit(); break;
    case State::Phase::Done: break;
    }
    return state_->phase != State::Phase::Done;
}

bool ZipUnpacker::Done() const { return state_->phase == State::Phase::Done; }

const ZipOutcome& ZipUnpacker::Outcome() const { return state_->outcome; }

int ZipEntryCount(const std::string& archive) {
    std::string detail;
    Archive z = openArchive(archive, detail);
    if (!z) return -1;
    return static_cast<int>(zip_get_num_entries(z.get(), 0));
}

} // namespace platform
