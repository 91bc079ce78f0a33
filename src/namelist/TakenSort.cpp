#include "namelist/TakenSort.h"

#include <algorithm>
#include <numeric>
#include <optional>

#include "namelist/MediaRows.h"

namespace quirnel {

void SortRowsByTaken(NameList& list, const std::vector<MediaFields>& fields, bool ascending) {
    std::vector<std::optional<TakenTime>> taken(list.size());
    for (int r = 0; r < list.size(); ++r) taken[r] = fields[r].taken;
    SortRowsByTaken(list, taken, ascending);
}

void SortRowsByTaken(NameList& list, const std::vector<std::optional<TakenTime>>& taken, bool ascending) {
    std::vector<std::optional<int64_t>> key(list.size());
    for (int r = 0; r < list.size(); ++r)
        if (const auto& t = taken[r]) key[r] = t->wallSeconds - int64_t{t->offsetMinutes.value_or(0)} * 60;
    std::vector<int> order(list.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (!key[a] || !key[b]) return key[a].has_value() && !key[b];
        return ascending ? *key[a] < *key[b] : *key[b] < *key[a];
    });
    list.reorder(order);
}

void SortListByTaken(Workspace& ws, bool ascending) {
    SortRowsByTaken(ws.list, ws.media.fieldsOf(MediaFilesOf(ws.list)), ascending);
}

}  // namespace quirnel
