#include "BrowserCommands.h"

#include <QList>
#include <optional>

namespace {

std::optional<BrowserCommand> parsed(const QByteArray& line) {
    const QList<QByteArray> fields = line.split('\t');
    if (fields.size() != 3 || fields[0] != "show")
        return std::nullopt;
    const QUrl address = QUrl::fromEncoded(fields[2], QUrl::StrictMode);
    if (!address.isValid() || address.isRelative())
        return std::nullopt;
    return BrowserCommand{QString::fromUtf8(fields[1]), address};
}

} // namespace

QByteArray BrowserCommand::encoded() const {
    QString title = caption;
    for (QChar& c : title) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    return "show\t" + title.toUtf8() + '\t' + address.toEncoded() + '\n';
}

std::vector<BrowserCommand> BrowserCommandReader::feed(const QByteArray& bytes) {
    std::vector<BrowserCommand> commands;
    pending_ += bytes;
    qsizetype end = 0;
    while ((end = pending_.indexOf('\n')) >= 0) {
        const QByteArray line = pending_.left(end);
        pending_.remove(0, end + 1);
        if (std::optional<BrowserCommand> command = parsed(line))
            commands.push_back(*command);
    }
    return commands;
}
