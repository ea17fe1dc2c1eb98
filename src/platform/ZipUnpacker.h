#pragma once
#include <QString>
#include <memory>
#include <string>

#include "platform/ZipExtract.h"

// Unpacks an archive in bounded steps, so that the event loop can run between them while a
// large archive is written. Every entry is checked first; the files are written into a
// hidden staging folder, and only when all of them are there are they moved into place.
// A failure at any point, or destroying the unpacker before it has finished, takes back
// what was moved and removes the staging folder: nothing of a refused or unfinished
// archive stays on disk, and the files it would have replaced are as they were.
namespace platform {

class ZipUnpacker {
public:
    // Bytes written and files moved per step.
    static constexpr std::uint64_t StepBytes = 1u << 20;
    static constexpr int StepFiles = 64;

    ZipUnpacker(std::string archive, std::string baseDir, std::string onlyBelow = {}, ZipLimits limits = {});
    ~ZipUnpacker();
    ZipUnpacker(const ZipUnpacker&) = delete;
    ZipUnpacker& operator=(const ZipUnpacker&) = delete;

    // Does one bounded piece of the work; false once the unpacking has ended (Outcome()).
    bool Step();
    bool Done() const;
    const ZipOutcome& Outcome() const;

    struct State;

private:
    std::unique_ptr<State> state_;
};

} // namespace platform
