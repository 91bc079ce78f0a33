#pragma once
#include <cstdint>
#include <string>

namespace quirnel {

struct PathStyle;

// The verdict on a command's input after the input dialog has closed. A
// refusal may carry the string id of a message the caller shows in a plain
// message box; 0 means refuse (or accept) silently.
struct InputCheck {
    bool accepted = true;
    int32_t messageId = 0;
    std::u16string message;  // the message's text with its details, when it has some
};

// The input dialog's OK: the arguments of the shown fields (a hidden field's
// is empty) without line breaks and tabs, with characters a file name cannot
// hold removed (nameAutoFix) or refused. A refusal keeps the dialog open and
// names its message: ForbiddenCharacters goes to the message dialog, the
// wildcard and regular-expression messages to a plain message box. A
// regular expression keeps every character; its template may also hold '\'.
struct DialogInput {
    std::u16string arg1, arg2;
    int32_t messageId = 0;
    std::u16string message;  // the refusal's text in the current language, details filled in
    bool accepted() const { return messageId == 0; }
};

[[nodiscard]] DialogInput CleanDialogInput(int32_t commandId, int32_t subCommand, std::u16string arg1, std::u16string arg2,
                             bool nameAutoFix, const PathStyle& style);

[[nodiscard]] InputCheck CheckCommandInput(int32_t commandId, int32_t subCommand, const std::u16string& arg1,
                             const std::u16string& arg2);

}  // namespace quirnel
