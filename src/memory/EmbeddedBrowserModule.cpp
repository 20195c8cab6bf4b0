// The browser module: the only part of the program that links the browser
// engine.
#include "EmbeddedBrowser.h"

#include <QWebEngineView>
#include <type_traits>

extern "C" Q_DECL_EXPORT QWidget* pelk_openEmbeddedBrowser(QWidget* parent, const QUrl& address) {
    auto* view = new QWebEngineView(parent);
    view->load(address);
    return view;
}

static_assert(std::is_same_v<decltype(&pelk_openEmbeddedBrowser), EmbeddedBrowser::Factory>);
