#pragma once

// Every rename command: pure operations on a NameList that write only New Name
// and New Folder. Each takes its sub-command value (base/CommandIds.h) and its
// two argument texts, plus whatever setting, clock or host it needs.
//
//   ReplaceNames(list, sub, arg1, arg2, ReplaceSubject)               commands 2, 20
//   AddToNames(list, sub, arg1, arg2, AddPlace[, clock])              commands 3, 4, 19
//   EmptyNames(list)                                                  command 5
//   RemoveFromNames(list, sub, arg1, arg2)                            command 6
//   FilterDigits(list, Digits)                                        commands 7, 8
//   MatchDigits(list, sub, arg1)                                      command 9
//   AddNumbers(list, sub, arg1, arg2)                                 command 10
//   EditName(list, typedName)                                         command 14
//   ChangeFolder(list, sub, arg1, arg2, host) -> CommandOutcome       command 17
//   EmptyExtensions(list)                                             command 18
//
// Suspending the list's redrawing around a pass is the window's business.

#include "base/CommandIds.h"
#include "commands/AddToNames.h"
#include "commands/ChangeFolder.h"
#include "commands/DateText.h"
#include "commands/NameEdits.h"
#include "commands/Numbers.h"
#include "commands/Primitives.h"
#include "commands/Remove.h"
#include "commands/Replace.h"
#include "commands/Wildcard.h"
