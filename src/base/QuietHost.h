#pragma once
#include "base/Host.h"

namespace quirnel {

// A host nobody watches: it counts the log lines and answers every question
// alike. For runs whose reports concern no one, such as a preview or a benchmark.
class QuietHost : public Host {
public:
    explicit QuietHost(bool answer = true) : answer_(answer) {}
    void AppendLog(const std::u16string&) override { ++lines_; }
    void SetStatusText(const std::u16string&) override {}
    void ShowMessageDialog(const std::u16string&, const std::u16string&) override {}
    bool askYesNo(Question, const std::u16string&) override { return answer_; }
    long lines() const { return lines_; }

private:
    bool answer_;
    long lines_ = 0;
};

}  // namespace quirnel
