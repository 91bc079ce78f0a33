// Naming from what files hold, from adding the folder to the new names:
//   photos  N JPEGs (copies of one small sample, each with its own EXIF
//           date), Add Prefix with the date taken;
//   songs   M MP3s with ID3v2 tags, Add Prefix "{artist} - {title} ";
//   again   the photo command a second time on the same workspace, when the
//           cache holds every row.
//   exiftool `exiftool -p '$DateTimeOriginal' -r` over the photos, when it is
//           installed (make bench-deps), timed once between our runs (it
//           takes minutes);
//   memory  the heap the command leaves behind, less that of a command that
//           adds a text as long and reads nothing, a row.
// Each run gets a fresh workspace; medians of five, and the new names are
// checked so a fast wrong run does not count.
// Usage: media_bench [PHOTOS] [SONGS] [DIR]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <string>
#include <vector>

#include "../tests/core/metadata/MediaSamples.h"
#include "app/AppState.h"
#include "base/QuietHost.h"
#include "namelist/AddItems.h"
#include "platform/NativeText.h"
#include "run/RunCommand.h"

using namespace quirnel;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }
double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string Slurp(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Copies of one photo whose date differs by day: the date text is patched in place.
void MakePhotos(const std::string& dir, int count) {
    std::filesystem::create_directories(dir);
    test::WriteJpeg(dir + "/sample.tmp", {{"Exif.Photo.DateTimeOriginal", "2023:07:04 09:05:31"},
                                          {"Exif.Image.Make", "Maker"}, {"Exif.Image.Model", "Model 1"}});
    std::string sample = Slurp(dir + "/sample.tmp");
    std::filesystem::remove(dir + "/sample.tmp");
    const size_t at = sample.find("2023:07:04");
    for (int i = 0; i < count; ++i) {
        std::string copy = sample;
        char day[3];
        snprintf(day, sizeof day, "%02d", 1 + i % 28);
        copy.replace(at + 8, 2, day);
        std::ofstream(dir + "/p" + std::to_string(i) + ".jpg", std::ios::binary) << copy;
    }
}

void MakeSongs(const std::string& dir, int count) {
    std::filesystem::create_directories(dir);
    for (int i = 0; i < count; ++i)
        test::WriteMp3(dir + "/s" + std::to_string(i) + ".mp3", {"Artist", "Album", "Title " + std::to_string(i), 1, 2000});
}

struct Run {
    double seconds = 0;
    double again = 0;
    double added = 0;  // of seconds, adding the folder
    bool right = false;
    long long heap = 0;  // left behind by the command
    size_t kept = 0;     // what the cache says it keeps
};

long long HeapInUse() { return static_cast<long long>(mallinfo2().uordblks); }

Run Time(const std::string& dir, int sub, const std::u16string& arg, const std::u16string& expectPrefix, bool twice) {
    AppState app;
    app.settings.LoadType = 1;
    app.settings.AutoSort = 0;
    QuietHost host(false);
    Workspace ws(app.settings, app.flags, host, PathStyle::forPosix());
    auto t0 = Clock::now();
    AddPathList(ws, {FromNative(dir)});
    const double added = Seconds(t0);
    malloc_trim(0);
    const long long before = HeapInUse();
    (void)RunCommand(ws, CmdAddPrefix, sub, arg, u"");
    Run run{Seconds(t0), 0, added, ws.list.size() > 0, HeapInUse() - before, ws.media.keptBytes()};
    for (int r = 0; r < ws.list.size(); ++r)
        run.right = run.right && ws.list.newName(r).compare(0, expectPrefix.size(), expectPrefix) == 0;
    if (twice) {
        auto t1 = Clock::now();
        (void)RunCommand(ws, CmdAddPrefix, sub, arg, u"");
        run.again = Seconds(t1);
    }
    return run;
}

bool HaveExiftool() { return std::system("exiftool -ver >/dev/null 2>&1") == 0; }

double TimeExiftool(const std::string& dir) {
    auto t0 = Clock::now();
    const std::string cmd = "exiftool -q -p '$DateTimeOriginal' -r '" + dir + "' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) return -1;
    return Seconds(t0);
}

constexpr int kRuns = 5;

// plainSub/plainArg: a command that adds a text of the same length and reads nothing.
void Report(const char* what, int files, const std::string& dir, int sub, const std::u16string& arg,
            const std::u16string& prefix, int plainSub, const std::u16string& plainArg, bool exiftool) {
    const bool twice = true;
    std::vector<double> times, again, added, other;
    std::vector<long long> heap;
    size_t kept = 0;
    bool right = true;
    for (int i = 0; i < kRuns; ++i) {
        Run r = Time(dir, sub, arg, prefix, twice);
        times.push_back(r.seconds);
        again.push_back(r.again);
        added.push_back(r.added);
        heap.push_back(r.heap);
        kept = r.kept;
        right = right && r.right;
        if (exiftool && i == 0) other.push_back(TimeExiftool(dir));  // minutes a run: once, between ours
    }
    std::vector<long long> plain;
    for (int i = 0; i < kRuns; ++i) plain.push_back(Time(dir, plainSub, plainArg, u"", false).heap);
    std::sort(heap.begin(), heap.end());
    std::sort(plain.begin(), plain.end());
    printf("%s: %d files, add + command median %.3f s (adding alone %.3f s)%s\n", what, files, Median(times),
           Median(added), right ? "" : " (WRONG NAMES)");
    if (twice) printf("%s: the command again, from the cache, median %.3f s\n", what, Median(again));
    printf("%s: memory, heap left a row %.1f bytes more than a command that reads nothing; the cache keeps %.1f bytes a row\n",
           what, double(heap[kRuns / 2] - plain[kRuns / 2]) / files, double(kept) / files);
    if (exiftool)
        printf("%s: exiftool -p '$DateTimeOriginal' -r, one run, %.3f s, %.1fx our median\n", what, Median(other),
               Median(other) / Median(times));
}

}  // namespace

int main(int argc, char** argv) {
    const int photos = argc > 1 ? atoi(argv[1]) : 100000;
    const int songs = argc > 2 ? atoi(argv[2]) : 10000;
    const std::string root = (argc > 3 ? std::string(argv[3]) : std::string("/dev/shm")) + "/quirnel-media-bench";
    std::filesystem::remove_all(root);
    MakePhotos(root + "/photos", photos);
    MakeSongs(root + "/songs", songs);
    const bool exiftool = HaveExiftool();
    if (!exiftool) printf("exiftool is not installed (make bench-deps): no comparison\n");
    Report("photos, date taken", photos, root + "/photos", sub::AddTakenDate, u"%Y%m%d_", u"202307", sub::AddModifiedDate,
           u"%Y%m%d_", exiftool);
    Report("songs, {artist} - {title}", songs, root + "/songs", sub::AddFromTags, u"{artist} - {title} ", u"Artist - Title ",
           sub::AddString, u"Artist - Title 1234 ", false);
    std::filesystem::remove_all(root);
    return 0;
}
