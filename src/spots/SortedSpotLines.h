#pragma once

#include <QString>
#include <map>
#include <string>

// The hidden sorted list of the spot lines: each entry is filed under its sort
// line in ascending order, case-insensitively, a blank before any other sign,
// other signs before digits and digits before letters. Entries that compare
// equal stay side by side in the order they were added.
class SortedSpotLines {
public:
    struct Entry {
        QString sortLine;
        // The line to show, the same fields in the spot line's columns.
        QString spotLine;
    };
    using Entries = std::multimap<std::u32string, Entry>;

    void add(const QString& sortLine, const QString& spotLine);
    void clear() { entries_.clear(); }
    bool isEmpty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    // Ascending order.
    Entries::const_iterator begin() const { return entries_.begin(); }
    Entries::const_iterator end() const { return entries_.end(); }

private:
    Entries entries_;
};
