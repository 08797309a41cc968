#include "app/qt/LockKeys.h"

#include <QGuiApplication>

#ifdef VEXLOR_HAVE_XKB
#include <QtGui/qguiapplication_platform.h>
// Xlib comes last: its macros clash with Qt's names.
#include <X11/XKBlib.h>
#endif

namespace {
#ifdef VEXLOR_HAVE_XKB
bool Indicator(Display* display, const char* name) {
    Atom atom = XInternAtom(display, name, True);
    if (atom == 0)
        return false;
    int on = 0;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on != 0;
}
#endif
} // namespace

LockKeys::State LockKeys::Query() {
    State state;
#ifdef VEXLOR_HAVE_XKB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return state;
    state.known = true;
    state.caps = Indicator(display, "Caps Lock");
    state.num = Indicator(display, "Num Lock");
    state.scroll = Indicator(display, "Scroll Lock");
#endif
    return state;
}
