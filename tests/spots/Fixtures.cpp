#include "Fixtures.h"

#include "PageScratchFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

QByteArray fixturePage(const QString& name) {
    QFile file(QDir(QStringLiteral(PELK_TEST_DATA_DIR)).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QString storedPage(const QByteArray& html) {
    QTemporaryDir folder;
    PageScratchFiles scratch(folder.path(), QString());
    if (!scratch.store(QString::fromLatin1(html).toUpper()))
        return QString();
    return scratch.readPage().value_or(QString());
}
