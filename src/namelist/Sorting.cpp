#include "namelist/Sorting.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "namelist/TakenSort.h"
#include "platform/Collation.h"
#include "platform/TaskThread.h"

namespace quirnel {
namespace {

bool IsTextColumn(int column) {
    return column == ColOldName || column == ColNewName || column == ColOldFolder || column == ColNewFolder ||
           column == ColFullPath;
}

template <typename T>
int Order(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// A row's collation key: its first bytes as numbers, so that most
// comparisons never leave this record (a million keys do not fit in a cache
// and are visited in random order), and the rest in a shared buffer.
constexpr size_t kHeadWords = 3;
constexpr size_t kHeadBytes = kHeadWords * 8;

struct KeyedRow {
    uint64_t head[kHeadWords];
    const char* tail;  // the bytes after the head
    uint32_t length;   // of the whole key
    int32_t row;
    bool folder;
};

void SetHead(KeyedRow& k, const char* bytes) {
    for (size_t w = 0; w < kHeadWords; ++w) {
        uint64_t v = 0;
        for (size_t i = w * 8; i < w * 8 + 8; ++i) v = (v << 8) | (i < k.length ? static_cast<unsigned char>(bytes[i]) : 0u);
        k.head[w] = v;
    }
    k.tail = bytes + std::min<size_t>(k.length, kHeadBytes);
}

int CompareKeyed(const KeyedRow& a, const KeyedRow& b) {
    if (a.folder != b.folder) return a.folder ? 1 : -1;
    for (size_t w = 0; w < kHeadWords; ++w)
        if (a.head[w] != b.head[w]) return a.head[w] < b.head[w] ? -1 : 1;
    // Equal heads with a short key: one key is a prefix of the other.
    if (a.length <= kHeadBytes || b.length <= kHeadBytes) return Order(a.length, b.length);
    int r = std::memcmp(a.tail, b.tail, std::min(a.length, b.length) - kHeadBytes);
    if (r) return r < 0 ? -1 : 1;
    return Order(a.length, b.length);
}

// Keys of rows [first, last) into one buffer; tails are set once it stops growing.
void BuildKeys(const NameList& list, int column, TextOrder order, int first, int last, std::string& buffer,
               std::vector<KeyedRow>& rows) {
    std::vector<size_t> offsets;
    offsets.reserve(last - first);
    buffer.reserve(static_cast<size_t>(last - first) * 48);
    for (int r = first; r < last; ++r) {
        offsets.push_back(buffer.size());
        if (column == ColOldName)
            AppendSortKey(list.oldName(r), order, buffer);
        else if (column == ColNewName)
            AppendSortKey(list.newName(r), order, buffer);
        else
            AppendSortKey(list.text(r, column), order, buffer);
    }
    for (int r = first; r < last; ++r) {
        KeyedRow& k = rows[r];
        size_t offset = offsets[r - first];
        size_t end = r + 1 < last ? offsets[r + 1 - first] : buffer.size();
        k.length = static_cast<uint32_t>(end - offset);
        k.row = r;
        k.folder = list.isFolder(r);
        SetHead(k, buffer.data() + offset);
    }
}

// Collation keys are the costly part of a sort of many rows; they are built
// on several cores when the list is long enough to repay the threads.
void BuildAllKeys(const NameList& list, int column, TextOrder order, std::vector<std::string>& buffers,
                  std::vector<KeyedRow>& rows) {
    const int n = list.size();
    int threads = static_cast<int>(std::min(8u, std::max(1u, std::thread::hardware_concurrency())));
    if (n < 20000) threads = 1;
    buffers.resize(threads);
    std::vector<TaskThread> workers;
    for (int t = 1; t < threads; ++t)
        workers.push_back(TaskThread::start([&, t] {
            BuildKeys(list, column, order, n * int64_t(t) / threads, n * int64_t(t + 1) / threads, buffers[t], rows);
        }));
    BuildKeys(list, column, order, 0, n / threads, buffers[0], rows);
    for (auto& w : workers) w.join();
}

// The text sort builds each row's key once; comparing keys is then a memcmp.
std::vector<int> TextOrderOf(const NameList& list, int column, bool ascending, TextOrder order) {
    const int n = list.size();
    std::vector<std::string> buffers;
    std::vector<KeyedRow> rows(n);
    BuildAllKeys(list, column, order, buffers, rows);
    // Equal keys fall back to the old position: the order is that of a stable sort.
    std::sort(rows.begin(), rows.end(), [ascending](const KeyedRow& a, const KeyedRow& b) {
        int c = CompareKeyed(a, b);
        if (c) return ascending ? c < 0 : c > 0;
        return a.row < b.row;
    });
    std::vector<int> result(n);
    for (int i = 0; i < n; ++i) result[i] = rows[i].row;
    return result;
}

// Size and times are numbers in the row; no text is built for them.
std::vector<int> NumberOrderOf(const NameList& list, int column, bool ascending) {
    struct Numbered {
        int64_t value;
        uint64_t size;
        int row;
    };
    const int n = list.size();
    std::vector<Numbered> rows(n);
    for (int r = 0; r < n; ++r) {
        int64_t value = column == ColModified ? list.modified(r) : column == ColCreated ? list.created(r) : 0;
        rows[r] = {value, list.sizeBytes(r), r};
    }
    const bool bySize = column == ColSize;
    std::stable_sort(rows.begin(), rows.end(), [&](const Numbered& a, const Numbered& b) {
        int c = bySize ? Order(a.size, b.size) : Order(a.value, b.value);
        return ascending ? c < 0 : c > 0;
    });
    std::vector<int> result(n);
    for (int i = 0; i < n; ++i) result[i] = rows[i].row;
    return result;
}

}  // namespace

int CompareRows(const NameList& list, int a, int b, int column, TextOrder order) {
    if (IsTextColumn(column)) {
        if (list.isFolder(a) != list.isFolder(b)) return list.isFolder(a) ? 1 : -1;
        return CompareText(list.text(a, column), list.text(b, column), order);
    }
    switch (column) {
        case ColSize: return Order(list.sizeBytes(a), list.sizeBytes(b));
        case ColModified: return Order(list.modified(a), list.modified(b));
        case ColCreated: return Order(list.created(a), list.created(b));
        default: return 0;
    }
}

void SortRows(NameList& list, int column, bool ascending, TextOrder order) {
    if (list.size() < 2) return;
    if (IsTextColumn(column))
        list.reorder(TextOrderOf(list, column, ascending, order));
    else if (column == ColSize || column == ColModified || column == ColCreated)
        list.reorder(NumberOrderOf(list, column, ascending));
    // Any other column finds all rows equal: a stable sort leaves them as they are.
}

bool HeaderClickAscending(const Workspace& ws, int column) { return !(ws.sortColumn == column && ws.sortAscending); }

void SortList(Workspace& ws, int column, bool ascending) {
    ws.sortColumn = column;
    ws.sortAscending = ascending;
    if (column == ColTaken) return SortListByTaken(ws, ascending);
    SortRows(ws.list, column, ascending, IsOn(ws.settings.SortLikeWindows) ? TextOrder::Logical : TextOrder::Plain);
}

}  // namespace quirnel
