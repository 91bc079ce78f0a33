#include <gtest/gtest.h>

#include <random>

#include "ListFixture.h"
#include "commands/Commands.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

std::u16string RandomText(std::mt19937& rng, size_t maxLength) {
    static const char16_t alphabet[] = {u'a', u'.', u'*', u'?', u'(', u')', u'#', u' ', u'\\', u'/', u'%', u'Y',
                                        u'A', u'0', u'9', u'-', u'_', 0xD800, 0xDC00, 0x1100, 0x1161, 0x11A8, u':'};
    std::u16string s;
    for (size_t n = rng() % (maxLength + 1); n > 0; --n) s.push_back(alphabet[rng() % std::size(alphabet)]);
    return s;
}

}  // namespace

// Every command on garbage arguments and garbage names: nothing breaks, the
// row count and old columns stay, and each command writes only its own column.
TEST(OddInputTest, CommandsStayInsideTheirColumns) {
    const int subCommands[] = {61,  106, 110, 111, 112, 113, 143, 79,  21,  22,  135, 136, 137, 138, 116,
                               117, 139, 64,  65,  89,  90,  41,  42,  48,  129, 130, 131, 133, 73,  74,
                               83,  84,  85,  86,  69,  120, 170, 172, 173, 174, 175, 176, 177, 0,   -1};
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<Item> items;
        for (int i = 0; i < 6; ++i)
            items.push_back({RandomText(rng, 12) + char16_t(u'0' + i), u"C:\\f" + RandomText(rng, 3), i % 3 == 0,
                             i == 1 ? kNoTime : 1688461531, 1688461531});
        auto list = MakeList(items);
        const int sc = subCommands[rng() % std::size(subCommands)];
        const std::u16string a1 = rng() % 8 ? RandomText(rng, 6) : std::u16string(5000, u'9');
        const std::u16string a2 = RandomText(rng, 6);
        std::vector<std::u16string> foldersBefore = NewFolders(*list), namesBefore = NewNames(*list);
        RecordingHost host(false);
        switch (rng() % 9) {
            case 0: ReplaceNames(*list, sc, a1, a2, static_cast<ReplaceSubject>(rng() % 3)); break;
            case 1: AddToNames(*list, sc, a1, a2, static_cast<AddPlace>(rng() % 3), [] { return 0; }); break;
            case 2: RemoveFromNames(*list, sc, a1, a2); break;
            case 3: MatchDigits(*list, sc, a1); break;
            case 4: AddNumbers(*list, sc, a1, a2); break;
            case 5: FilterDigits(*list, static_cast<Digits>(rng() % 2)); break;
            case 6: EmptyNames(*list); break;
            case 7: EmptyExtensions(*list); break;
            default: {
                const CommandOutcome outcome = ChangeFolder(*list, sc, a1, a2, host);
                EXPECT_EQ(NewNames(*list), namesBefore);
                EXPECT_EQ(host.messages.size(), sc == 69 && a1.empty() ? 1u : 0u);
                EXPECT_EQ(outcome == CommandOutcome::StopRun, sc == 69 && a1.empty());
                continue;
            }
        }
        ASSERT_EQ(list->size(), 6);
        EXPECT_EQ(NewFolders(*list), foldersBefore) << "round " << round << " sub " << sc;
        for (int r = 0; r < 6; ++r) EXPECT_EQ(list->oldName(r), items[r].name);
    }
}
