// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The end-to-end tests' eyes and hands where xdotool and ImageMagick have none:
//   wm                      a stand-in window manager (see runWindowManager)
//   close WINDOW            what a frame's close button does: WM_DELETE_WINDOW to the window
//   maximise WINDOW on|off  what a title bar's maximise button asks: _NET_WM_STATE to the root
//   windows                 the top-level windows a player could see or restore, one a line:
//                           ID STATE GEOMETRY KIND "TITLE"  (STATE normal|iconic, KIND window|dialog;
//                           GEOMETRY the client area's, inside a window manager's frame)
//   describe WINDOW         the actions a window manager allows on it, one a line (MINIMIZE,
//                           CLOSE...), and "frame LEFT RIGHT TOP BOTTOM", its frame's extents
//   record DIR GEOM         screenshots of the screen's GEOM into DIR, named by the milliseconds
//                           since the start, as quickly as they come, until killed
//   frames DIR SCALE Y SPRITE... [Y SPRITE...]...
//                           "FRAME READING" a line, in order, for record's frames: what find reads
//   shot FILE [GEOM SCALE Y SPRITE...]   the whole X screen as a PNG, then, given the rest, what
//                           find reads in it: one quick process for a reading while the game runs
//   find SHOT GEOM SCALE Y SPRITE... [Y SPRITE...]...
//                           "SPRITE:X" for every client x at row Y where the sprite's opaque pixels
//                           show; a number starts the next row, so one reading gives several rows
//   match SHOT GEOM SCALE PICTURE AX AY W H CX CY [UNDER]
//                           the picture's rectangle shows at client (CX, CY), each pixel a crisp
//                           SCALE x SCALE square; its transparent pixels show UNDER's pixels there
//   color SHOT GEOM SCALE CX CY          the client pixel's colour, rrggbb
//   blocks SHOT GEOM SCALE CX CY W H     how many client pixels are not one crisp square
//   count SHOT GEOM SCALE CX CY W H RRGGBB  how many screen pixels of that client rectangle have
//                                        exactly that colour
//   differ SHOT1 SHOT2 [GEOM]            how many screen pixels differ
//   overlaps GEOM1 GEOM2 SCALE CX CY W H whether window 1 covers part of that client rectangle of
//                                        window 2 (exit status 0 if it does)
// GEOM is a window's place on the screen as WxH+X+Y in screen pixels; client coordinates are the
// game's pixels, SCALE screen pixels each. Pictures are named as the game names its artwork.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRect>

// After Qt: Xlib's macros (Bool, Status, None) break Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

int usage() {
    std::fprintf(stderr, "e2e-probe: see the comment at the top of e2e_probe.cpp for the commands\n");
    return 2;
}

// ---- X ---------------------------------------------------------------------------------------

// Windows come and go while we look at them.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

bool otherWindowManager = false;
int noteOtherWindowManager(Display*, XErrorEvent*) {
    otherWindowManager = true;
    return 0;
}

Display* openDisplay() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        const char* name = std::getenv("DISPLAY");
        std::fprintf(stderr, "e2e-probe: cannot open display '%s'\n", name ? name : "");
    }
    return d;
}

void setWmState(Display* d, Window w, long state) {
    const Atom wmState = XInternAtom(d, "WM_STATE", False);
    long data[2] = {state, None};
    XChangeProperty(d, w, wmState, wmState, 32, PropModeReplace, reinterpret_cast<unsigned char*>(data), 2);
}

// Just enough of an ICCCM window manager that "minimised" means what it means on a desktop:
// Qt asks for iconic state with a WM_CHANGE_STATE message, which with no manager running nobody
// acts on, so the window would stay up. No frames, no focus policy: Qt sets focus itself.
int runWindowManager() {
    Display* d = openDisplay();
    if (!d) return 1;
    const Window root = DefaultRootWindow(d);
    XSetErrorHandler(noteOtherWindowManager);
    XSelectInput(d, root, SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(d, False);
    if (otherWindowManager) {
        std::fprintf(stderr, "e2e-probe wm: another window manager runs on this display\n");
        return 1;
    }
    XSetErrorHandler(ignoreXErrors);
    const Atom changeState = XInternAtom(d, "WM_CHANGE_STATE", False);
    std::set<Window> iconified;  // unmapped by us, so their UnmapNotify is no withdrawal
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        switch (e.type) {
        case MapRequest: {
            const Window w = e.xmaprequest.window;
            iconified.erase(w);
            setWmState(d, w, NormalState);
            XMapWindow(d, w);
            break;
        }
        case ConfigureRequest: {
            const XConfigureRequestEvent& r = e.xconfigurerequest;
            XWindowChanges c{r.x, r.y, r.width, r.height, r.border_width, r.above, r.detail};
            XConfigureWindow(d, r.window, static_cast<unsigned>(r.value_mask), &c);
            break;
        }
        case ClientMessage:
            if (e.xclient.message_type == changeState && e.xclient.data.l[0] == IconicState) {
                const Window w = e.xclient.window;
                iconified.insert(w);
                XUnmapWindow(d, w);
                setWmState(d, w, IconicState);
            }
            break;
        case UnmapNotify: {
            // The client's own unmap (or its synthetic one for an iconic window) withdraws it.
            const Window w = e.xunmap.window;
            if (!e.xunmap.send_event && iconified.count(w)) break;
            iconified.erase(w);
            setWmState(d, w, WithdrawnState);
            break;
        }
        case DestroyNotify:
            iconified.erase(e.xdestroywindow.window);
            break;
        default:
            break;
        }
        XFlush(d);
    }
}

int closeWindow(const char* id) {
    Display* d = openDisplay();
    if (!d) return 1;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = static_cast<Window>(std::strtoul(id, nullptr, 0));
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, e.xclient.window, False, NoEventMask, &e);
    XSync(d, False);
    XCloseDisplay(d);
    return 0;
}

int maximiseWindow(const char* id, bool on) {
    Display* d = openDisplay();
    if (!d) return 1;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = static_cast<Window>(std::strtoul(id, nullptr, 0));
    e.xclient.message_type = XInternAtom(d, "_NET_WM_STATE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = on ? 1 : 0;  // _NET_WM_STATE_ADD or _REMOVE
    e.xclient.data.l[1] = static_cast<long>(XInternAtom(d, "_NET_WM_STATE_MAXIMIZED_VERT", False));
    e.xclient.data.l[2] = static_cast<long>(XInternAtom(d, "_NET_WM_STATE_MAXIMIZED_HORZ", False));
    e.xclient.data.l[3] = 1;  // from an application, as a pager or a button would
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XSync(d, False);
    XCloseDisplay(d);
    return 0;
}

std::vector<unsigned char> property(Display* d, Window w, Atom name, Atom type) {
    Atom actualType;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::vector<unsigned char> bytes;
    if (XGetWindowProperty(d, w, name, 0, 1024, False, type, &actualType, &format, &count, &after, &data) ==
            Success &&
        data) {
        bytes.assign(data, data + count * (format == 32 ? sizeof(long) : static_cast<unsigned>(format) / 8));
        XFree(data);
    }
    return bytes;
}

// The client window at or under `w` that a window manager manages (it carries WM_STATE): the
// window itself without a manager, else inside the manager's frame.
Window clientOf(Display* d, Window w, Atom wmState, int depth = 0) {
    if (!property(d, w, wmState, wmState).empty()) return w;
    if (depth == 3) return None;
    Window rootBack, parent, *children = nullptr;
    unsigned count = 0;
    Window found = None;
    if (XQueryTree(d, w, &rootBack, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && found == None; ++i) found = clientOf(d, children[i], wmState, depth + 1);
        if (children) XFree(children);
    }
    return found;
}

int listWindows() {
    Display* d = openDisplay();
    if (!d) return 1;
    XSetErrorHandler(ignoreXErrors);
    const Window root = DefaultRootWindow(d);
    const Atom wmState = XInternAtom(d, "WM_STATE", False);
    const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    const Atom windowType = XInternAtom(d, "_NET_WM_WINDOW_TYPE", False);
    const Atom dialogType = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    Window rootBack, parent, *children = nullptr;
    unsigned count = 0;
    XQueryTree(d, root, &rootBack, &parent, &children, &count);
    for (unsigned i = 0; i < count; ++i) {
        const Window top = children[i];
        const Window managed = clientOf(d, top, wmState);
        const Window w = managed != None ? managed : top;
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, w, &a)) continue;
        XWindowAttributes topAttributes;
        if (!XGetWindowAttributes(d, top, &topAttributes)) continue;
        const char* state = nullptr;
        if (a.map_state == IsViewable && topAttributes.map_state == IsViewable) {
            state = "normal";
        } else {
            const auto s = property(d, w, wmState, wmState);
            if (s.size() >= sizeof(long) && *reinterpret_cast<const long*>(s.data()) == IconicState) state = "iconic";
        }
        if (!state) continue;  // withdrawn, or one of a toolkit's never-shown helpers
        auto title = property(d, w, netName, utf8);
        if (title.empty()) title = property(d, w, XA_WM_NAME, XA_STRING);
        bool dialog = false;
        const auto types = property(d, w, windowType, XA_ATOM);
        for (std::size_t k = 0; k + sizeof(long) <= types.size(); k += sizeof(long))
            dialog = dialog || *reinterpret_cast<const long*>(types.data() + k) == static_cast<long>(dialogType);
        // The client area's place on the screen, inside a frame if there is one.
        int x = 0, y = 0;
        Window ignored;
        XTranslateCoordinates(d, w, root, 0, 0, &x, &y, &ignored);
        std::printf("0x%lx %s %dx%d+%d+%d %s \"%.*s\"\n", w, state, a.width, a.height, x, y,
                    dialog ? "dialog" : "window", static_cast<int>(title.size()),
                    reinterpret_cast<const char*>(title.data()));
    }
    if (children) XFree(children);
    XCloseDisplay(d);
    return 0;
}

// What a window manager lets the player do with a window (_NET_WM_ALLOWED_ACTIONS), one a line,
// without the prefix: MOVE, MINIMIZE, CLOSE...; and its frame's extents as "frame L R T B".
int describeWindow(const char* id) {
    Display* d = openDisplay();
    if (!d) return 1;
    XSetErrorHandler(ignoreXErrors);
    const Window w = static_cast<Window>(std::strtoul(id, nullptr, 0));
    const auto actions = property(d, w, XInternAtom(d, "_NET_WM_ALLOWED_ACTIONS", False), XA_ATOM);
    for (std::size_t k = 0; k + sizeof(long) <= actions.size(); k += sizeof(long)) {
        char* name = XGetAtomName(d, static_cast<Atom>(*reinterpret_cast<const long*>(actions.data() + k)));
        if (!name) continue;
        const std::string action(name);
        XFree(name);
        const std::string prefix = "_NET_WM_ACTION_";
        std::printf("%s\n", action.rfind(prefix, 0) == 0 ? action.c_str() + prefix.size() : action.c_str());
    }
    const auto extents = property(d, w, XInternAtom(d, "_NET_FRAME_EXTENTS", False), XA_CARDINAL);
    if (extents.size() >= 4 * sizeof(long)) {
        const long* e = reinterpret_cast<const long*>(extents.data());
        std::printf("frame %ld %ld %ld %ld\n", e[0], e[1], e[2], e[3]);
    }
    XCloseDisplay(d);
    return 0;
}

// ---- pictures --------------------------------------------------------------------------------

QImage load(const QString& file) {
    QImage image(file);
    if (image.isNull()) {
        std::fprintf(stderr, "e2e-probe: cannot read picture %s\n", qPrintable(file));
        std::exit(2);
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The game's artwork by name, from the files it embeds.
QImage artwork(const char* name) {
    const QDir dir(QStringLiteral(MIRAVEL_ASSETS_DIR));
    for (const char* ext : {"bmp", "gif", "ico"}) {
        const QString file = dir.filePath(QStringLiteral("%1.%2").arg(QLatin1String(name), QLatin1String(ext)));
        if (QFile::exists(file)) return load(file);
    }
    std::fprintf(stderr, "e2e-probe: no artwork named %s\n", name);
    std::exit(2);
}

QRect geometry(const char* text) {
    int w, h, x, y;
    if (std::sscanf(text, "%dx%d+%d+%d", &w, &h, &x, &y) != 4) {
        std::fprintf(stderr, "e2e-probe: geometry '%s' is not WxH+X+Y\n", text);
        std::exit(2);
    }
    return {x, y, w, h};
}

int number(const char* text) { return std::atoi(text); }

QRgb rgb(QRgb c) { return c & 0xFFFFFFu; }

// A screenshot seen through one window: client pixels, each a SCALE x SCALE square.
struct Client {
    QImage shot;
    QRect window;
    int scale;

    int width() const { return window.width() / scale; }
    int height() const { return window.height() / scale; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width() && y < height(); }
    QRgb at(int x, int y, int dx = 0, int dy = 0) const {
        return rgb(shot.pixel(window.x() + x * scale + dx, window.y() + y * scale + dy));
    }
    // The one colour of the client pixel's square, or false when the square is not crisp.
    bool crisp(int x, int y, QRgb& colour) const {
        colour = at(x, y);
        for (int dy = 0; dy < scale; ++dy)
            for (int dx = 0; dx < scale; ++dx)
                if (at(x, y, dx, dy) != colour) return false;
        return true;
    }
};

Client client(QImage shot, const char* geom, const char* scale) {
    Client c{std::move(shot), geometry(geom), number(scale)};
    if (c.scale < 1 || !c.shot.rect().contains(c.window)) {
        std::fprintf(stderr, "e2e-probe: window %s at scale %s does not lie on the screenshot\n", geom, scale);
        std::exit(2);
    }
    return c;
}

Client client(const char* shot, const char* geom, const char* scale) {
    return client(load(QString::fromLocal8Bit(shot)), geom, scale);
}

bool isNumber(const char* text) { return *text && std::strspn(text, "-0123456789") == std::strlen(text); }

std::string spritesIn(const Client& c, char** args, int count) {
    std::string found;
    int row = 0;
    for (int n = 0; n < count; ++n) {
        if (isNumber(args[n])) {
            row = number(args[n]);
            continue;
        }
        const QImage sprite = artwork(args[n]);
        std::vector<QPoint> opaque;
        for (int y = 0; y < sprite.height(); ++y)
            for (int x = 0; x < sprite.width(); ++x)
                if (qAlpha(sprite.pixel(x, y)) != 0) opaque.emplace_back(x, y);
        for (int left = 0; left + sprite.width() <= c.width(); ++left) {
            if (!c.contains(left, row) || !c.contains(left + sprite.width() - 1, row + sprite.height() - 1)) continue;
            bool shows = true;
            for (const QPoint& p : opaque) {
                QRgb colour;
                if (!c.crisp(left + p.x(), row + p.y(), colour) || colour != rgb(sprite.pixel(p))) {
                    shows = false;
                    break;
                }
            }
            if (shows) found += (found.empty() ? "" : " ") + std::string(args[n]) + ":" + std::to_string(left);
        }
    }
    return found;
}

int findSprites(const Client& c, char** args, int count) {
    std::printf("%s\n", spritesIn(c, args, count).c_str());
    return 0;
}

int matchPicture(const Client& c, char** args, int count) {
    const QImage picture = artwork(args[0]);
    const QRect part(number(args[1]), number(args[2]), number(args[3]), number(args[4]));
    const QPoint at(number(args[5]), number(args[6]));
    const QImage under = count > 7 ? artwork(args[7]) : QImage();
    int mismatches = 0;
    std::string first;
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x) {
            const QPoint p = at + QPoint(x, y);
            QRgb want = picture.pixel(part.topLeft() + QPoint(x, y));
            if (qAlpha(want) == 0) {
                if (under.isNull()) continue;
                want = under.pixel(p);
            }
            QRgb got;
            const bool crisp = c.contains(p.x(), p.y()) && c.crisp(p.x(), p.y(), got);
            if (crisp && got == rgb(want)) continue;
            if (mismatches++ == 0) {
                char text[120];
                std::snprintf(text, sizeof text, "first at client (%d,%d): %s%06x, wanted %06x", p.x(), p.y(),
                              crisp ? "" : "not crisp, ", c.contains(p.x(), p.y()) ? c.at(p.x(), p.y()) : 0,
                              rgb(want));
                first = text;
            }
        }
    if (mismatches == 0) {
        std::printf("match\n");
        return 0;
    }
    std::printf("%d of %d pixels differ; %s\n", mismatches, part.width() * part.height(), first.c_str());
    return 1;
}

int countBlurredPixels(const Client& c, QRect part) {
    int blurred = 0;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x) {
            QRgb colour;
            if (c.contains(x, y) && !c.crisp(x, y, colour)) ++blurred;
        }
    std::printf("%d\n", blurred);
    return 0;
}

int countColour(const Client& c, QRect part, const char* colour) {
    const QRgb wanted = static_cast<QRgb>(std::strtoul(colour, nullptr, 16));
    long long count = 0;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            if (c.contains(x, y))
                for (int dy = 0; dy < c.scale; ++dy)
                    for (int dx = 0; dx < c.scale; ++dx) count += c.at(x, y, dx, dy) == wanted;
    std::printf("%lld\n", count);
    return 0;
}

int countDifferences(const char* a, const char* b, const char* geom) {
    const QImage one = load(QString::fromLocal8Bit(a));
    const QImage two = load(QString::fromLocal8Bit(b));
    if (one.size() != two.size()) {
        std::printf("%lld\n", static_cast<long long>(one.width()) * one.height());
        return 0;
    }
    const QRect part = geom ? geometry(geom) & one.rect() : one.rect();
    long long differ = 0;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            if (rgb(one.pixel(x, y)) != rgb(two.pixel(x, y))) ++differ;
    std::printf("%lld\n", differ);
    return 0;
}

// ImageMagick's import takes half a second for a screen on a busy machine, long enough for a youma
// to take two steps; reading the root window here takes a few milliseconds.
// The screen's rectangle PART, or the whole screen.
QImage screenshot(Display* d, QRect part = {}) {
    const Window root = DefaultRootWindow(d);
    if (part.isEmpty()) {
        XWindowAttributes a;
        XGetWindowAttributes(d, root, &a);
        part = QRect(0, 0, a.width, a.height);
    }
    XImage* x = XGetImage(d, root, part.x(), part.y(), static_cast<unsigned>(part.width()),
                          static_cast<unsigned>(part.height()), AllPlanes, ZPixmap);
    if (!x) {
        std::fprintf(stderr, "e2e-probe: cannot read the screen\n");
        return {};
    }
    // Xvfb's 24-bit screens keep a pixel in 32 bits as 0xRRGGBB, which is QImage's RGB32.
    if (x->bits_per_pixel != 32 || x->red_mask != 0xFF0000 || x->green_mask != 0xFF00 || x->blue_mask != 0xFF) {
        std::fprintf(stderr, "e2e-probe: the screen is not 24-bit RGB\n");
        XDestroyImage(x);
        return {};
    }
    QImage image(part.width(), part.height(), QImage::Format_RGB32);
    for (int y = 0; y < part.height(); ++y)
        std::memcpy(image.scanLine(y), x->data + static_cast<std::ptrdiff_t>(y) * x->bytes_per_line,
                    static_cast<std::size_t>(part.width()) * 4);
    XDestroyImage(x);
    return image;
}

int takeShot(char** args, int count) {
    Display* d = openDisplay();
    if (!d) return 1;
    QImage image = screenshot(d);
    XCloseDisplay(d);
    if (image.isNull()) return 1;
    // Quality 80 is zlib's level 1: quick to write, small enough to keep every reading.
    if (!image.save(QString::fromLocal8Bit(args[0]), "PNG", 80)) {
        std::fprintf(stderr, "e2e-probe: cannot write %s\n", args[0]);
        return 1;
    }
    if (count == 1) return 0;
    return findSprites(client(std::move(image), args[1], args[2]), args + 3, count - 3);
}

// Screenshots of the screen's GEOM into DIR, each named by the milliseconds since the start, as
// quickly as they come, until killed: a player's run of a level to be read at leisure, so that the
// test's own speed on a busy machine takes nothing from what the game had the time to show.
int record(const char* dir, const char* geom) {
    Display* d = openDisplay();
    if (!d) return 1;
    const QRect part = geometry(geom);
    const QDir folder(QString::fromLocal8Bit(dir));
    const QString partial = folder.filePath(QStringLiteral(".frame.png"));
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const qint64 at = clock.elapsed();
        const QImage frame = screenshot(d, part);
        if (frame.isNull()) return 1;
        // Written whole, then named: a frame cut off by the kill is never read.
        if (!frame.save(partial, "PNG", 80) ||
            !QFile::rename(partial, folder.filePath(QStringLiteral("%1.png").arg(at, 6, 10, QLatin1Char('0'))))) {
            std::fprintf(stderr, "e2e-probe: cannot write frames into %s\n", dir);
            return 1;
        }
        // A frame every 20 ms or so is plenty next to the game's 100 ms flight ticks.
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
}

// "FRAME READING" for every frame that record wrote into DIR, in order: what find reads in each.
int readFrames(const char* dir, const char* scale, char** args, int count) {
    const QDir folder(QString::fromLocal8Bit(dir));
    for (const QString& name : folder.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name)) {
        QImage frame = load(folder.filePath(name));
        const QByteArray geom = QStringLiteral("%1x%2+0+0").arg(frame.width()).arg(frame.height()).toLatin1();
        std::printf("%s %s\n", qPrintable(name.chopped(4)), spritesIn(client(std::move(frame), geom.constData(), scale), args, count).c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string command = argv[1];
    if (command == "wm" && argc == 2) return runWindowManager();
    if (command == "close" && argc == 3) return closeWindow(argv[2]);
    if (command == "maximise" && argc == 4) return maximiseWindow(argv[2], std::strcmp(argv[3], "on") == 0);
    if (command == "describe" && argc == 3) return describeWindow(argv[2]);
    if (command == "windows" && argc == 2) return listWindows();

    // Image plugins (GIF) are found through the application's library paths.
    QCoreApplication app(argc, argv);
    if (command == "record" && argc == 4) return record(argv[2], argv[3]);
    if (command == "frames" && argc >= 6 && isNumber(argv[4])) return readFrames(argv[2], argv[3], argv + 4, argc - 4);
    if (command == "shot" && (argc == 3 || (argc >= 7 && isNumber(argv[5])))) return takeShot(argv + 2, argc - 2);
    if (command == "find" && argc >= 7 && isNumber(argv[5]))
        return findSprites(client(argv[2], argv[3], argv[4]), argv + 5, argc - 5);
    if (command == "match" && (argc == 12 || argc == 13))
        return matchPicture(client(argv[2], argv[3], argv[4]), argv + 5, argc - 5);
    if (command == "color" && argc == 7) {
        const Client c = client(argv[2], argv[3], argv[4]);
        const int x = number(argv[5]), y = number(argv[6]);
        if (!c.contains(x, y)) return usage();
        std::printf("%06x\n", c.at(x, y));
        return 0;
    }
    if (command == "blocks" && argc == 9)
        return countBlurredPixels(client(argv[2], argv[3], argv[4]),
                                  QRect(number(argv[5]), number(argv[6]), number(argv[7]), number(argv[8])));
    if (command == "count" && argc == 10)
        return countColour(client(argv[2], argv[3], argv[4]),
                           QRect(number(argv[5]), number(argv[6]), number(argv[7]), number(argv[8])), argv[9]);
    if (command == "overlaps" && argc == 9) {
        const QRect over = geometry(argv[2]), window = geometry(argv[3]);
        const int s = number(argv[4]);
        const QRect part(window.x() + number(argv[5]) * s, window.y() + number(argv[6]) * s, number(argv[7]) * s,
                         number(argv[8]) * s);
        return over.intersects(part) ? 0 : 1;
    }
    if (command == "differ" && (argc == 4 || argc == 5)) return countDifferences(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
    return usage();
}
