#include "base/Host.h"

#include "base/StringTable.h"
#include "base/TextIds.h"

namespace quirnel {

int QuestionTextId(Question question) {
    switch (question) {
        case Question::AddFolderItself: return text::AddFolderItselfQuestion;
        case Question::ExitWithUnapplied: return text::ExitQuestion;
        case Question::StopProcessing: return text::StopProcessingQuestion;
        case Question::RestartForLanguage: return text::RestartForLanguageQuestion;
        case Question::ResetHotkeys: return text::ResetHotkeysQuestion;
        case Question::RevertInterrupted: return text::InterruptedRunQuestion;
        case Question::RevertRun: return text::RevertRunQuestion;
        case Question::RedoRun: return text::RedoRunQuestion;
    }
    return 0;
}

bool Host::ask(Question question) { return askYesNo(question, LoadText(QuestionTextId(question))); }

}  // namespace quirnel
