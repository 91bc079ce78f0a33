#pragma once
#include <cstdint>
#include <string>

namespace quirnel {

// The verdict on a command's input after the input dialog has closed. A
// refusal may carry the string id of a message the caller shows in a plain
// message box; 0 means refuse (or accept) silently.
struct InputCheck {
    bool accepted = true;
    int32_t messageId = 0;
};

[[nodiscard]] InputCheck CheckCommandInput(int32_t commandId, int32_t subCommand, const std::u16string& arg1,
                             const std::u16string& arg2);

}  // namespace quirnel
