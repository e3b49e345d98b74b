#include "print/PrintSession.h"

#include <clocale>
#include <cstdlib>

namespace flowcfg {

PrintSession::PrintSession() {
    if (QCoreApplication::instance()) return;
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    if (!display && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    // Qt takes the user's locale for the whole C library; values are printed and parsed with
    // the program's own decimal point.
    std::setlocale(LC_NUMERIC, "C");
}

PrintSession::~PrintSession() = default;

}  // namespace flowcfg
