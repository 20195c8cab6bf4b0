#include "AdxReader.h"

#include "AdiReader.h"

#include <cstring>

namespace {

// Room for an element's name and the markup around a value.
constexpr qsizetype LongestMarkup = 4096;

bool named(const QXmlStreamReader& xml, const char* name) {
    return xml.name().compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

} // namespace

void AdxReader::feed(QByteArrayView bytes) {
    if (tooLong_)
        return;
    const auto* lastOpen =
        static_cast<const char*>(::memrchr(bytes.data(), '<', std::size_t(bytes.size())));
    sinceMarkup_ =
        lastOpen ? bytes.size() - (lastOpen - bytes.data()) - 1 : sinceMarkup_ + bytes.size();
    if (sinceMarkup_ > AdiReader::LongestValue + LongestMarkup) {
        tooLong_ = true;
        return;
    }
    xml_.addData(bytes.toByteArray());
    readTokens();
}

// Token by token, so that a value cut between two pieces of the file is
// taken up again with the next one.
void AdxReader::readTokens() {
    while (!xml_.atEnd()) {
        switch (xml_.readNext()) {
        case QXmlStreamReader::StartElement:
            if (named(xml_, "RECORD")) {
                inRecord_ = true;
                record_ = AdifRecord();
            } else if (inRecord_) {
                field_ = record_.field(xml_.name().toLatin1());
                if (field_)
                    field_->clear();
            }
            break;
        case QXmlStreamReader::Characters:
            if (field_)
                field_->append(xml_.text().toUtf8());
            break;
        case QXmlStreamReader::EndElement:
            if (field_) {
                *field_ = field_->trimmed();
                field_ = nullptr;
            } else if (inRecord_ && named(xml_, "RECORD")) {
                inRecord_ = false;
                if (record_.call.isEmpty() && record_.dxcc.isEmpty())
                    ++unreadable_;
                else
                    take_(record_);
            }
            break;
        default:
            break;
        }
    }
}

QString AdxReader::finish() {
    if (tooLong_)
        return QStringLiteral("valeur de plus de 1 Mo ligne %1").arg(xml_.lineNumber());
    if (!xml_.hasError())
        return QString();
    return QStringLiteral("XML invalide ligne %1").arg(xml_.lineNumber());
}
