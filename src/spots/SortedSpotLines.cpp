#include "SortedSpotLines.h"

namespace {

// Classes of characters, in the order they sort; within a class, by code
// (letters by their capital).
enum CharacterClass : char32_t { Blank = 1, Sign, Digit, Letter };

char32_t rank(QChar c) {
    if (c == u' ')
        return Blank << 16;
    if (c.isDigit())
        return Digit << 16 | c.unicode();
    if (c.isLetter())
        return Letter << 16 | c.toUpper().unicode();
    return Sign << 16 | c.unicode();
}

// The key that orders a line.
std::u32string collationKey(const QString& line) {
    std::u32string key;
    key.reserve(static_cast<std::size_t>(line.size()));
    for (QChar c : line)
        key.push_back(rank(c));
    return key;
}

} // namespace

void SortedSpotLines::add(const QString& sortLine, const QString& spotLine) {
    // A multimap files an equal key after those already there.
    entries_.emplace(collationKey(sortLine), Entry{sortLine, spotLine});
}
