#pragma once
#include <string>
#include <utility>

#include "platform/ErrorText.h"

namespace quirnel {

// How an operation on the disk (or on a journal) ended: success, or the
// system's error number, with a reason in words where the number alone does
// not say it (a journal that is not one of ours).
struct Result {
    Result() = default;
    explicit Result(int error, std::u16string reason = {}) : error(error), reason(std::move(reason)) {}

    int error = 0;          // 0 on success, else an error number or one of ErrorText.h's
    std::u16string reason;  // empty: the system's text for error says it

    bool ok() const { return error == 0; }
    explicit operator bool() const { return error == 0; }
    // The reason as the log shows it.
    std::u16string text() const { return reason.empty() ? ErrorText(error) : reason; }
};

}  // namespace quirnel
