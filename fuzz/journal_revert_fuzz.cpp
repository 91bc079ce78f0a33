// Journals written at random over a small tree, well made or damaged (a
// path that leaves the tree, a temporary name or a folder elsewhere, a
// changed byte, a cut), then reverted, and the revert reverted: nothing
// outside the tree is ever created, removed or moved, although a folder
// beside it holds entries of the same names.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "FuzzInput.h"
#include "apply/Journal.h"
#include "apply/JournalChecksum.h"
#include "apply/JournalFormat.h"
#include "apply/Revert.h"
#include "platform/EntryIds.h"
#include "platform/NativeText.h"

using namespace quirnel;
namespace fs = std::filesystem;

namespace {

const char* const kNames[] = {"a", "b", "c", "sub", "sub/a", "sub/b", "d", "new/x", "new/deeper/y", ".quirnel-cycle-0"};

struct Sandbox {
    Sandbox() {
        char shm[] = "/dev/shm/quirnel-revert-fuzz-XXXXXX";
        char tmp[] = "/tmp/quirnel-revert-fuzz-XXXXXX";
        const char* made = mkdtemp(shm);
        root = made ? made : mkdtemp(tmp);
        for (const char* side : {"in", "out"})
            for (const char* name : {"a", "b", "c", "sub/a", "sub/b", ".quirnel-cycle-0"}) {
                fs::create_directories(fs::path(root + "/" + side + "/" + name).parent_path());
                std::ofstream(root + "/" + side + "/" + name) << side << name;
            }
    }
    ~Sandbox() { fs::remove_all(root); }
    std::string in(const std::string& name) const { return root + "/in/" + name; }
    std::string root;
};

// Every entry below a folder: its inode and content.
std::map<std::string, std::pair<ino_t, std::string>> Snapshot(const std::string& dir) {
    std::map<std::string, std::pair<ino_t, std::string>> out;
    for (auto& e : fs::recursive_directory_iterator(dir)) {
        struct stat st;
        lstat(e.path().c_str(), &st);
        std::string content;
        if (e.is_regular_file()) {
            std::ifstream f(e.path(), std::ios::binary);
            content.assign(std::istreambuf_iterator<char>(f), {});
        }
        out[e.path().string()] = {st.st_ino, content};
    }
    return out;
}

std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    for (auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Escaped(const std::string& path) { return EscapeJournalText(path); }

std::string Number(uint64_t v) { return std::to_string(v); }

// A path of the tree, now and then damaged in one of the ways a reader must refuse.
std::string PathOf(fuzz::FuzzInput& in, const Sandbox& box) {
    std::string p = box.in(kNames[in.Byte() % std::size(kNames)]);
    switch (in.Byte() % 16) {
        case 0: return "in/" + p.substr(p.rfind('/') + 1);          // relative
        case 1: return box.root + "/in/../out/" + p.substr(p.rfind('/') + 1);
        case 2: return box.root + "/in/./" + p.substr(p.rfind('/') + 1);
        case 3: return box.root + "//out/" + p.substr(p.rfind('/') + 1);
        case 4: return p + std::string(1, '\0') + "x";
        default: return p;
    }
}

struct Step {
    std::string from, to;
};

std::string Journal(fuzz::FuzzInput& in, const Sandbox& box, bool v2) {
    const int kind = in.Byte() % 3;
    std::vector<std::string> batches(1);
    std::string& plan = batches[0];
    plan = std::string(v2 ? journal::kMagicV2 : journal::kMagicV1) + "\nkind\t" +
           (kind == 0 ? "rename" : kind == 1 ? "copy" : "remove") + "\n";
    std::vector<Step> steps(1 + in.Byte() % 5);
    for (size_t n = 0; n < steps.size(); ++n) {
        Step& s = steps[n];
        s.from = PathOf(in, box);
        s.to = PathOf(in, box);
        const int whose = in.Byte() % 3;
        EntryId id = whose == 0 ? LookUpEntryId(FromNative(s.to)) : whose == 1 ? LookUpEntryId(FromNative(s.from)) : EntryId{1, 2};
        plan += "S\t" + Number(n) + "\t" + Number(id.dev) + "\t" + Number(id.ino) + (in.Flag() ? "\tfolder\t" : "\tfile\t") +
                Escaped(s.from) + "\t" + Escaped(s.to) + "\n";
    }
    if (in.Byte() % 8 != 0) plan += "P\n";
    const int events = in.Byte() % 10;
    for (int e = 0; e < events; ++e) {
        if (in.Flag()) batches.emplace_back();
        std::string& b = batches.back();
        const size_t n = in.Byte() % (steps.size() + 1);  // now and then a step that is not
        const std::string step = Number(n);
        const Step& s = steps[std::min(n, steps.size() - 1)];
        switch (in.Byte() % 10) {
            case 0: b += "K\t" + step + "\n"; break;
            case 1: b += "F\t" + step + "\t17\n"; break;
            case 2: b += "B\t" + step + "\n"; break;
            case 3: {
                EntryId id = LookUpEntryId(FromNative(s.to));
                b += "M\t" + step + "\t" + Number(id.dev) + "\t" + Number(id.ino) + "\n";
                break;
            }
            case 4: {
                EntryStamp c = LookUpStamp(FromNative(s.to));
                b += "C\t" + step + "\t" + Number(c.id.dev) + "\t" + Number(c.id.ino) + "\t" + Number(c.size) + "\t" +
                     std::to_string(c.mtimeNs) + "\n";
                break;
            }
            case 5: {
                const std::string folder = in.Flag() ? s.from.substr(0, s.from.rfind('/')) : box.root + "/out";
                b += "T\t" + step + "\t" + Escaped(folder + "/.quirnel-cycle-" + Number(in.Byte())) + "\n";
                break;
            }
            case 6: {
                const int where = in.Byte() % 4;
                const std::string f = where == 0 ? box.in("new") : where == 1 ? box.in("new/deeper")
                                      : where == 2 ? box.root : box.root + "/out";
                b += "D\t" + Escaped(f) + "\n";
                break;
            }
            case 7: b += "W\t" + std::to_string(WallClockNs()) + "\n"; break;
            case 8: b += "E\n"; break;
            default: b += "X\tsettled\n"; break;
        }
    }
    std::string out;
    uint32_t chain = 0;
    for (const std::string& b : batches) {
        out += b;
        if (!v2) continue;
        chain = Crc32c(chain, b);
        journal::AppendChecksumLine(out, static_cast<size_t>(std::count(b.begin(), b.end(), '\n')), chain);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    Sandbox box;
    const bool v2 = in.Byte() % 4 != 0;
    std::string text = Journal(in, box, v2);
    // A changed byte or a cut, only where a checksum stands guard: version 1
    // has none, and a changed path there is one the run might have named.
    const int damage = v2 ? in.Byte() % 4 : 0;
    const size_t at = text.empty() ? 0 : (in.Byte() | in.Byte() << 8) % text.size();
    if (damage == 1) text[at] = static_cast<char>(text[at] ^ (1 + in.Byte() % 255));
    if (damage == 2) text.resize(at);
    const std::string journal = box.root + "/run.journal";
    std::ofstream(journal, std::ios::binary) << text;

    const auto outside = Snapshot(box.root + "/out");
    fuzz::SilentHost host;
    const JournalPlace place{FromNative(box.root + "/journals"), {}};
    RevertOutcome first = RevertJournal(FromNative(journal), place, host);
    if (!first.ownJournal.empty()) (void)RevertJournal(first.ownJournal, place, host);
    FUZZ_CHECK(Snapshot(box.root + "/out") == outside);
    for (const std::string& name : Entries(box.root))
        FUZZ_CHECK(name == "in" || name == "out" || name == "journals" || name == "run.journal");
    return 0;
}
