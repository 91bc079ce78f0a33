#pragma once
// The plan every renamer of whole_run_bench carries out, and the trees it
// runs on: names as a camera card and a download folder hold them; "holiday"
// becomes "trip" and every extension is lower-cased, which changes four
// names in five. Two shapes: one flat folder, or folders of 1,000 files.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace quirnel::bench {

enum class Shape { Flat, Tree };
inline const char* ShapeName(Shape s) { return s == Shape::Flat ? "flat" : "tree"; }

constexpr int kPerFolder = 1000;

inline std::string PlanFolder(Shape shape, int i) {
    return shape == Shape::Flat ? "card" : "album " + std::to_string(i / kPerFolder);
}

inline std::string PlanOldName(int i) {
    char buf[64];
    switch (i % 5) {
    case 0: snprintf(buf, sizeof buf, "IMG_%07d holiday.jpg", i); break;
    case 1: snprintf(buf, sizeof buf, "DSC%07d.JPG", i); break;
    case 2: snprintf(buf, sizeof buf, "Scan %07d - holiday copy.PNG", i); break;
    case 3: snprintf(buf, sizeof buf, "IMG_%07d.jpg", i); break;  // stays as it is
    default: snprintf(buf, sizeof buf, "Document %07d (holiday).PDF", i); break;
    }
    return buf;
}

// The plan applied to one name, as a loop written by hand would.
inline std::string PlanRenamed(std::string name) {
    if (size_t at = name.find("holiday"); at != std::string::npos) name.replace(at, 7, "trip");
    if (size_t dot = name.rfind('.'); dot != std::string::npos)
        for (size_t k = dot + 1; k < name.size(); ++k)
            name[k] = static_cast<char>(tolower(static_cast<unsigned char>(name[k])));
    return name;
}

inline std::string PlanNewName(int i) { return PlanRenamed(PlanOldName(i)); }

struct PlanTree {
    PlanTree(const std::string& under, Shape shape, int files, const char* tag) : shape(shape), files(files) {
        std::string tmpl = under + "/quirnel-" + tag + "-XXXXXX";
        if (!mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a folder in " + under);
        root = tmpl;
        int dir = -1;
        for (int i = 0; i < files; ++i) {
            if (i == 0 || (shape == Shape::Tree && i % kPerFolder == 0)) {
                if (dir >= 0) close(dir);
                const std::string folder = root + "/" + PlanFolder(shape, i);
                mkdir(folder.c_str(), 0755);
                dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
            }
            int fd = openat(dir, PlanOldName(i).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
            if (fd < 0) {
                std::string reason = strerror(errno);
                if (dir >= 0) close(dir);
                std::filesystem::remove_all(root);
                throw std::runtime_error("creating a tree of " + std::to_string(files) + " files: " + reason);
            }
            close(fd);
        }
        if (dir >= 0) close(dir);
    }
    ~PlanTree() { std::filesystem::remove_all(root); }
    PlanTree(const PlanTree&) = delete;
    PlanTree& operator=(const PlanTree&) = delete;

    // Exactly the expected names in every folder, nothing more or less.
    bool Holds(std::string (*name)(int)) const {
        std::vector<std::string> want, have;
        want.reserve(files);
        have.reserve(files);
        for (int i = 0; i < files; ++i) want.push_back(PlanFolder(shape, i) + "/" + name(i));
        for (auto& e : std::filesystem::recursive_directory_iterator(root))
            if (!e.is_directory()) have.push_back(std::filesystem::relative(e.path(), root).string());
        std::sort(want.begin(), want.end());
        std::sort(have.begin(), have.end());
        return want == have;
    }

    Shape shape;
    int files;
    std::string root;
};

}  // namespace quirnel::bench
