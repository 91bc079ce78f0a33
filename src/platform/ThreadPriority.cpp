#include "platform/ThreadPriority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace quirnel {

void RunAtLowPriority() {
    // On Linux a thread has a nice value of its own. Not the idle class: a
    // thread that must notice a cancellation soon may not starve on a busy
    // machine.
    (void)setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
}

}  // namespace quirnel
