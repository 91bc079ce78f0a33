// Naming from what files hold, from adding the folder to the new names:
//   photos  N JPEGs (copies of one small sample, each with its own EXIF
//           date), Add Prefix with the date taken;
//   songs   M MP3s with ID3v2 tags, Add Prefix "{artist} - {title} ";
//   again   the photo command a second time on the same workspace, when the
//           cache holds every row.
// Each run gets a fresh workspace; medians of three, and the new names are
// checked so a fast wrong run does not count.
// Usage: media_bench [PHOTOS] [SONGS] [DIR]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
    double seconds;
    double again = 0;
    bool right;
};

Run Time(const std::string& dir, int sub, const std::u16string& arg, const std::u16string& expectPrefix, bool twice) {
    AppState app;
    app.settings.LoadType = 1;
    app.settings.AutoSort = 0;
    QuietHost host(false);
    Workspace ws(app.settings, app.flags, host, PathStyle::forPosix());
    auto t0 = Clock::now();
    AddPathList(ws, {FromNative(dir)});
    (void)RunCommand(ws, CmdAddPrefix, sub, arg, u"");
    Run run{Seconds(t0), 0, ws.list.size() > 0};
    for (int r = 0; r < ws.list.size(); ++r)
        run.right = run.right && ws.list.newName(r).compare(0, expectPrefix.size(), expectPrefix) == 0;
    if (twice) {
        auto t1 = Clock::now();
        (void)RunCommand(ws, CmdAddPrefix, sub, arg, u"");
        run.again = Seconds(t1);
    }
    return run;
}

void Report(const char* what, int files, const std::string& dir, int sub, const std::u16string& arg,
            const std::u16string& prefix, bool twice) {
    std::vector<double> times, again;
    bool right = true;
    for (int i = 0; i < 3; ++i) {
        Run r = Time(dir, sub, arg, prefix, twice);
        times.push_back(r.seconds);
        again.push_back(r.again);
        right = right && r.right;
    }
    printf("%s: %d files, add + command median %.3f s%s\n", what, files, Median(times), right ? "" : " (WRONG NAMES)");
    if (twice) printf("%s: the command again, from the cache, median %.3f s\n", what, Median(again));
}

}  // namespace

int main(int argc, char** argv) {
    const int photos = argc > 1 ? atoi(argv[1]) : 100000;
    const int songs = argc > 2 ? atoi(argv[2]) : 10000;
    const std::string root = (argc > 3 ? std::string(argv[3]) : std::string("/dev/shm")) + "/quirnel-media-bench";
    std::filesystem::remove_all(root);
    MakePhotos(root + "/photos", photos);
    MakeSongs(root + "/songs", songs);
    Report("photos, date taken", photos, root + "/photos", sub::AddTakenDate, u"%Y%m%d_", u"202307", true);
    Report("songs, {artist} - {title}", songs, root + "/songs", sub::AddFromTags, u"{artist} - {title} ", u"Artist - Title ",
           false);
    std::filesystem::remove_all(root);
    return 0;
}
