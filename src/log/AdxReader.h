#pragma once

#include "AdifRecord.h"

#include <QByteArrayView>
#include <QString>
#include <QXmlStreamReader>
#include <functional>

// The XML form of an ADIF log (<ADX><HEADER>…</HEADER><RECORDS><RECORD>…),
// read as its bytes come.
class AdxReader {
public:
    using Take = std::function<void(const AdifRecord& record)>;

    explicit AdxReader(Take take) : take_(std::move(take)) {}

    void feed(QByteArrayView bytes);
    // The end of the file: why it is no ADX log, in French ("XML invalide
    // ligne 12"), or nothing. A value, an attribute or any text longer than
    // a field's bound is damage that stops the reading, since XML cannot be
    // taken up again past it, in bounded memory.
    QString finish();
    int unreadable() const { return unreadable_; }

private:
    void readTokens();

    Take take_;
    QXmlStreamReader xml_;
    AdifRecord record_;
    bool inRecord_ = false;
    // The kept field whose element is open.
    QByteArray* field_ = nullptr;
    int unreadable_ = 0;
    // Bytes since the last "<", and whether they went past the bound.
    qsizetype sinceMarkup_ = 0;
    bool tooLong_ = false;
};
