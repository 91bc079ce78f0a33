#pragma once

namespace quirnel {

// The calling thread gives way to threads of ordinary priority, for work
// nobody waits for (what rows would become), while still getting a share.
void RunAtLowPriority();

}  // namespace quirnel
