#pragma once
#include <string>

namespace quirnel {

// Everything the core needs from a person or a screen. The window implements
// it with widgets, the command-line front end with standard streams, tests
// with recorders; every modal question has this one seam.
class Host {
public:
    virtual ~Host() = default;
    virtual void AppendLog(const std::u16string& message) = 0;
    virtual void SetStatusText(const std::u16string& text) = 0;
    virtual void ShowMessageDialog(const std::u16string& text, const std::u16string& title) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::u16string& question) = 0;
    // Percent of an apply run done (0..100).
    virtual void SetProgress(int percent) {}
    // The number of rows or the selection changed: refresh command availability.
    virtual void CommandStateChanged() {}
    // The path loading options before an add batch (shown when ShowCFGLoad is 1).
    virtual void ShowPathLoadOptions() {}
};

}  // namespace quirnel
