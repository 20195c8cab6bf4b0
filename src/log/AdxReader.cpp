#include "AdxReader.h"

namespace {

bool named(const QXmlStreamReader& xml, const char* name) {
    return xml.name().compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

} // namespace

void AdxReader::feed(QByteArrayView bytes) {
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
    if (!xml_.hasError())
        return QString();
    return QStringLiteral("XML invalide ligne %1").arg(xml_.lineNumber());
}
