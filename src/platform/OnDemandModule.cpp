#include "OnDemandModule.h"

OnDemandModule::OnDemandModule(QString path) : library_(std::move(path)) {
    // Its symbols stay its own; every one it needs is bound at loading.
    library_.setLoadHints(QLibrary::ResolveAllSymbolsHint);
}

QFunctionPointer OnDemandModule::resolve(const char* name) {
    const std::lock_guard<std::mutex> lock(mutex_);
    // QLibrary tries to load again at each call while loading fails.
    return library_.resolve(name);
}
