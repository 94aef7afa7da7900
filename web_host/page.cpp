// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web_host/page.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include "host_core/stand_in_fonts.h"
#include "host_core/zoom.h"
#include "web_host/stand_in_fonts.h"
#include "web_host/web_host.h"

// The page's functions. Strings go as pointer and length; the page is Module.page (web/page.js).
EM_JS(void, js_begin, (const char* files, int length, const char* title, int titleLength, int smallest), {
    Module['page'].begin(UTF8ToString(files, length).split('\n'), UTF8ToString(title, titleLength), smallest);
});
EM_JS(void, js_create_panel,
      (int panel, const char* form, int formLength, int width, int height, int left, int top, int backColor,
       int background, int icon, int pointer, const char* keys, int keysLength),
      {
          Module['page'].createPanel(panel, {
              form: UTF8ToString(form, formLength), width: width, height: height, left: left, top: top,
              backColor: backColor, background: background, icon: icon, pointer: pointer,
              touchKeys: UTF8ToString(keys, keysLength)
          });
      });
EM_JS(void, js_set_caption, (int panel, const char* text, int length), {
    Module['page'].setCaption(panel, UTF8ToString(text, length));
});
EM_JS(void, js_show_panel, (int panel), { Module['page'].showPanel(panel); });
EM_JS(void, js_minimize_panel, (int panel), { Module['page'].minimizePanel(panel); });
EM_JS(void, js_hide_panel, (int panel), { Module['page'].hidePanel(panel); });
EM_JS(void, js_remove_panel, (int panel), { Module['page'].removePanel(panel); });
EM_JS(void, js_add_image, (int panel, int index, const char* name), {
    Module['page'].addImage(panel, index, UTF8ToString(name));
});
EM_JS(void, js_add_label,
      (int panel, int index, const char* name, const char* family, int pixels, int bold, int pitch, int underline,
       int fore, int back, int centred),
      {
          Module['page'].addLabel(panel, index, UTF8ToString(name), {
              family: UTF8ToString(family), pixelSize: pixels, bold: !!bold, linePitch: pitch,
              underline: !!underline, foreColor: fore, backColor: back, centred: !!centred
          });
      });
EM_JS(void, js_add_button,
      (int panel, int index, const char* name, const char* family, int pixels, int bold, int pitch, int underline),
      {
          Module['page'].addButton(panel, index, UTF8ToString(name), {
              family: UTF8ToString(family), pixelSize: pixels, bold: !!bold, linePitch: pitch, underline: !!underline
          });
      });
EM_JS(void, js_add_shape, (int panel, int index, const char* name, int color), {
    Module['page'].addShape(panel, index, UTF8ToString(name), color);
});
EM_JS(void, js_place, (int panel, int index, int x, int y, int width, int height, int visible), {
    Module['page'].place(panel, index, x, y, width, height, !!visible);
});
EM_JS(void, js_set_picture, (int panel, int index, int picture), {
    Module['page'].setPicture(panel, index, picture);
});
EM_JS(void, js_set_text, (int panel, int index, const char* text, int length), {
    Module['page'].setText(panel, index, UTF8ToString(text, length));
});
EM_JS(void, js_set_focus, (int panel, int index), { Module['page'].setFocus(panel, index); });
EM_JS(void, js_request_frame, (), { Module['page'].requestFrame(); });
EM_JS(void, js_arm_timer, (double ms), { Module['page'].armTimer(ms); });
EM_JS(void, js_stop_timer, (), { Module['page'].stopTimer(); });
EM_JS(double, js_now, (), { return performance.now(); });
EM_JS(void, js_arm_repeat, (double ms), { Module['page'].armRepeat(ms); });
EM_JS(void, js_stop_repeat, (), { Module['page'].stopRepeat(); });
// The one call the module sleeps in: Asyncify unwinds the stack here and rewinds it once the
// player has closed the box.
EM_ASYNC_JS(void, js_message_box, (const char* title, int titleLength, const char* text, int textLength), {
    await Module['page'].messageBox(UTF8ToString(title, titleLength), UTF8ToString(text, textLength));
});
EM_JS(void, js_ended, (int status), { Module['page'].ended(status); });

namespace forms::web {

namespace {
// The page calls in through plain exported functions, which reach the one host through here.
WebHost* host = nullptr;

int length(std::string_view s) { return static_cast<int>(s.size()); }
}  // namespace

namespace page {

void connect(WebHost* h) { host = h; }

void begin(const std::vector<std::string>& pictureFiles, std::string_view title) {
    std::string list;
    for (const std::string& f : pictureFiles) list += (list.empty() ? "" : "\n") + f;
    js_begin(list.data(), length(list), title.data(), length(title), forms::core::kSmallestPixelSize);
}

void createPanel(int panel, const PanelDesign& d) {
    js_create_panel(panel, d.form.data(), length(d.form), d.width, d.height, d.left, d.top, d.backColor,
                    d.background, d.icon, d.pointer, d.touchKeys.data(), length(d.touchKeys));
}
void setCaption(int panel, std::string_view caption) { js_set_caption(panel, caption.data(), length(caption)); }
void showPanel(int panel) { js_show_panel(panel); }
void minimizePanel(int panel) { js_minimize_panel(panel); }
void hidePanel(int panel) { js_hide_panel(panel); }
void removePanel(int panel) { js_remove_panel(panel); }

void addImage(int panel, int index, const char* name) { js_add_image(panel, index, name); }
void addLabel(int panel, int index, const char* name, const WebFont& font, int foreColor, int backColor,
              bool centred) {
    js_add_label(panel, index, name, font.family.c_str(), font.pixelSize, font.bold, font.linePitch, font.underline,
                 foreColor, backColor, centred);
}
void addButton(int panel, int index, const char* name, const WebFont& font) {
    js_add_button(panel, index, name, font.family.c_str(), font.pixelSize, font.bold, font.linePitch,
                  font.underline);
}
void addShape(int panel, int index, const char* name, int color) { js_add_shape(panel, index, name, color); }
void place(int panel, int index, int x, int y, int width, int height, bool visible) {
    js_place(panel, index, x, y, width, height, visible);
}
void setPicture(int panel, int index, int picture) { js_set_picture(panel, index, picture); }
void setText(int panel, int index, std::string_view text) { js_set_text(panel, index, text.data(), length(text)); }
void setFocus(int panel, int index) { js_set_focus(panel, index); }

void requestFrame() { js_request_frame(); }
void armTimer(double ms) { js_arm_timer(ms); }
void stopTimer() { js_stop_timer(); }
double now() { return js_now(); }
void armRepeat(double ms) { js_arm_repeat(ms); }
void stopRepeat() { js_stop_repeat(); }

void messageBox(std::string_view title, std::string_view text) {
    js_message_box(title.data(), length(title), text.data(), length(text));
}
void ended(int status) { js_ended(status); }

}  // namespace page
}  // namespace forms::web

// The page's way in: each is one event of the player's, or of the page's clock.
extern "C" {

EMSCRIPTEN_KEEPALIVE void web_start() {
    if (forms::web::host) forms::web::host->start();
}
EMSCRIPTEN_KEEPALIVE void web_frame() {
    if (forms::web::host) forms::web::host->frame();
}
EMSCRIPTEN_KEEPALIVE void web_timer() {
    if (forms::web::host) forms::web::host->timerFired();
}
EMSCRIPTEN_KEEPALIVE void web_click(int panel, int index) {
    if (forms::web::host) forms::web::host->click(panel, index);
}
EMSCRIPTEN_KEEPALIVE void web_key(int panel, int down, int code, int modifiers) {
    if (forms::web::host) forms::web::host->key(panel, down != 0, code, modifiers);
}
EMSCRIPTEN_KEEPALIVE void web_keyboard_lost(int panel) {
    if (forms::web::host) forms::web::host->keyboardLost(panel);
}
EMSCRIPTEN_KEEPALIVE void web_set_hidden(int hidden) {
    if (forms::web::host) forms::web::host->setHidden(hidden != 0);
}
EMSCRIPTEN_KEEPALIVE void web_close(int panel) {
    if (forms::web::host) forms::web::host->frameClose(panel);
}
EMSCRIPTEN_KEEPALIVE void web_window_state(int panel, int state) {
    if (forms::web::host) forms::web::host->playerSetWindowState(panel, state);
}
EMSCRIPTEN_KEEPALIVE void web_hold(int panel, int down, int code) {
    if (forms::web::host) forms::web::host->holdKey(panel, down != 0, code);
}
EMSCRIPTEN_KEEPALIVE void web_repeat(int panel) {
    if (forms::web::host) forms::web::host->repeatFired(panel);
}
EMSCRIPTEN_KEEPALIVE void web_pads(int panel, unsigned buttons, double stickX, double stickY) {
    if (forms::web::host) forms::web::host->pads(panel, buttons, stickX, stickY);
}
EMSCRIPTEN_KEEPALIVE void web_pads_gone() {
    if (forms::web::host) forms::web::host->padsGone();
}
// Constant: the page may ask it at any time it can call the module.
EMSCRIPTEN_KEEPALIVE unsigned web_pad_box_buttons() { return forms::web::WebHost::standardButtonsClosingBox(); }

// The scale the page shows a panel at, in device pixels per picture pixel (forms::core::zoomToFit):
// the client area at one device pixel a picture pixel, the title bar and touch keys, the room.
// It touches nothing of the program's, reaches no import and so is never unwound by Asyncify:
// the page calls it even while the module sleeps in a message box (a rotation during the defeat
// box), which it does for no other call.
EMSCRIPTEN_KEEPALIVE double web_zoom_to_fit(int scaledWidth, int scaledHeight, int fixedWidth, int fixedHeight,
                                            int roomWidth, int roomHeight) {
    return forms::core::zoomToFit({scaledWidth, scaledHeight}, {fixedWidth, fixedHeight}, {roomWidth, roomHeight});
}

}  // extern "C"
