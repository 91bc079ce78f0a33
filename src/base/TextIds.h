#pragma once

// The names of the texts that are not captions of commands or sub-commands
// (those are the command and sub-command numbers, base/CommandIds.h). Names
// and ids come from base/Texts.def, where the texts are.
namespace quirnel::text {

enum TextId : int {
#define TEXT_ROW(name, id, ...) name = id,
#define CAPTION_ROW(...)
#include "base/Texts.def"
#undef TEXT_ROW
#undef CAPTION_ROW
};

}  // namespace quirnel::text
