#include "platform/ThreadPriority.h"

#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace quirnel {

void RunAtIdlePriority() {
    // On Linux a thread has a scheduling policy and nice value of its own.
    struct sched_param none {};
    if (sched_setscheduler(0, SCHED_IDLE, &none) != 0)
        (void)setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 19);
}

}  // namespace quirnel
