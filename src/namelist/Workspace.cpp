#include "namelist/Workspace.h"

#include "app/StringTable.h"

namespace quirnel {

void UpdateItemCount(Workspace& ws) {
    int c = ws.list.size();
    if (c > 0)
        ws.host.SetStatusText(FormatText(LoadText(36), {static_cast<long long>(c)}));
    else
        ws.host.SetStatusText(LoadText(35));
    ws.host.CommandStateChanged();
    if (c != ws.LastLoggedCount) {
        if (c > ws.LastLoggedCount)
            ws.host.AppendLog(FormatText(LoadText(151), {static_cast<long long>(c - ws.LastLoggedCount)}));
        else
            ws.host.AppendLog(FormatText(LoadText(152), {static_cast<long long>(ws.LastLoggedCount - c)}));
        ws.LastLoggedCount = c;
    }
    if (c == 0) ws.app.UnappliedFlag = 0;
}

}  // namespace quirnel
