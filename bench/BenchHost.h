#pragma once
#include "base/QuietHost.h"

namespace quirnel::bench {

using quirnel::QuietHost;

}  // namespace quirnel::bench
