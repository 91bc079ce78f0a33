#pragma once
#include <vector>

namespace quirnel {

// One column that takes part in sharing the list's width.
struct SharedColumn {
    int need = 0;    // what shows its whole content and caption
    int floor = 0;   // never narrower
    int rank = 0;    // lower ranks reach their need first
    int weight = 1;  // its part of what is left once every need is met
};

// The width of each column: all start at their floor; then, rank by rank,
// columns grow to their need (a rank that cannot all be served grows in
// proportion to what each lacks); what is still left is spread by weight.
// Widths can sum to more than `available` only when the floors do.
std::vector<int> ShareWidths(int available, const std::vector<SharedColumn>& columns);

}  // namespace quirnel
