// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The game's message box: its text and one OK button under the program's title, modal over the
// window it belongs to. A dialog that asks for no minimise or maximise, and comes straight back
// where a window manager minimises it all the same (openbox offers that on every dialog, and takes
// the dialog's owner with it, leaving the game frozen with no box to answer). Wide enough that a
// frame shows its caption whole. Enter, Escape, OK and the frame's close all answer it.
#pragma once

#include <functional>
#include <optional>

#include <QDialog>
#include <QRect>

class QLabel;
class QPushButton;

namespace forms::qt {

class MessageBox final : public QDialog {
    Q_OBJECT
public:
    // Its text and button at `zoom` times the desktop's size; placed clear of what `keepClear`
    // gives (a rectangle on the screen) where its owner leaves room.
    MessageBox(const QString& title, const QString& text, QWidget* owner, int zoom = 1,
               std::function<QRect()> keepClear = {});

    // Shows the box and returns once the player has answered it.
    void ask();

    QString text() const;
    QPushButton* okButton() const { return ok_; }
    // The narrowest the box may be for a window manager's title bar to show `caption` whole
    // beside its window menu and close button.
    static int widthForCaption(const QString& caption);

protected:
    void showEvent(QShowEvent* event) override;
    // The owner going fullscreen or moving after the box opened takes the box along.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* text_;
    QPushButton* ok_;
    bool watchingState_ = false;
    void moveEvent(QMoveEvent* event) override;
    void place();
    // Back where it was put, after a window manager brought it back from minimised elsewhere.
    void putBack();
    bool returning_ = false;
    std::function<QRect()> keepClear_;
    // Where it was put when it first showed; a window manager that brings it back from
    // minimised elsewhere (openbox, by its frame's height) is corrected.
    std::optional<QPoint> placedAt_;
};

}  // namespace forms::qt
