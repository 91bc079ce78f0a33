// The cost of never showing a partial copy: CopyFileExclusive (data into an
// unnamed file, linked to its name when complete) against a direct write
// into the final name (open O_EXCL, copy_file_range, mode and times), on a
// large file, in each folder given (default: /dev/shm and /tmp, a tmpfs and
// a disk). Rounds alternate the two ways; medians and their ratio are printed,
// for the copy as the program makes it and with the data written to the disk
// (a sync after the copy, timed too).
// Usage: copy_bench [SIZE_MB [ROUNDS [FOLDER...]]]   (default 1024 5)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/FileOps.h"
#include "platform/NativeText.h"

using namespace quirnel;

namespace {

// The plain way: bytes straight into the final name.
int DirectCopy(const std::string& from, const std::string& to) {
    int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return errno;
    struct stat st;
    fstat(in, &st);
    int out = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        close(in);
        return errno;
    }
    int e = 0;
    for (;;) {
        ssize_t n = copy_file_range(in, nullptr, out, nullptr, 1 << 20, 0);
        if (n < 0) e = errno;
        if (n <= 0) break;
    }
    fchmod(out, st.st_mode & 07777);
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    futimens(out, times);
    close(out);
    close(in);
    return e;
}

bool SameSizeAndSample(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0 || sa.st_size != sb.st_size) return false;
    char x[4096], y[4096];
    int fa = open(a.c_str(), O_RDONLY), fb = open(b.c_str(), O_RDONLY);
    bool same = true;
    for (off_t at : {off_t{0}, sa.st_size / 2, std::max<off_t>(0, sa.st_size - 4096)})
        same = same && pread(fa, x, sizeof x, at) == pread(fb, y, sizeof y, at) && memcmp(x, y, sizeof x) == 0;
    close(fa);
    close(fb);
    return same;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void MakeSource(const std::string& path, size_t bytes) {
    std::string block(1 << 20, '\0');
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (size_t done = 0; done < bytes; done += block.size()) {
        for (size_t i = 0; i + 8 <= block.size(); i += 8) {
            uint64_t word = done + i;
            memcpy(&block[i], &word, sizeof word);
        }
        if (write(fd, block.data(), std::min(block.size(), bytes - done)) < 0) break;
    }
    close(fd);
}

void Compare(const std::string& folder, size_t megabytes, int rounds) {
    std::string dir = folder + "/quirnel-copy-bench-XXXXXX";
    if (!mkdtemp(dir.data())) {
        printf("%-10s cannot make a folder here\n", folder.c_str());
        return;
    }
    const std::string source = dir + "/source", target = dir + "/copy";
    MakeSource(source, megabytes << 20);
    std::vector<double> direct, linked, directSynced, linkedSynced;
    bool ok = true;
    for (int r = 0; r < 2 * rounds; ++r) {
        const bool viaLink = r % 2 == 1;
        unlink(target.c_str());
        sync();  // each round starts with nothing left to write back
        auto start = std::chrono::steady_clock::now();
        int e = viaLink ? CopyFileExclusive(FromNative(source), FromNative(target)).error : DirectCopy(source, target);
        auto copied = std::chrono::steady_clock::now();
        sync();
        auto synced = std::chrono::steady_clock::now();
        ok = ok && e == 0 && SameSizeAndSample(source, target);
        (viaLink ? linked : direct).push_back(std::chrono::duration<double, std::milli>(copied - start).count());
        (viaLink ? linkedSynced : directSynced).push_back(std::chrono::duration<double, std::milli>(synced - start).count());
    }
    unlink(target.c_str());
    unlink(source.c_str());
    rmdir(dir.c_str());
    double d = Median(direct), l = Median(linked), ds = Median(directSynced), ls = Median(linkedSynced);
    printf("%-9s %5zu MB  copy: direct %7.1f ms, unnamed+link %7.1f ms, ratio %.3f   "
           "with sync: %7.1f ms, %7.1f ms, ratio %.3f%s\n",
           folder.c_str(), megabytes, d, l, l / d, ds, ls, ls / ds, ok ? "" : "  WRONG COPY");
}

}  // namespace

int main(int argc, char** argv) {
    size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1024;
    int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    std::vector<std::string> folders;
    for (int i = 3; i < argc; ++i) folders.push_back(argv[i]);
    if (folders.empty()) folders = {"/dev/shm", "/tmp"};
    printf("medians of %d rounds each, the two ways alternating\n", rounds);
    for (const auto& f : folders) Compare(f, megabytes, rounds);
    return 0;
}
