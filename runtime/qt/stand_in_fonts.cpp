#include "runtime/qt/stand_in_fonts.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include <QStringList>

namespace vb::qt {

namespace {

// The designed face comes first, so a machine that has it uses it. Z003 and Nimbus Sans come
// with fonts-urw-base35; DejaVu Sans is on nearly every desktop.
QStringList families(std::string_view designed) {
    QStringList list{QString::fromUtf8(designed.data(), static_cast<qsizetype>(designed.size()))};
    if (designed == "Lucida Handwriting")
        list << "Z003" << "URW Chancery L" << "TeX Gyre Chorus";
    // "MS Sans Serif" and anything else: a plain sans.
    list << "Nimbus Sans" << "Liberation Sans" << "Arial" << "DejaVu Sans";
    return list;
}

}  // namespace

QFont standInFont(const vb::Font& font) {
    QFont f;
    f.setFamilies(families(font.name));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.points * 4.0 / 3.0))));
    f.setBold(font.bold);
    f.setUnderline(font.underline);
    return f;
}

}  // namespace vb::qt
