// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/stand_in_fonts.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include <QFontDatabase>
#include <QStringList>

namespace forms::qt {

namespace {

// The designed face comes first, so a machine that has it uses it. Z003 and Nimbus Sans come
// with fonts-urw-base35; DejaVu Sans is on nearly every desktop. That package installs each face
// twice, as Type 1 and as OpenType, and fontconfig names the OpenType files' foundry "UKWN";
// FreeType opens the OpenType cut in half the time and with less memory, so it is asked for first.
QStringList candidates(std::string_view designed) {
    QStringList list{QString::fromUtf8(designed.data(), static_cast<qsizetype>(designed.size()))};
    if (designed == "Lucida Handwriting")
        list << "Z003 [UKWN]" << "Z003" << "URW Chancery L" << "TeX Gyre Chorus";
    // "MS Sans Serif" and anything else: a plain sans.
    list << "Nimbus Sans [UKWN]" << "Nimbus Sans" << "Liberation Sans" << "Arial" << "DejaVu Sans";
    return list;
}

// Qt reads a foundry in brackets only from a font's first family, so the list starts at the
// first candidate this desktop has; the rest stay behind it for letters it lacks. Worked out
// once per face; fonts are made on the GUI thread only.
const QStringList& families(const std::string& designed) {
    static std::map<std::string, QStringList, std::less<>> resolved;
    if (auto it = resolved.find(designed); it != resolved.end()) return it->second;
    QStringList list = candidates(designed);
    const QStringList installed = QFontDatabase::families();
    const auto first = std::find_if(list.begin(), list.end(),
                                    [&](const QString& f) { return installed.contains(f, Qt::CaseInsensitive); });
    if (first != list.end()) list.erase(list.begin(), first);
    return resolved.emplace(designed, std::move(list)).first->second;
}

}  // namespace

QFont standInFont(const forms::Font& font) {
    QFont f;
    f.setFamilies(families(font.name));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.points * 4.0 / 3.0))));
    f.setBold(font.bold);
    f.setUnderline(font.underline);
    return f;
}

}  // namespace forms::qt
