// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/stand_in_fonts.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include <QFontDatabase>
#include <QStringList>

#include "host_core/stand_in_fonts.h"

namespace forms::qt {

namespace {

// Qt reads a foundry in brackets only from a font's first family, so the list starts at the
// first face of the table this desktop has; the rest stay behind it for letters it lacks.
// Worked out once per face; fonts are made on the GUI thread only.
const QStringList& families(const std::string& designed) {
    static std::map<std::string, QStringList, std::less<>> resolved;
    if (auto it = resolved.find(designed); it != resolved.end()) return it->second;
    QStringList list;
    for (std::string_view f : forms::core::standInFor(designed).desktopFamilies)
        list << QString::fromUtf8(f.data(), static_cast<qsizetype>(f.size()));
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
    f.setPixelSize(font.pixelSize());
    f.setBold(font.bold);
    f.setUnderline(font.underline);
    return f;
}

}  // namespace forms::qt
