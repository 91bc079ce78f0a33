// The input checks of the command input dialog and after it, on any
// command, sub-command and arguments.
#include "FuzzInput.h"
#include "run/CommandCatalogue.h"
#include "run/CommandInputCheck.h"
#include "platform/PathStyle.h"

using namespace quirnel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    const int command = in.Pick({2, 3, 4, 6, 9, 10, 12, 14, 17, 19, 20});
    std::vector<int> subs;
    for (const InputItem& item : BuildInputItems(command).items) subs.push_back(item.subCommand);
    const int sub = in.Pick(subs);
    const std::u16string arg1 = in.Text(), arg2 = in.Text();
    const bool autoFix = in.Flag();
    const PathStyle& style = in.Flag() ? PathStyle::forWindows() : PathStyle::forPosix();
    DialogInput cleaned = CleanDialogInput(command, sub, arg1, arg2, autoFix, style);
    if (cleaned.accepted()) {
        for (const std::u16string* arg : {&cleaned.arg1, &cleaned.arg2})
            FUZZ_CHECK(arg->find_first_of(u"\r\n\t") == std::u16string::npos);
        (void)CheckCommandInput(command, sub, cleaned.arg1, cleaned.arg2);
    }
    (void)CheckCommandInput(command, sub, arg1, arg2);
    return 0;
}
