#pragma once

#include <QLibrary>
#include <QString>
#include <mutex>

// A part of the program kept in a library of its own beside it and loaded at
// its first use, so that the program starts without mapping that part and
// what it links (libcurl and its TLS stack, libsndfile and ALSA, libhamlib).
// Safe to use from several threads.
class OnDemandModule {
public:
    explicit OnDemandModule(QString path);
    OnDemandModule(const OnDemandModule&) = delete;
    OnDemandModule& operator=(const OnDemandModule&) = delete;

    // An exported function of the module, which is loaded first; null when
    // the module cannot be loaded or lacks it.
    template <class Function> Function* function(const char* name) {
        return reinterpret_cast<Function*>(resolve(name));
    }

    // Why the module could not be used, in French ("libpelk_http.so
    // introuvable"); empty when it could, or was not asked yet.
    QString problem() const;

private:
    QFunctionPointer resolve(const char* name);

    mutable std::mutex mutex_;
    QLibrary library_;
    QString problem_;
};
