#pragma once
#include <string>
#include <vector>

#include "namelist/Workspace.h"
#include "platform/FileSystem.h"

namespace quirnel {

// One entry found on disk becomes a row unless its path is listed already;
// its name moves into the row.
[[nodiscard]] bool AddRow(Workspace& ws, DirEntry&& entry, const std::u16string& folder);

// A path by LoadType: a file or a folder itself, or a folder's files
// (recursively, never through a link), asking once per batch under LoadType 2.
void AddPath(Workspace& ws, const std::u16string& path, bool isFolder);

// The frame of every add batch: options, wait text, one folder question.
void BeginAddBatch(Workspace& ws);
// Adds one path of a batch if it exists; false when it does not.
[[nodiscard]] bool AddExistingPath(Workspace& ws, const std::u16string& path);
// The automatic sort, the redraw and the count.
void EndAddBatch(Workspace& ws);

// A batch of paths (a drop, a path list): missing paths and empty lines are
// skipped without a word.
void AddPathList(Workspace& ws, const std::vector<std::u16string>& paths);

// The drop reader: long forms (paths without one are skipped) in logical order.
std::vector<std::u16string> ReadDroppedPaths(const std::vector<std::u16string>& dropped);
// The same paths' names, joined by line feeds (a file list pasted as names).
std::u16string DroppedNamesText(const std::vector<std::u16string>& dropped, const PathStyle& style);

// Sorts the list after an add batch when AutoSort asks for it.
void AutoSortAfterAdd(Workspace& ws);

}  // namespace quirnel
