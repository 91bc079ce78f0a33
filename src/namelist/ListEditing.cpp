#include "namelist/ListEditing.h"

#include "platform/PathText.h"

namespace quirnel {
namespace {

// The texts the pattern filters search: a file's name without its last
// extension or a folder's whole name; a file's extension without the dot.
std::u16string NameText(const NameList& list, int r) {
    return std::u16string(NamePart(list.oldName(r), list.isFolder(r)));
}

std::u16string ExtText(const NameList& list, int r) { return std::u16string(ExtensionOf(list.oldName(r), list.isFolder(r), Dot::Without)); }

// An empty text never contains a pattern.
bool Found(const PatternFinder& found, const std::u16string& text, const std::u16string& pattern) {
    return !text.empty() && found(text, pattern);
}

std::function<bool(int)> RemovalTest(const NameList& list, int item, const std::u16string& pattern,
                                     const PatternFinder& found) {
    switch (item) {
        case sub::ClearNameHas: return [&](int r) { return Found(found, NameText(list, r), pattern); };
        case sub::ClearNameLacks: return [&](int r) { return !Found(found, NameText(list, r), pattern); };
        case sub::ClearExtHas: return [&](int r) { return Found(found, ExtText(list, r), pattern); };
        case sub::ClearExtLacks: return [&](int r) { return !Found(found, ExtText(list, r), pattern); };
        case sub::ClearSamePath: return [&](int r) { return OldFullPath(list, r) == NewFullPath(list, r); };
        case sub::ClearChangedPath: return [&](int r) { return OldFullPath(list, r) != NewFullPath(list, r); };
        default: return nullptr;
    }
}

bool IsPatternFilter(int item) { return item >= sub::ClearNameHas && item <= sub::ClearExtLacks; }

}  // namespace

void SwapRows(NameList& list, int a, int b) { list.swapRows(a, b); }

std::vector<RowSwap> MoveUp(NameList& list) {
    std::vector<RowSwap> swaps;
    for (int c = 0; c < list.size(); ++c) {
        if (!list.selected(c)) continue;
        if (c == 0) break;
        SwapRows(list, c, c - 1);
        swaps.push_back({c, c - 1});
    }
    return swaps;
}

std::vector<RowSwap> MoveDown(NameList& list) {
    std::vector<RowSwap> swaps;
    const int last = list.size() - 1;
    if (last < 0 || list.selected(last)) return swaps;
    for (int d = last - 1; d >= 0; --d) {
        if (!list.selected(d)) continue;
        SwapRows(list, d, d + 1);
        swaps.push_back({d, d + 1});
    }
    return swaps;
}

void RemoveSelected(Workspace& ws) {
    ws.list.removeRowsIf([&](int r) { return ws.list.selected(r); });
    UpdateItemCount(ws);
}

int ClearList(Workspace& ws, int item, const std::u16string& pattern, const std::u16string& /*second*/,
              const PatternFinder& found) {
    NameList& list = ws.list;
    int removed = 0;
    if (item == sub::ClearAll) {
        removed = list.size();
        list.clear();
    } else if (IsPatternFilter(item) && (pattern.empty() || !found)) {
        // No pattern to search for (a stored task can carry an empty one): the
        // filter keeps every row rather than guessing.
    } else if (auto remove = RemovalTest(list, item, pattern, found)) {
        removed = list.removeRowsIf(remove);
    }
    UpdateItemCount(ws);
    return removed;
}

}  // namespace quirnel
