#pragma once

#include "LoopbackSocket.h"
#include "MessageBox.h"
#include "SoundPlayer.h"

#include <QtTest>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <ostream>
#include <sys/syscall.h>
#include <unistd.h>
#include <utility>

// Small helpers shared by the tests.

// Texts in failure messages as text, not as their code units.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{' << texts.join(QStringLiteral(", ")).toStdString() << '}';
}

inline QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Writes the bytes into a new or emptied file; false when it could not.
inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// A running program whose command line, its words joined by blanks, holds
// `words`: its id and that line; no id when none does.
inline std::pair<int, QString> runningProgramWith(const QString& words) {
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        const QString line = readAll("/proc/" + pid + "/cmdline").replace(QChar(0), u' ');
        if (line.contains(words))
            return {pid.toInt(), line};
    }
    return {};
}

// A configuration file in `folder` naming the cluster nodes and the login.
inline QString nodeConfiguration(const QString& folder, const QString& cluster,
                                 const QByteArray& callsign, const QByteArray& password = {}) {
    const QString path =
        QDir(folder).filePath(QString::fromLatin1(callsign).replace('/', '_') + ".conf");
    writeFile(path, "cluster = " + cluster.toLatin1() + "\ncallsign = " + callsign +
                        (password.isEmpty() ? QByteArray() : "\npassword = " + password) + "\n");
    return path;
}

// The resident memory of a process ("self" for this one), in KiB.
inline long residentKb(const QString& pid = QStringLiteral("self")) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    return text.mid(text.indexOf("VmRSS:") + 6).trimmed().split(' ').constFirst().toLong();
}

// Counts the sounds played, and plays them.
struct CountingSound : SoundPlayer {
    explicit CountingSound(SoundPlayer& real) : real(real) {}
    void play(const QString& wavPath) override {
        ++played;
        real.play(wavPath);
    }
    SoundPlayer& real;
    int played = 0;
};

// Messages nobody reads.
struct SilentMessages : MessageBox {
    void show(const QString&) override {}
};

// Root reads and writes any file through CAP_DAC_OVERRIDE and
// CAP_DAC_READ_SEARCH; only the calling thread loses or regains them.
inline bool overridePermissions(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    syscall(SYS_capget, &header, data);
    const unsigned bit = (1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH);
    data[0].effective = on ? data[0].effective | bit : data[0].effective & ~bit;
    return syscall(SYS_capset, &header, data) == 0;
}
