// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page, as the web host sees it: each call below is a function of the page's script
// (web/page.js, reached as Module.page), and the exported web_* functions in page.cpp are the
// page's way in. Panels and their controls are named by numbers the host hands out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace forms::web {

class WebHost;
struct WebFont;

namespace page {

// The host the page's calls reach; one page has one.
void connect(WebHost* host);

// The pictures the program carries, by file name, in the order the host numbers them, and the
// program's name for the page's own notices. The page decodes the pictures and calls web_start
// once they and the fonts are ready.
void begin(const std::vector<std::string>& pictureFiles, std::string_view title);

// A panel for a shown form. Colours are 0xRRGGBB or -1 for none; pictures are numbers from
// begin's list, -1 for none. touchKeys: the key codes of the on-screen keys under the panel.
struct PanelDesign {
    std::string_view form;
    int width = 0, height = 0;  // client area, CSS pixels
    int left = 0, top = 0;      // design position on the page
    int backColor = -1;
    int background = -1, icon = -1, pointer = -1;
    std::string_view touchKeys;  // e.g. "37,39,68"
};
void createPanel(int panel, const PanelDesign& design);
void setCaption(int panel, std::string_view caption);
void showPanel(int panel);      // shown normal, raised and given the keyboard
void minimizePanel(int panel);  // into the task strip
void hidePanel(int panel);
void removePanel(int panel);

// Controls, by their place in the form's design order (which is also their painting order).
void addImage(int panel, int index, const char* name);
void addLabel(int panel, int index, const char* name, const WebFont& font, int foreColor, int backColor,
              bool centred);
void addButton(int panel, int index, const char* name, const WebFont& font);
void addShape(int panel, int index, const char* name, int color);
void place(int panel, int index, int x, int y, int width, int height, bool visible);
void setPicture(int panel, int index, int picture);
void setText(int panel, int index, std::string_view text);
void setFocus(int panel, int index);  // the button with the model's focus, -1 for none

// Calls web_frame at the next animation frame (once, however often asked before it comes).
void requestFrame();
// Calls web_timer after `ms` milliseconds, replacing any earlier request; stopTimer cancels it.
void armTimer(double ms);
void stopTimer();
double now();  // milliseconds, the page's monotonic clock
// Calls web_repeat after `ms` milliseconds, for the next repeat of a held key; stopRepeat cancels it.
void armRepeat(double ms);
void stopRepeat();
// Calls web_repeat after `ms` milliseconds, for the next repeat of a held key; stopRepeat cancels it.
void armRepeat(double ms);
void stopRepeat();

// A modal message box with one OK button; returns when the player has closed it. The module
// sleeps meanwhile, and the page makes no call into it until then.
void messageBox(std::string_view title, std::string_view text);
// The program has ended with this exit status; every panel is gone already.
void ended(int status);

}  // namespace page
}  // namespace forms::web
