#pragma once
#include "ListBuilder.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "namelist/Workspace.h"

namespace quirnel::test {

// A workspace with its own state and host, in the given path style.
struct TestWorkspace {
    explicit TestWorkspace(const PathStyle& style = PathStyle::forWindows()) : ws(app.settings, app.flags, host, style) {}
    AppState app;
    RecordingHost host;
    Workspace ws;
};

}  // namespace quirnel::test
