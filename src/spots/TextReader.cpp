#include "TextReader.h"

namespace {

constexpr char16_t CarriageReturn = u'\r';
constexpr char16_t LineFeed = u'\n';
constexpr char16_t Comma = u',';
constexpr char16_t Quote = u'"';

} // namespace

TextReader::TextReader(QString text) : text_(std::move(text)) {}

bool TextReader::skipLineEnd() {
    if (atEnd() || text_[position_] != CarriageReturn)
        return false;
    ++position_;
    if (!atEnd() && text_[position_] == LineFeed)
        ++position_;
    return true;
}

std::optional<QString> TextReader::readLine() {
    if (atEnd())
        return std::nullopt;
    qsizetype end = text_.indexOf(CarriageReturn, position_);
    if (end < 0)
        end = text_.size();
    QString line = text_.mid(position_, end - position_);
    position_ = end;
    skipLineEnd();
    return line;
}

std::optional<QString> TextReader::readItem() {
    while (!atEnd() && text_[position_] == u' ')
        ++position_;
    if (atEnd())
        return std::nullopt;

    QString item;
    if (text_[position_] == Quote) {
        qsizetype close = text_.indexOf(Quote, position_ + 1);
        if (close < 0)
            close = text_.size();
        item = text_.mid(position_ + 1, close - position_ - 1);
        position_ = close + 1;
        while (!atEnd() && text_[position_] != Comma && text_[position_] != CarriageReturn)
            ++position_;
    } else {
        const qsizetype start = position_;
        while (!atEnd() && text_[position_] != Comma && text_[position_] != CarriageReturn)
            ++position_;
        item = text_.mid(start, position_ - start);
    }
    if (!atEnd() && text_[position_] == Comma)
        ++position_;
    else
        skipLineEnd();
    return item;
}
