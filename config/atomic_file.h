#pragma once

// Replaces a file's content all at once: a temporary file beside it is written, synced and
// renamed over it, so the file is at every moment either the old one whole or the new one whole.

#include <string>
#include <string_view>

namespace config {

enum class AtomicWriteStep { Done, CreateTemporary, Write, Sync, Rename };

struct AtomicWriteResult {
    AtomicWriteStep failedStep = AtomicWriteStep::Done;
    int error = 0;  // errno of the failed step

    bool Succeeded() const { return failedStep == AtomicWriteStep::Done; }
};

// On failure the target is untouched and the temporary file is gone. A new file gets the
// usual mode (0666 less the umask); a replaced file keeps its mode; a symbolic link stays and
// the file it names is replaced.
AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace config
