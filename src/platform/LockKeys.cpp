#include "platform/LockKeys.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibrary>

#if defined(TABULON_HAVE_X11) && QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
// X11 headers come last: their macros (Bool, Status, None ...) clash with Qt's.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#ifdef TABULON_HAVE_XTEST
#include <X11/extensions/XTest.h>
#endif
#define TABULON_LOCKKEYS_X11 1
#endif

namespace LockKeys {

#ifdef TABULON_LOCKKEYS_X11
namespace {

Display *display()
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return nullptr;
    auto *x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

bool litEtat(Display *dpy, bool *num, bool *caps)
{
    XkbStateRec state;
    if (XkbGetState(dpy, XkbUseCoreKbd, &state) != Success)
        return false;
    const unsigned numMask = XkbKeysymToModifiers(dpy, XK_Num_Lock);
    *caps = (state.locked_mods & LockMask) != 0;
    *num = numMask != 0 && (state.locked_mods & numMask) != 0;
    return true;
}

#ifdef TABULON_HAVE_XTEST
// The XTest library is loaded at the first key to toggle, not linked in:
// most starts find the keys as they should be and need not load it.
struct XTest
{
    decltype(&XTestQueryExtension) interroge = nullptr;
    decltype(&XTestFakeKeyEvent) touche = nullptr;
};

const XTest &xtest()
{
    static const XTest fonctions = [] {
        QLibrary bibliotheque(QStringLiteral("Xtst"), 6);
        XTest f;
        f.interroge = reinterpret_cast<decltype(&XTestQueryExtension)>(bibliotheque.resolve("XTestQueryExtension"));
        f.touche = reinterpret_cast<decltype(&XTestFakeKeyEvent)>(bibliotheque.resolve("XTestFakeKeyEvent"));
        return f.interroge && f.touche ? f : XTest{};
    }();
    return fonctions;
}
#endif

void bascule(Display *dpy, KeySym touche, unsigned masque, bool voulu)
{
#ifdef TABULON_HAVE_XTEST
    int evt = 0, err = 0, maj = 0, min = 0;
    const KeyCode code = XKeysymToKeycode(dpy, touche);
    const XTest &x = xtest();
    if (code != 0 && x.interroge && x.interroge(dpy, &evt, &err, &maj, &min)) {
        x.touche(dpy, code, True, CurrentTime);
        x.touche(dpy, code, False, CurrentTime);
        XSync(dpy, False);
        return;
    }
#else
    Q_UNUSED(touche);
#endif
    if (masque != 0) {
        XkbLockModifiers(dpy, XkbUseCoreKbd, masque, voulu ? masque : 0);
        XSync(dpy, False);
    }
}

} // namespace
#endif

bool lit_verrouillages(bool *num, bool *caps)
{
    *num = false;
    *caps = false;
#ifdef TABULON_LOCKKEYS_X11
    if (Display *dpy = display())
        return litEtat(dpy, num, caps);
#endif
    return false;
}

bool fixe_verrouillages(bool num, bool caps)
{
#ifdef TABULON_LOCKKEYS_X11
    Display *dpy = display();
    bool numActuel = false;
    bool capsActuel = false;
    if (!dpy || !litEtat(dpy, &numActuel, &capsActuel))
        return false;
    if (numActuel != num)
        bascule(dpy, XK_Num_Lock, XkbKeysymToModifiers(dpy, XK_Num_Lock), num);
    if (capsActuel != caps)
        bascule(dpy, XK_Caps_Lock, LockMask, caps);
    return litEtat(dpy, &numActuel, &capsActuel) && numActuel == num && capsActuel == caps;
#else
    Q_UNUSED(num);
    Q_UNUSED(caps);
    return false;
#endif
}

} // namespace LockKeys
