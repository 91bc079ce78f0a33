#pragma once
#include "app/AppState.h"
#include "app/Host.h"
#include "namelist/IconCache.h"
#include "namelist/NameList.h"

namespace quirnel {

// The document every list operation works on: the list the window shows, with
// the process state and the host that reports to the user.
class Workspace {
public:
    // The sort state starts from the settings, as the header's arrow does.
    Workspace(AppState& app, Host& host, const PathStyle& style = PathStyle::Host())
        : list(style), SortColumn(app.settings.SortColumn), SortAscending(app.settings.SortAscend != 0), app(app), host(host) {}

    AppSettings& settings() { return app.settings; }

    NameList list;
    IconCache icons;
    int LastLoggedCount = 0;
    int FolderAnswer = -1;  // per add batch: -1 not asked, 0 folder itself, 1 files in it
    // The list's sort state, shown as the header's arrow: column (-1 none) and direction.
    int SortColumn;
    bool SortAscending;
    AppState& app;
    Host& host;
};

// Status text with the row count, the added/removed log line, UnappliedFlag.
void UpdateItemCount(Workspace& ws);

}  // namespace quirnel
