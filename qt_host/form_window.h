// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The window of one shown form: a top-level widget that paints the form's background, shapes,
// images and labels, carries its command buttons, and hands every key, click, close and minimise
// of the player to the host. It shows the form at the game's zoom; given another size (maximised,
// fullscreen, resized by the player) it shows it at the largest whole zoom that fits, centred on
// black.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <QPixmap>
#include <QRect>
#include <QTimer>

#include <QWidget>

#include "host_core/form_view.h"
#include "host_core/key_up_filter.h"

class QPainter;

namespace forms {
class Control;
class Form;
class Label;
}

namespace forms::qt {

class FittedText;
class FormButton;
class QtHost;

class FormWindow : public QWidget {
    Q_OBJECT
public:
    FormWindow(forms::Form& form, QtHost& host);

    // Null once the form has been unloaded; the window then only waits to be deleted.
    forms::Form* form() const { return form_; }
    void detach();

    // Brings title, buttons and picture in line with the model if the form changed since.
    void syncIfChanged();
    void sync();
    // Minimises or restores the window as the model asks, without telling the model back.
    void applyWindowState(int state);
    // The form's client area at zoom 1.
    QSize designSize() const { return designSize_; }
    // The zoom the form is drawn at, and where its top-left lies in the window.
    int zoom() const { return zoom_; }
    QPoint origin() const { return origin_; }
    // A window in its normal state takes the size the game's zoom gives it, its frame moved as
    // its size is; a maximised or fullscreen one keeps the size it was given.
    void followZoom();
    // Fills the window's screen, remembering where it was.
    void showFullScreen();
    // Shows the window in its normal state or, while the game is fullscreen, filling its screen.
    void showAsTheGameIs();
    // Where on the screen the game has changed this window during the event now running (a
    // defeat puts up the score board), with the shapes that frame it; empty if nothing changed.
    QRect changedOnScreen() const;
    void forgetChanges() { changed_ = QRegion(); }

    const std::vector<FormButton*>& buttons() const { return buttons_; }
    // Whether a key-up is being held back, in case a press shows it was a repeat.
    bool holdsKeyUp() const { return pendingRelease_.has_value(); }
    // A label's text as this window sets it in a box of that size.
    static FittedText labelLayout(const forms::Label& label, QSize size, int zoom = 1);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Tab is a key of the model's, not Qt's way to move between widgets.
    bool focusNextPrevChild(bool next) override;

private:
    // Asks for a repaint of what changed since the last sync, at its old and new places.
    void updateChanged(const forms::core::FormView::Changes& changes);
    void paintArea(QPainter& painter, const QRect& area);
    // A rectangle of the form's pixels in the window's.
    QRect inWindow(const QRect& designed) const;
    // The zoom of the window in its normal state: the game's, or less where it would not fit.
    int normalZoom() const;
    // Draws the form at the largest whole zoom the window's size holds, centred.
    void fitToSize();
    // A label's text drawn at the window's scale, remade only when its caption or size changes.
    const QPixmap& labelText(const forms::Label& label, QSize size, qreal scale, int zoom);
    // Delivers a key-up held back by keyReleaseEvent, if any.
    void flushRelease();

    forms::Form* form_;
    QtHost& host_;
    QSize designSize_;
    int zoom_ = 1;
    QPoint origin_;
    QRegion changed_;  // the form's pixels
    struct NormalPlace {
        QPoint pos;  // the client area's
        int zoom = 1;
    };
    std::optional<NormalPlace> normalPlace_;  // where it was before it went fullscreen
    std::vector<FormButton*> buttons_;
    forms::core::FormView view_;
    std::vector<forms::core::ControlView> before_;  // what the last sync's changes showed before
    struct LabelText {
        std::string caption;
        QSize size;
        qreal scale = 0;
        int zoom = 0;
        QPixmap pixmap;
    };
    std::unordered_map<const forms::Control*, LabelText> labelText_;
    bool applyingState_ = false;
    bool watchingState_ = false;
    forms::core::KeyUpFilter keys_;
    // A key-up held back for a moment: X repeats a held key as release and press pairs, and Qt
    // marks the release as a repeat only when the press is already queued; on a busy machine it
    // may not be yet. A press of the same key within the moment shows the release was a repeat.
    struct PendingRelease {
        int code = 0;
        int modifiers = 0;
    };
    std::optional<PendingRelease> pendingRelease_;
    QTimer releaseTimer_;
};

}  // namespace forms::qt
