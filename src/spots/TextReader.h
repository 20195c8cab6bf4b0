#pragma once

#include <QString>
#include <optional>

// Reads a text the way the scratch page file is read: whole lines, ended by a
// carriage return or a carriage return and line feed (a lone line feed stays
// inside the line), and comma-separated items, both from one shared position.
class TextReader {
public:
    explicit TextReader(QString text);

    bool atEnd() const { return position_ >= text_.size(); }
    // The next line without its ending; nothing at the end of the text.
    std::optional<QString> readLine();
    // The next item: it ends at a comma or a line end; one that begins with a
    // double quote runs to the next double quote, commas and line ends
    // included, and whatever follows it up to the comma or line end is
    // dropped. Leading blanks are skipped. Nothing at the end of the text.
    std::optional<QString> readItem();

private:
    // Consumes a line end at the position, if there is one.
    bool skipLineEnd();

    QString text_;
    qsizetype position_ = 0;
};
