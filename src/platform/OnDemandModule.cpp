#include "OnDemandModule.h"

#include "RegularFile.h"

#include <QFileInfo>

OnDemandModule::OnDemandModule(QString path) : library_(std::move(path)) {
    // Its symbols stay its own; every one it needs is bound at loading.
    library_.setLoadHints(QLibrary::ResolveAllSymbolsHint);
}

QFunctionPointer OnDemandModule::resolve(const char* name) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const QString path = library_.fileName();
    const QString file = QFileInfo(path).fileName();
    // Loading reads the file: a FIFO there would block the program for good.
    if (!QFileInfo::exists(path)) {
        problem_ = file + QStringLiteral(" introuvable");
        return nullptr;
    }
    if (!regularOrAbsent(path)) {
        problem_ = file + QStringLiteral(" n'est pas un fichier ordinaire");
        return nullptr;
    }
    // QLibrary tries to load again at each call while loading fails.
    const QFunctionPointer function = library_.resolve(name);
    problem_ = function != nullptr ? QString() : file + QStringLiteral(" inutilisable");
    return function;
}

QString OnDemandModule::problem() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return problem_;
}
