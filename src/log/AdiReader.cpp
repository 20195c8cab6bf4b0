#include "AdiReader.h"

#include <cstring>

namespace {

// Longer than any field name with its length and type.
constexpr qsizetype LongestTag = 64;
// Longer than the blanks any logger writes between two fields.
constexpr qsizetype LongestGap = 1 << 16;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where `count` UTF-8 characters from `from` end, or -1 past the data.
qsizetype afterCharacters(const QByteArray& data, qsizetype from, qsizetype count) {
    qsizetype at = from;
    for (qsizetype i = 0; i < count; ++i) {
        if (at >= data.size())
            return -1;
        const auto lead = static_cast<unsigned char>(data[at]);
        at += lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    }
    return at <= data.size() ? at : -1;
}

enum class Landing { Tag, Elsewhere, NeedMore };

// Whether a value ending at `end` is followed, past blanks, by the next
// field; the end of the file is as good, and so are more blanks than a
// logger writes: text between fields, never read, and not kept to be
// scanned again with each piece.
Landing landing(const QByteArray& data, qsizetype end, bool atEnd) {
    const qsizetype gapEnd = end + LongestGap;
    while (end < data.size() && end < gapEnd && isBlank(data[end]))
        ++end;
    if (end == gapEnd)
        return Landing::Tag;
    if (end < data.size())
        return data[end] == '<' ? Landing::Tag : Landing::Elsewhere;
    return atEnd ? Landing::Tag : Landing::NeedMore;
}

} // namespace

QByteArray* AdifRecord::field(QByteArrayView name) {
    static constexpr std::pair<QByteArrayView, QByteArray AdifRecord::*> Fields[] = {
        {"CALL", &AdifRecord::call},
        {"BAND", &AdifRecord::band},
        {"FREQ", &AdifRecord::freq},
        {"MODE", &AdifRecord::mode},
        {"DXCC", &AdifRecord::dxcc},
        {"QSL_RCVD", &AdifRecord::qslRcvd},
        {"LOTW_QSL_RCVD", &AdifRecord::lotwQslRcvd},
        {"EQSL_QSL_RCVD", &AdifRecord::eqslQslRcvd},
    };
    for (const auto& [fieldName, value] : Fields) {
        if (name.size() == fieldName.size() && name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return &(this->*value);
    }
    return nullptr;
}

bool AdifRecord::isEmpty() const {
    return call.isEmpty() && band.isEmpty() && freq.isEmpty() && mode.isEmpty() && dxcc.isEmpty() &&
           qslRcvd.isEmpty() && lotwQslRcvd.isEmpty() && eqslQslRcvd.isEmpty();
}

void AdifRecord::clear() {
    for (QByteArray* value :
         {&call, &band, &freq, &mode, &dxcc, &qslRcvd, &lotwQslRcvd, &eqslQslRcvd})
        value->resize(0);
}

void AdiReader::feed(QByteArrayView bytes) {
    buffer_.append(bytes);
    while (step(false) == Step::Done) {
    }
    // Only what is not read yet stays.
    buffer_.remove(0, pos_);
    bufferStart_ += pos_;
    pos_ = 0;
}

std::optional<AdifRecord> AdiReader::finish() {
    while (step(true) == Step::Done) {
    }
    std::optional<AdifRecord> cut;
    if (!record_.call.isEmpty())
        cut = record_;
    else if (damaged_)
        ++unreadable_;
    record_ = AdifRecord();
    damaged_ = false;
    cutField_ = false;
    return cut;
}

void AdiReader::endRecord(qsizetype after) {
    if (damaged_ || (record_.call.isEmpty() && record_.dxcc.isEmpty())) {
        if (damaged_ || !record_.isEmpty())
            ++unreadable_;
    } else {
        take_(record_);
    }
    record_.clear();
    damaged_ = false;
    wholeEnd_ = bufferStart_ + after;
}

AdiReader::Step AdiReader::step(bool atEnd) {
    if (cutField_)
        return Step::NeedMore;
    const char* start = buffer_.constData();
    const auto* open = static_cast<const char*>(
        std::memchr(start + pos_, '<', std::size_t(buffer_.size() - pos_)));
    if (!open) {
        // Text between fields is never read.
        pos_ = buffer_.size();
        return Step::NeedMore;
    }
    const qsizetype tag = open - start;
    const qsizetype limit = std::min(buffer_.size(), tag + LongestTag);
    qsizetype close = tag + 1;
    while (close < limit && buffer_[close] != '>' && buffer_[close] != '<')
        ++close;
    if (close >= buffer_.size()) {
        pos_ = atEnd ? buffer_.size() : tag;
        return Step::NeedMore;
    }
    if (buffer_[close] != '>') {
        // A "<" of some text, not a field.
        pos_ = tag + 1;
        return Step::Done;
    }
    const QByteArrayView inside(start + tag + 1, close - tag - 1);
    const qsizetype colon = inside.indexOf(':');
    if (colon < 0)
        return marker(inside, close);
    const QByteArrayView name = inside.first(colon);
    QByteArrayView lengthText = inside.sliced(colon + 1);
    if (const qsizetype type = lengthText.indexOf(':'); type >= 0)
        lengthText = lengthText.first(type);
    bool isNumber = false;
    const qsizetype length = lengthText.size() <= 9 ? lengthText.toLongLong(&isNumber) : -1;
    const qsizetype value = close + 1;
    if (!isNumber || length < 0 || length > LongestValue) {
        damaged_ = true;
        pos_ = value;
        return Step::Done;
    }
    return readValue(name, tag, value, length, atEnd);
}

AdiReader::Step AdiReader::marker(QByteArrayView inside, qsizetype close) {
    if (inside.compare("EOR", Qt::CaseInsensitive) == 0) {
        readAnyField_ = true;
        endRecord(close + 1);
    } else if (inside.compare("EOH", Qt::CaseInsensitive) == 0) {
        // What came before was the header.
        readAnyField_ = true;
        record_.clear();
        damaged_ = false;
        wholeEnd_ = bufferStart_ + close + 1;
    }
    pos_ = close + 1;
    return Step::Done;
}

AdiReader::Step AdiReader::readValue(QByteArrayView name, qsizetype tag, qsizetype value,
                                     qsizetype length, bool atEnd) {
    const char* start = buffer_.constData();
    qsizetype end = afterCharacters(buffer_, value, length);
    Landing landed = end < 0 ? Landing::NeedMore : landing(buffer_, end, atEnd);
    if (landed == Landing::NeedMore && !atEnd) {
        pos_ = tag;
        return Step::NeedMore;
    }
    if (landed != Landing::Tag) {
        end = value + length;
        landed = end > buffer_.size() ? Landing::NeedMore : landing(buffer_, end, atEnd);
    }
    if (landed == Landing::NeedMore) {
        pos_ = tag;
        // A length past the end of the file: the field is cut, not its record.
        if (atEnd) {
            cutField_ = true;
            pos_ = buffer_.size();
        }
        return Step::NeedMore;
    }
    if (landed == Landing::Elsewhere) {
        damaged_ = true;
        pos_ = value;
        return Step::Done;
    }
    if (QByteArray* field = record_.field(name)) {
        field->resize(0);
        field->append(QByteArrayView(start + value, end - value).trimmed());
    }
    readAnyField_ = true;
    pos_ = end;
    return Step::Done;
}
