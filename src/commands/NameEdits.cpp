#include "commands/NameEdits.h"

#include "commands/Primitives.h"
#include "namelist/NameList.h"
#include "platform/PathText.h"

namespace quirnel {

void EmptyNames(NameList& list) {
    for (int r = 0; r < list.size(); ++r)
        list.setNewName(r, ExtensionOf(list.newName(r), list.isFolder(r), Dot::With));
}

void EmptyExtensions(NameList& list) {
    for (int r = 0; r < list.size(); ++r) {
        if (list.isFolder(r)) continue;
        list.setNewName(r, NamePart(list.newName(r), list.isFolder(r)));
    }
}

int EditNameRow(const NameList& list) { return list.firstSelected(); }

bool EditName(NameList& list, const std::u16string& typedName) {
    int r = EditNameRow(list);
    if (r < 0) return false;
    list.setNewName(r, typedName);
    return true;
}

}  // namespace quirnel
