#pragma once

#include <vector>

// Where the entries' labels stand beside the frequency axis: each at the
// height of its frequency when there is room, else just below the one before
// it, in a column of its own once the first is full, so that no two overlap;
// each keeps a line to its frequency.
struct LabelPlace {
    int column = 0;
    int top = 0;
};

// `wanted`: the top each label would have at its frequency, in frequency
// order; `height`: a label's; `bottom`: the lowest a label may end.
std::vector<LabelPlace> stackedLabels(const std::vector<int>& wanted, int height, int bottom);
