// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The zoom the game starts at on a screen, and where each of its windows then opens: the title
// window at the largest whole zoom that fits with its frame, every window at its design position
// times its zoom, moved just enough to lie wholly on the screen's available area.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/program.h"
#include "host_core/zoom.h"
#include "runtime/pixels.h"

namespace {

using forms::core::Point;
using forms::core::Rect;
using forms::core::Size;

class NoDesktop final : public forms::Host {
public:
    void messageBox(std::string_view, std::string_view) override {}
};

// The frame the desktop host reckons with before a window is up: borders and a title bar.
constexpr Size kFrame{8, 36};

struct Window {
    std::string name;
    Size client;  // at zoom 1
    Point design;
};

// The windows the game shows, as designed.
std::vector<Window> gameWindows() {
    NoDesktop desktop;
    miravel::Program program{desktop};
    std::vector<Window> windows;
    for (forms::FormSlotBase* slot : std::initializer_list<forms::FormSlotBase*>{
             &program.Intro, &program.Selec, &program.Game1, &program.Game2, &program.Game3}) {
        program.runtime.load(*slot);
        const forms::FormDesign& d = slot->instance()->design();
        constexpr int t = forms::kTwipsPerPixel;
        windows.push_back({slot->name(), {d.clientWidth / t, d.clientHeight / t}, {d.left / t, d.top / t}});
    }
    return windows;
}

TEST(ZoomRule, StartZoomFromTheScreenAndEveryWindowWhollyOnIt) {
    const std::vector<Window> windows = gameWindows();
    ASSERT_EQ(windows.front().name, "Intro");
    struct Case {
        Size screen;  // in device pixels
        int scale;    // the desktop's own
        int zoom;     // the game's, on top of it
        Point title;  // where the title window's frame opens
    };
    const Case cases[] = {
        {{1024, 768}, 1, 1, {171, 108}},
        {{1366, 768}, 1, 1, {171, 108}},
        {{1280, 1024}, 1, 2, {342, 82}},    // moved up just enough: 216 + 942 would pass 1024
        {{1920, 1080}, 1, 2, {342, 138}},
        {{2560, 1440}, 1, 3, {513, 45}},
        {{3840, 2160}, 2, 2, {342, 138}},  // on top of the desktop's own 2
        {{3840, 2160}, 1, 4, {684, 312}},
        {{1440, 2560}, 1, 3, {211, 324}},  // portrait: the wide levels cannot take 3
        {{800, 600}, 1, 1, {171, 108}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.screen.width) + "x" + std::to_string(c.screen.height) + " at scale " +
                     std::to_string(c.scale));
        const Size available{c.screen.width / c.scale, c.screen.height / c.scale};
        const Rect area{0, 0, available.width, available.height};
        const int zoom = forms::core::startZoom(windows.front().client, kFrame, available);
        EXPECT_EQ(zoom, c.zoom);
        for (const Window& w : windows) {
            SCOPED_TRACE(w.name);
            const int z = forms::core::windowZoom(zoom, w.client, kFrame, available);
            EXPECT_GE(z, 1);
            EXPECT_LE(z, zoom);
            const Size frame{w.client.width * z + kFrame.width, w.client.height * z + kFrame.height};
            const Point at = forms::core::placedOnScreen({w.design.x * z, w.design.y * z}, frame, area);
            EXPECT_TRUE(at.x >= 0 && at.y >= 0 && at.x + frame.width <= available.width &&
                        at.y + frame.height <= available.height)
                << "at " << at.x << "," << at.y << " zoom " << z;
            if (w.name == "Intro") {
                EXPECT_EQ(at, c.title);
            }
            // A window that fits at its design position times its zoom opens there.
            if (w.design.x * z + frame.width <= available.width && w.design.y * z + frame.height <= available.height) {
                EXPECT_EQ(at, (Point{w.design.x * z, w.design.y * z}));
            }
        }
    }
}

TEST(ZoomRule, NoZoomBelowOneAndNoneBeyondWhatAWindowCanTake) {
    const Size title{407, 453}, level{497, 197};
    // Too small a screen still shows the game, at zoom 1 (the window is placed at the corner).
    EXPECT_EQ(forms::core::startZoom(title, kFrame, {640, 400}), 1);
    EXPECT_EQ(forms::core::windowZoom(3, title, kFrame, {640, 400}), 1);
    // The zoom keys go no further than the largest window that still grows: the level on
    // 1920x1080 takes 3 where the title takes 2.
    const Size shown[] = {title, level};
    EXPECT_EQ(forms::core::largestZoom(shown, 1, kFrame, {1920, 1080}), 2);
    EXPECT_EQ(forms::core::largestZoom(shown, 2, kFrame, {1920, 1080}), 3);
    EXPECT_EQ(forms::core::largestZoom(shown, 0, kFrame, {1920, 1080}), 1);
    // A frame larger than the screen: the area's top-left corner.
    EXPECT_EQ(forms::core::placedOnScreen({171, 108}, {900, 900}, {0, 30, 800, 570}), (Point{0, 30}));
}

}  // namespace
