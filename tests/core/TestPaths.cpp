// The paths of this build tree. Only this file is compiled with them, so
// every other test file compiles to the same thing in any checkout and a
// compiler cache serves it to the next clone.
#include "TestPaths.h"

#include <cstdlib>

namespace quirnel::test {

#ifdef QUIRNEL_CLI_PATH
const char* CliPath() { return QUIRNEL_CLI_PATH; }
#endif

}  // namespace quirnel::test

namespace {

// Journals written by a test belong to the build tree, whichever way the
// tests are started: by hand, a run's journal would land in the user's own
// state folder and be offered there as an interrupted run.
const bool kStateHomeSet = setenv("XDG_STATE_HOME", QUIRNEL_TEST_STATE_HOME, 1) == 0;

}  // namespace
