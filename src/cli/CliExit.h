#pragma once

namespace quirnel::cli {

// Exit statuses of quirnel-cli.
constexpr int kExitOk = 0;
constexpr int kExitRowsFailed = 1;
constexpr int kExitStopped = 2;  // validation (or a task) ended the run; the disk is untouched
constexpr int kExitUsage = 64;

}  // namespace quirnel::cli
