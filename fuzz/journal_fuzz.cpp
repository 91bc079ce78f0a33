// The journal reader on any bytes, read from a real file: it never crashes,
// and what it accepts names only paths a run can have written, and steps
// only under a sealed plan.
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include "FuzzInput.h"
#include "apply/Journal.h"
#include "platform/NativeText.h"

using namespace quirnel;

namespace {

// Made once, removed at exit.
struct Folder {
    Folder() {
        char shm[] = "/dev/shm/quirnel-journal-fuzz-XXXXXX";
        char tmp[] = "/tmp/quirnel-journal-fuzz-XXXXXX";
        const char* made = mkdtemp(shm);
        path = made ? made : mkdtemp(tmp);
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::string path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Folder folder;
    const std::string path = folder.path + "/input.journal";
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return 0;
    const bool written = write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    if (!written) return 0;
    JournalRecord r;
    if (!ReadJournal(FromNative(path), r)) return 0;
    FUZZ_CHECK(r.planComplete || (r.steps.empty() && r.folders.empty()));
    for (const JournalStep& s : r.steps) FUZZ_CHECK(IsPlainAbsolute(s.from) && IsPlainAbsolute(s.to));
    for (const std::u16string& f : r.folders) FUZZ_CHECK(IsPlainAbsolute(f));
    FUZZ_CHECK(r.reverts.empty() || IsPlainAbsolute(r.reverts));
    return 0;
}
