#pragma once

#include "AdifRecord.h"

#include <QByteArray>
#include <functional>
#include <optional>

// The ADI form of an ADIF log, read as its bytes come: fields
// "<NAME:LENGTH[:TYPE]>value", records ended by "<EOR>", a header ended by
// "<EOH>". Programs disagree on whether a length counts characters or bytes
// when a value is not ASCII: it is read as UTF-8 characters when that ends
// where the next field starts, else as bytes, else the field is damaged and
// its record is skipped, so that one damaged value loses only its record.
// Memory holds one field at most, whatever the file's size.
class AdiReader {
public:
    using Take = std::function<void(const AdifRecord& record)>;

    explicit AdiReader(Take take) : take_(std::move(take)) {}

    // The next bytes of the file; each whole record goes to `take`.
    void feed(QByteArrayView bytes);
    // The end of the file: the record it cut (a logger still writing it), read
    // with the fields it holds, when it has a CALL.
    std::optional<AdifRecord> finish();

    // Bytes read up to the end of the last whole record or of the header:
    // where reading starts again when the file grows.
    qint64 wholeRecordsEnd() const { return wholeEnd_; }
    // Records skipped: damaged, or without a callsign or an entity.
    int unreadable() const { return unreadable_; }
    // Whether any whole field, header end or record end was read: without
    // one, the bytes are no ADI.
    bool readAnyField() const { return readAnyField_; }

    // The longest value taken; a longer length is damage.
    static constexpr qsizetype LongestValue = 1 << 20;

private:
    enum class Step { Done, NeedMore };
    Step step(bool atEnd);
    // A tag without a length: the end of a record or of the header.
    Step marker(QByteArrayView inside, qsizetype close);
    // The value of the field `name`, `length` characters from `value`.
    Step readValue(QByteArrayView name, qsizetype tag, qsizetype value, qsizetype length,
                   bool atEnd);
    void endRecord(qsizetype after);

    Take take_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    // Where buffer_ starts in the file.
    qint64 bufferStart_ = 0;
    qint64 wholeEnd_ = 0;
    AdifRecord record_;
    bool damaged_ = false;
    bool cutField_ = false;
    int unreadable_ = 0;
    bool readAnyField_ = false;
};
