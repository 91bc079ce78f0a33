#include "namelist/Sorting.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Collation.h"

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

// A row's collation key inside one shared buffer, with its first eight bytes
// as a number so that most comparisons never touch the buffer.
struct KeyedRow {
    uint64_t head;
    size_t offset;
    uint32_t length;
    int32_t row;
    bool folder;
};

uint64_t HeadOf(const char* bytes, size_t length) {
    uint64_t head = 0;
    for (size_t i = 0; i < 8; ++i) head = (head << 8) | (i < length ? static_cast<unsigned char>(bytes[i]) : 0u);
    return head;
}

int CompareKeyed(const KeyedRow& a, const KeyedRow& b, const std::string& keys) {
    if (a.folder != b.folder) return a.folder ? 1 : -1;
    if (a.head != b.head) return a.head < b.head ? -1 : 1;
    if (a.length <= 8 || b.length <= 8) return Order(a.length, b.length);
    size_t common = std::min(a.length, b.length) - 8;
    int r = std::memcmp(keys.data() + a.offset + 8, keys.data() + b.offset + 8, common);
    if (r) return r < 0 ? -1 : 1;
    return Order(a.length, b.length);
}

// The text sort builds each row's key once; comparing keys is then a memcmp.
std::vector<int> TextOrderOf(const NameList& list, int column, bool ascending, bool logical) {
    const TextOrder order = logical ? TextOrder::Logical : TextOrder::Plain;
    const int n = list.size();
    std::string keys;
    std::vector<KeyedRow> rows(n);
    for (int r = 0; r < n; ++r) {
        size_t offset = keys.size();
        if (column == ColOldName)
            AppendSortKey(list.oldName(r), order, keys);
        else if (column == ColNewName)
            AppendSortKey(list.newName(r), order, keys);
        else
            AppendSortKey(list.text(r, column), order, keys);
        rows[r] = {0, offset, static_cast<uint32_t>(keys.size() - offset), r, list.isFolder(r)};
    }
    for (KeyedRow& k : rows) k.head = HeadOf(keys.data() + k.offset, k.length);
    std::stable_sort(rows.begin(), rows.end(), [&](const KeyedRow& a, const KeyedRow& b) {
        int c = CompareKeyed(a, b, keys);
        return ascending ? c < 0 : c > 0;
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

int CompareRows(const NameList& list, int a, int b, int column, bool logical) {
    if (IsTextColumn(column)) {
        if (list.isFolder(a) != list.isFolder(b)) return list.isFolder(a) ? 1 : -1;
        return CompareText(list.text(a, column), list.text(b, column), logical ? TextOrder::Logical : TextOrder::Plain);
    }
    switch (column) {
        case ColSize: return Order(list.sizeBytes(a), list.sizeBytes(b));
        case ColModified: return Order(list.modified(a), list.modified(b));
        case ColCreated: return Order(list.created(a), list.created(b));
        default: return 0;
    }
}

void SortRows(NameList& list, int column, bool ascending, bool logical) {
    if (list.size() < 2) return;
    if (IsTextColumn(column))
        list.reorder(TextOrderOf(list, column, ascending, logical));
    else if (column == ColSize || column == ColModified || column == ColCreated)
        list.reorder(NumberOrderOf(list, column, ascending));
    // Any other column finds all rows equal: a stable sort leaves them as they are.
}

void SortList(Workspace& ws, int column, bool ascending) {
    ws.SortColumn = column;
    ws.SortAscending = ascending;
    SortRows(ws.list, column, ascending, ws.settings().SortLikeWindows == 1);
}

}  // namespace quirnel
