#include "BandMapLayout.h"

#include <algorithm>

std::vector<LabelPlace> stackedLabels(const std::vector<int>& wanted, int height, int bottom) {
    std::vector<LabelPlace> places;
    places.reserve(wanted.size());
    // Where the last label of each column ends.
    std::vector<int> columnEnds;
    for (const int top : wanted) {
        int column = 0;
        while (column < int(columnEnds.size()) &&
               std::max(top, columnEnds[std::size_t(column)]) + height > bottom)
            ++column;
        if (column == int(columnEnds.size()))
            columnEnds.push_back(top);
        int& end = columnEnds[std::size_t(column)];
        const int placed = std::max(top, end);
        places.push_back({column, placed});
        end = placed + height;
    }
    return places;
}
