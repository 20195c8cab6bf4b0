#pragma once

#include <QString>
#include <chrono>

class HttpClient;

// Fetches a page on a worker thread while the calling (window) thread goes
// on painting and answering the desktop. User input waits until the page has
// arrived, so no handler of the window runs in between, as with a fetch that
// blocks the thread; only the window no longer looks dead. Without a running
// application the fetch simply blocks.
QString fetchKeepingWindowAlive(HttpClient& http, const QString& address,
                                std::chrono::milliseconds timeLimit);
