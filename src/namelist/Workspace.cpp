#include "namelist/Workspace.h"

#include "base/StringTable.h"
#include "base/TextIds.h"

namespace quirnel {

void UpdateItemCount(Workspace& ws) {
    int c = ws.list.size();
    if (c > 0)
        ws.host.SetStatusText(FormatText(LoadText(text::ItemCountStatus), {static_cast<long long>(c)}));
    else
        ws.host.SetStatusText(LoadText(text::EmptyListStatus));
    ws.host.commandStateChanged();
    if (c != ws.lastLoggedCount) {
        if (c > ws.lastLoggedCount)
            ws.host.AppendLog(FormatText(LoadText(text::ItemsAdded), {static_cast<long long>(c - ws.lastLoggedCount)}));
        else
            ws.host.AppendLog(FormatText(LoadText(text::ItemsRemoved), {static_cast<long long>(ws.lastLoggedCount - c)}));
        ws.lastLoggedCount = c;
    }
    if (c == 0) ws.flags.unappliedFlag = 0;
}

}  // namespace quirnel
