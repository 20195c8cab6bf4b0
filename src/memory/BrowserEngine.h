#pragma once

// Prepares the embedded browser before the QApplication exists; the engine
// itself starts only with the first lookup window.
void prepareBrowserEngine();
