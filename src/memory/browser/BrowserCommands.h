#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <vector>

// What the main program asks of the lookup window's browser program, one
// line each: "show", the window's caption and the page's address, separated
// by tabs.
struct BrowserCommand {
    QString caption;
    QUrl address;

    QByteArray encoded() const;
};

// Cuts the browser program's input, which comes from the main program only,
// into commands; a line that is not a command is skipped.
class BrowserCommandReader {
public:
    std::vector<BrowserCommand> feed(const QByteArray& bytes);

private:
    QByteArray pending_;
};
