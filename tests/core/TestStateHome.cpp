// Journals written by a test belong to the build tree, whichever way the
// tests are started: by hand, a run's journal would land in the user's own
// state folder and be offered there as an interrupted run.
#include <cstdlib>

namespace {

const bool kStateHomeSet = setenv("XDG_STATE_HOME", QUIRNEL_TEST_STATE_HOME, 1) == 0;

}  // namespace
