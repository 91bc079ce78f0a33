#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "ListBuilder.h"
#include "MediaSamples.h"
#include "TestSupport.h"
#include "metadata/MediaCache.h"
#include "namelist/TakenSort.h"

namespace quirnel {
namespace {

using test::TempDir;

TEST(MediaCache, KeepsFieldsUntilTheFileChanges) {
    TempDir dir;
    std::atomic<int> reads{0};
    MediaCache cache([&](const std::u16string& p) {
        ++reads;
        return ReadMediaFields(p);
    });
    std::vector<MediaFile> paths;
    for (int i = 0; i < 300; ++i) {
        const std::string name = "p" + std::to_string(i) + ".jpg";
        test::WriteJpeg(dir / name, {{"Exif.Image.Model", "M" + std::to_string(i)}});
        paths.push_back(MediaFileAt(dir.u16(name)));
    }
    paths.push_back(MediaFile{});                         // a folder row
    paths.push_back(MediaFile{dir.u16("missing.jpg"), 1, 1});  // gone from the disk
    std::vector<MediaFields> first = cache.fieldsOf(paths, 4);
    ASSERT_EQ(first.size(), paths.size());
    for (int i = 0; i < 300; ++i) ASSERT_EQ(first[i].model, u"M" + FromNative(std::to_string(i)));
    EXPECT_NE(first.back().error, u"");
    EXPECT_EQ(reads, 301);
    EXPECT_EQ(cache.fieldsOf(paths, 4), first);
    EXPECT_EQ(reads, 302) << "only the file that could not be read is tried again";
    test::WriteJpeg(dir / "p7.jpg", {{"Exif.Image.Model", "changed, and so longer"}});
    EXPECT_EQ(cache.fieldsOf(paths, 1)[7].model, u"M7") << "the list has not seen the change";
    paths[7] = MediaFileAt(paths[7].path);
    EXPECT_EQ(cache.fieldsOf(paths, 1)[7].model, u"changed, and so longer");
    EXPECT_EQ(reads, 305) << "p7, and the missing file each time";
}

TEST(MediaCache, ProgressIsToldAndCanStopTheReading) {
    // Readers past `holdAfter` wait until `released`, however the threads are
    // scheduled, so what is checked comes from the progress and not from luck.
    std::atomic<int> reads{0};
    std::atomic<int> holdAfter{1000};
    std::atomic<bool> released{false};
    auto reader = [&](const std::u16string& p) {
        if (++reads > holdAfter)
            for (int i = 0; i < 5000 && !released; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        MediaFields f;
        f.model = p;
        return f;
    };
    std::vector<MediaFile> files;
    for (int i = 0; i < 2000; ++i) files.push_back(MediaFile{u"/f" + FromNative(std::to_string(i)), 1, 1});
    MediaCache cache(reader);
    std::vector<size_t> seen;
    auto all = cache.fieldsOf(files, 2, [&](size_t done, size_t total) {
        EXPECT_EQ(total, files.size());
        EXPECT_TRUE(seen.empty() || done >= seen.back()) << "progress never goes back";
        seen.push_back(done);
        if (done >= 768) released = true;
        return true;
    });
    EXPECT_TRUE(released) << "the files done were told while the readers were held";
    EXPECT_EQ(seen.back(), files.size());
    EXPECT_EQ(all[1999].model, u"/f1999");

    reads = 0;
    holdAfter = 600;
    released = false;
    MediaCache stopped(reader);
    auto some = stopped.fieldsOf(files, 2, [&](size_t done, size_t) {
        if (done < 512) return true;
        released = true;
        return false;
    });
    EXPECT_TRUE(released);
    EXPECT_EQ(some.back().model, u"") << "rows after the stop are not read";
    EXPECT_LT(reads, 700);
    EXPECT_EQ(stopped.keptCount(), static_cast<size_t>(reads.load()));
}

TEST(TakenSort, OrdersByTheMomentAndPutsRowsWithoutADateLast) {
    auto list = test::MakeList({{u"none1"}, {u"tokyo"}, {u"late"}, {u"none2"}, {u"early"}});
    std::vector<MediaFields> f(5);
    const int64_t noon = 1700000000;
    f[1].taken = TakenTime{noon + 9 * 3600, 540};  // noon UTC, written in Tokyo
    f[2].taken = TakenTime{noon + 3600};
    f[4].taken = TakenTime{noon - 3600};
    SortRowsByTaken(*list, f, true);
    EXPECT_EQ(test::NewNames(*list), (std::vector<std::u16string>{u"early", u"tokyo", u"late", u"none1", u"none2"}));
    auto again = test::MakeList({{u"none1"}, {u"tokyo"}, {u"late"}, {u"none2"}, {u"early"}});
    SortRowsByTaken(*again, f, false);
    EXPECT_EQ(test::NewNames(*again), (std::vector<std::u16string>{u"late", u"tokyo", u"early", u"none1", u"none2"}));
}

}  // namespace
}  // namespace quirnel
