#pragma once

namespace quirnel {

// The calling thread yields the processor to every other one of ordinary
// priority: for work nobody waits for (what rows would become).
void RunAtIdlePriority();

}  // namespace quirnel
