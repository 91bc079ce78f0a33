#pragma once
#include "base/AppSettings.h"
#include "base/Host.h"
#include "base/RunFlags.h"
#include "metadata/MediaCache.h"
#include "namelist/IconCache.h"
#include "namelist/NameList.h"

namespace quirnel {

// The document every list operation works on: the list the window shows, the
// settings and run flags of the process, and the host that reports to the user.
struct Workspace {
    // The sort state starts from the settings, as the header's arrow does.
    Workspace(AppSettings& settings, RunFlags& flags, Host& host, const PathStyle& style = PathStyle::forHost())
        : list(style),
          sortColumn(settings.SortColumn),
          sortAscending(settings.SortAscend != 0),
          settings(settings),
          flags(flags),
          host(host) {}

    NameList list;
    IconCache icons;
    MediaCache media;  // what the rows' files hold, read when a command needs it
    int lastLoggedCount = 0;
    int folderAnswer = -1;  // per add batch: -1 not asked, 0 folder itself, 1 files in it
    // Files added from a folder get their size and times when first asked
    // for: a run that never shows them is spared a look-up a file.
    bool deferDetails = false;
    // The list's sort state, shown as the header's arrow: column (-1 none) and direction.
    int sortColumn;
    bool sortAscending;
    AppSettings& settings;
    RunFlags& flags;
    Host& host;
};

// Status text with the row count, the added/removed log line, UnappliedFlag.
void UpdateItemCount(Workspace& ws);

}  // namespace quirnel
