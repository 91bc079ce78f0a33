#include "app/ColumnShares.h"

#include <algorithm>
#include <cstdint>

namespace quirnel {
namespace {

// Gives `rest` to the columns of one rank toward their needs; returns what is left.
int GrowRank(int rank, int rest, const std::vector<SharedColumn>& cols, std::vector<int>& w) {
    int64_t lacking = 0;
    for (size_t i = 0; i < cols.size(); ++i)
        if (cols[i].rank == rank) lacking += std::max(0, cols[i].need - w[i]);
    if (lacking == 0) return rest;
    if (lacking <= rest) {
        for (size_t i = 0; i < cols.size(); ++i)
            if (cols[i].rank == rank) w[i] = std::max(w[i], cols[i].need);
        return rest - static_cast<int>(lacking);
    }
    int given = 0;
    for (size_t i = 0; i < cols.size(); ++i) {
        if (cols[i].rank != rank) continue;
        const int part = static_cast<int>(int64_t{rest} * std::max(0, cols[i].need - w[i]) / lacking);
        w[i] += part;
        given += part;
    }
    return rest - given;
}

}  // namespace

std::vector<int> ShareWidths(int available, const std::vector<SharedColumn>& cols) {
    std::vector<int> w;
    int rest = available;
    for (const SharedColumn& c : cols) {
        w.push_back(c.floor);
        rest -= c.floor;
    }
    if (rest <= 0) return w;
    std::vector<int> ranks;
    for (const SharedColumn& c : cols) ranks.push_back(c.rank);
    std::sort(ranks.begin(), ranks.end());
    ranks.erase(std::unique(ranks.begin(), ranks.end()), ranks.end());
    for (int rank : ranks) rest = GrowRank(rank, rest, cols, w);
    int weights = 0;
    for (const SharedColumn& c : cols) weights += std::max(0, c.weight);
    if (rest <= 0 || weights == 0) return w;
    int given = 0;
    for (size_t i = 0; i < cols.size(); ++i) {
        const int part = rest * std::max(0, cols[i].weight) / weights;
        w[i] += part;
        given += part;
    }
    // The pixels that the division rounded away go to the first columns.
    for (size_t i = 0; i < cols.size() && given < rest; ++i)
        if (cols[i].weight > 0) ++w[i], ++given;
    return w;
}

}  // namespace quirnel
