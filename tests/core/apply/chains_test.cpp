#include <gtest/gtest.h>

#include <map>

#include "apply/ApplyChanges.h"
#include "apply/ApplyTestSupport.h"
#include "apply/ApplyPlanner.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

std::string Two(int i) {
    std::string s = std::to_string(i);
    return s.size() < 2 ? "0" + s : s;
}

struct ChainCase {
    const char* what;
    std::vector<std::string> files;                        // content = own name
    std::vector<std::pair<std::string, std::string>> rows;  // old -> new name
    std::map<std::string, std::string> after;               // name -> content
    std::vector<std::string> failures;                      // log lines, in order
};

}  // namespace

TEST(ApplyChains, ChainsAndCyclesSucceedAndNothingIsOverwritten) {
    ChainCase shift{"shift chain 01->00 ... 99->98", {}, {}, {}, {}};
    for (int i = 1; i <= 99; ++i) {
        shift.files.push_back(Two(i));
        shift.rows.push_back({Two(i), Two(i - 1)});
        shift.after[Two(i - 1)] = Two(i);
    }
    const ChainCase cases[] = {
        {"swap", {"a", "b"}, {{"a", "b"}, {"b", "a"}}, {{"a", "b"}, {"b", "a"}}, {}},
        {"3-cycle", {"a", "b", "c"}, {{"a", "b"}, {"b", "c"}, {"c", "a"}}, {{"a", "c"}, {"b", "a"}, {"c", "b"}}, {}},
        {"cycle of 2 beside a chain into it",
         {"a", "b", "x"},
         {{"x", "y"}, {"a", "b"}, {"b", "a"}},
         {{"a", "b"}, {"b", "a"}, {"y", "x"}},
         {}},
        shift,
        {"a link held by a file no row frees",
         {"b", "c", "held", "x"},
         {{"c", "b"}, {"b", "held"}, {"x", "y"}},
         {{"b", "b"}, {"c", "c"}, {"held", "held"}, {"y", "x"}},
         {"Failed to change: b (File exists)", "Failed to change: c (File exists)"}},
    };
    for (const ChainCase& c : cases) {
        SCOPED_TRACE(c.what);
        ApplyBench b;
        b.KeepJournals();
        for (const auto& f : c.files) b.dir.file(f, f);
        std::vector<std::string> olds;
        for (const auto& r : c.rows) olds.push_back(r.first);
        b.Add(olds);
        ASSERT_EQ(b.ws.list.size(), static_cast<int>(c.rows.size()));
        for (size_t i = 0; i < c.rows.size(); ++i) b.Propose(static_cast<int>(i), c.rows[i].second);
        ApplyOutcome out = ApplyChanges(b.ws, ApplyType::Originals);
        EXPECT_EQ(Tree(b.dir.path()), c.after);
        EXPECT_EQ(out.counts.changed, static_cast<int>(c.rows.size() - c.failures.size()));
        std::vector<std::string> failures;
        for (const auto& line : b.Log())
            if (line.rfind("Failed", 0) == 0) failures.push_back(line);
        EXPECT_EQ(failures, c.failures);
        for (size_t i = 0; i < c.rows.size(); ++i) {  // the list describes the disk
            bool failed = std::find(c.failures.begin(), c.failures.end(), "Failed to change: " + c.rows[i].first +
                                                                              " (File exists)") != c.failures.end();
            EXPECT_EQ(Utf8(b.ws.list.oldName(static_cast<int>(i))), failed ? c.rows[i].first : c.rows[i].second);
        }
        EXPECT_FALSE(out.journal.empty());
    }
}

TEST(ApplyChains, AFolderChainMovesWholeFoldersAndItsFilesStayInside) {
    ApplyBench b;
    b.dir.file("d1/in1", "1");
    b.dir.file("d2/in2", "2");
    b.dir.file("d1.txt", "file");
    b.Add({"d1", "d2", "d1.txt"});
    b.Propose(0, "d0");
    b.Propose(1, "d1");
    b.Propose(2, "d2");  // a file takes the name of a folder renamed away
    ApplyOutcome out = ApplyChanges(b.ws, ApplyType::Originals);
    EXPECT_EQ(out.counts.changed, 3);
    EXPECT_EQ(Content(b.dir / "d0/in1"), "1");
    EXPECT_EQ(Content(b.dir / "d1/in2"), "2");
    EXPECT_EQ(Content(b.dir / "d2"), "file");
}

TEST(ApplyChains, CopiesAreNeverReorderedAndFailOnTakenTargets) {
    ApplyBench b;
    b.dir.file("a", "A");
    b.dir.file("b", "B");
    b.Add({"a", "b"});
    b.Propose(0, "b");
    b.Propose(1, "a");
    ApplyOutcome out = ApplyChanges(b.ws, ApplyType::Copies);
    EXPECT_EQ(out.counts.changed, 0);
    EXPECT_EQ(Content(b.dir / "a"), "A");
    EXPECT_EQ(Content(b.dir / "b"), "B");
}

TEST(ApplyPlan, OrderKeepsListOrderButForLinks) {
    // Rows: 0 x->y, 1 a->b, 2 b->c, 3 c->a (a cycle), 4 p->q, 5 q->r (a chain), 6 s->s.
    std::vector<std::u16string> olds{u"x", u"a", u"b", u"c", u"p", u"q", u"s"};
    std::vector<std::u16string> targets{u"y", u"b", u"c", u"a", u"q", u"r", u"s"};
    ApplyPlan plan = PlanApply(PathVector(olds), PathVector(targets), true);
    std::vector<std::pair<int, StepKind>> order;
    for (const PlanStep& s : plan.steps) order.push_back({s.row, s.kind});
    using K = StepKind;
    EXPECT_EQ(order, (std::vector<std::pair<int, StepKind>>{{0, K::Whole}, {1, K::ToTemp}, {3, K::Whole}, {2, K::Whole},
                                                             {1, K::FromTemp}, {5, K::Whole}, {4, K::Whole}, {6, K::Whole}}));
    EXPECT_EQ(plan.links, (std::vector<Link>{Link::None, Link::Cycle, Link::Cycle, Link::Cycle, Link::Chain,
                                             Link::Chain, Link::None}));
    ApplyPlan copies = PlanApply(PathVector(olds), PathVector(targets), false);
    for (size_t i = 0; i < copies.steps.size(); ++i) EXPECT_EQ(copies.steps[i].row, static_cast<int>(i));
}
