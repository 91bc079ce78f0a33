#pragma once

namespace quirnel::test {

// The command-line program of this build (only where QUIRNEL_HAS_CLI is defined).
const char* CliPath();

}  // namespace quirnel::test
