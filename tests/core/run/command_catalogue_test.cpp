#include "run/CommandCatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "base/StringTable.h"
#include "base/TextIds.h"

using namespace quirnel;

namespace {

std::vector<int32_t> Values(const InputItems& built) {
    std::vector<int32_t> out;
    for (const auto& item : built.items) out.push_back(item.subCommand);
    return out;
}

TEST(CommandCatalogueTest, ListsHoldTheirItemsInSelectorOrder) {
    struct Case {
        int32_t id;
        std::vector<int32_t> values;
    } cases[] = {
        {2, {61, 106, 110, 111, 112, 113, 143, 501, 502, 503, 504, 505}},
        {20, {79, 61, 106, 110, 111, 112, 113, 143, 501, 502, 503, 504, 505}},
        {3, {21, 22, 135, 136, 137, 138, 116, 117, 139, 651, 652}},
        {4, {21, 22, 135, 136, 137, 138, 116, 117, 139, 651, 652}},
        {19, {21, 22, 135, 136, 137, 138, 116, 117, 139, 651, 652}},
        {6, {41, 42, 48, 129, 130, 131, 133}},
        {9, {73, 74}},
        {10, {83, 84, 85, 86}},
        {12, {180, 181, 182, 183, 184, 185, 186, 506, 507}},
        {14, {44}},
        {17, {69, 120, 170, 172, 173, 174, 175, 176, 177, 508, 653, 654}},
        {92, {93}},
        {1, {}}, {5, {}}, {11, {}}, {13, {}}, {15, {}}, {16, {}}, {18, {}}, {0, {}}, {21, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        InputItems built = BuildInputItems(c.id);
        EXPECT_EQ(Values(built), c.values);
        if (c.id >= 1 && c.id <= 20) {
            EXPECT_EQ(built.caption, LoadText(c.id));
        }
        // Every sub-command value is the string id of its caption.
        for (const auto& item : built.items) EXPECT_EQ(item.caption, LoadText(item.subCommand));
        const CommandInfo* info = FindCommand(c.id);
        if (info) {
            EXPECT_EQ(info->hasInput(), !c.values.empty());
        }
    }
    EXPECT_EQ(BuildInputItems(92).caption, u"Preset Name");
}

TEST(CommandCatalogueTest, LabelsAndDigitFields) {
    struct Case {
        int32_t command;
        int32_t sub;
        int32_t arg1Label;  // string id, 0 = hidden
        int arg1Numeric;
        int32_t arg2Label;
        int arg2Numeric;
    } cases[] = {
        {2, 61, 62, 0, 63, 0},     {2, 110, 0, 0, 0, 0},        {20, 79, 80, 0, 81, 0},
        {3, 21, 23, 0, 114, 1},    {4, 21, 23, 0, 115, 1},      {19, 21, 23, 0, 115, 1},
        {3, 135, 125, 0, 114, 0},  {4, 116, 178, 0, 115, 0},    {6, 41, 39, 1, 40, 1},
        {6, 42, 123, 1, 124, 0},   {6, 130, 123, 1, 124, 0},    {6, 131, 66, 0, 67, 0},
        {9, 73, 75, 1, 0, 0},      {10, 85, 75, 1, 82, 1},      {12, 183, 125, 0, 0, 0},
        {12, 185, 0, 0, 0, 0},     {14, 44, 26, 0, 0, 0},       {17, 69, 29, 0, 0, 0},
        {17, 120, 122, 1, 0, 0},   {17, 170, 125, 0, 126, 0},   {17, 174, 123, 1, 124, 1},
        {17, 175, 178, 0, 0, 0},   {92, 93, 92, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sub);
        InputItems built = BuildInputItems(c.command);
        const InputItem* found = nullptr;
        for (const auto& item : built.items)
            if (item.subCommand == c.sub) found = &item;
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->arg1Label, c.arg1Label ? LoadText(c.arg1Label) : u"");
        EXPECT_EQ(found->arg1Numeric, c.arg1Numeric);
        EXPECT_EQ(found->arg2Label, c.arg2Label ? LoadText(c.arg2Label) : u"");
        EXPECT_EQ(found->arg2Numeric, c.arg2Numeric);
        EXPECT_EQ(HasDateFormatDefault(c.sub), c.arg1Label == text::DateFormatHint);
    }
    EXPECT_EQ(BuildInputItems(3).items[0].arg2Label, u"Position to insert from the head (0 = head)");
    EXPECT_EQ(BuildInputItems(19).items[0].arg2Label, u"Position to insert from the tail (0 = tail)");
}

TEST(CommandCatalogueTest, CommandTableForDispatchAndPresets) {
    std::set<int32_t> menuIds;
    for (int32_t id = 1; id <= 20; ++id) {
        const CommandInfo* info = FindCommand(id);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->id, id);
        EXPECT_TRUE(menuIds.insert(info->menuCommand).second) << id;
    }
    EXPECT_EQ(FindCommand(0), nullptr);
    EXPECT_EQ(FindCommand(21), nullptr);
    for (int32_t skipped : {1, 11, 13, 14, 15, 16}) EXPECT_FALSE(FindCommand(skipped)->inPresets);
    EXPECT_EQ(PresetEditorCommands(), (std::vector<int32_t>{2, 3, 4, 5, 6, 7, 8, 9, 10, 17, 18, 19, 20, 12}));
    EXPECT_EQ(FindCommand(11)->altMenuCommand, 32782);
    EXPECT_EQ(FindCommand(12)->altMenuCommand, 32855);
    EXPECT_EQ(FindMenuCommand(32821)->id, 2);
    EXPECT_EQ(FindMenuCommand(32782)->id, 11);
    EXPECT_EQ(FindMenuCommand(32855)->id, 12);
    EXPECT_EQ(FindMenuCommand(32790), nullptr);
    EXPECT_EQ(FindMenuCommand(0), nullptr);
}

// A row that lacks a text or a run, or whose checks ask for a field it does
// not show, is found here rather than by a user.
TEST(CommandCatalogueTest, EveryRowIsComplete) {
    auto inBothLanguages = [](int32_t id) {
        return !LoadText(id, UiLanguage::English).empty() && !LoadText(id, UiLanguage::Korean).empty();
    };
    for (const CommandInfo& info : Commands()) {
        SCOPED_TRACE(info.id);
        EXPECT_TRUE(inBothLanguages(info.id));
        EXPECT_NE(info.menuCommand, 0);
        // Presets and the command line run exactly the commands that have a run.
        EXPECT_EQ(info.inPresets, info.run != nullptr);
        std::set<int32_t> offered;
        for (const SubCommandSpec& s : info.items) {
            SCOPED_TRACE(s.value);
            EXPECT_TRUE(offered.insert(s.value).second);
            EXPECT_TRUE(inBothLanguages(s.value));
            for (int32_t label : {s.arg1Label, s.arg2Label}) {
                if (label != 0) {
                    EXPECT_TRUE(inBothLanguages(label)) << "label " << label;
                }
            }
            EXPECT_FALSE(s.arg1Label == 0 && s.arg1Digits);
            EXPECT_FALSE(s.arg2Label == 0 && s.arg2Digits);
            if (s.check != AfterCheck::None && s.check != AfterCheck::NeedArg2) {
                EXPECT_NE(s.arg1Label, 0);
            }
            if (s.check == AfterCheck::NeedArg2 || s.check == AfterCheck::ValidDelimiters) {
                EXPECT_NE(s.arg2Label, 0);
            }
            // A value is the same item wherever it is offered: its checks do not depend on the command.
            for (const CommandInfo& other : Commands()) {
                const SubCommandSpec* o = FindSubCommand(other.id, s.value);
                if (!o) continue;
                EXPECT_EQ(o->kind, s.kind) << "in command " << other.id;
                EXPECT_EQ(o->check, s.check) << "in command " << other.id;
            }
        }
    }
}

TEST(CommandCatalogueTest, ItemSets) {
    for (int32_t s : {61, 135, 170, 181, 182, 183, 184}) EXPECT_TRUE(IsWildcardItem(s));
    for (int32_t s : {41, 42, 129, 130, 173, 174}) EXPECT_TRUE(IsPositionItem(s));
    for (int32_t s : {73, 74, 83, 84, 85, 86}) EXPECT_TRUE(IsDigitLengthItem(s));
    EXPECT_TRUE(IsDelimiterItem(48) && IsDelimiterItem(172));
    for (int32_t s : {131, 136, 180, 185, 21, 62}) {
        EXPECT_FALSE(IsWildcardItem(s) || IsPositionItem(s) || IsDelimiterItem(s) || IsDigitLengthItem(s)) << s;
    }
    EXPECT_TRUE(HasFolderPicker(69));
    EXPECT_FALSE(HasFolderPicker(120));
}

}  // namespace
