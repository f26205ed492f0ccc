#include "platform/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <algorithm>

namespace minizol {

void InstallFontSubstitutions() {
    QFont::insertSubstitutions("MS Sans Serif",
                               QStringList{"Liberation Sans", "Arimo", "DejaVu Sans"});
    QFont::insertSubstitutions("Arial", QStringList{"Liberation Sans", "Arimo", "DejaVu Sans"});
    QFont::insertSubstitutions(
        "Courier New", QStringList{"Liberation Mono", "Cousine", "DejaVu Sans Mono", "Monospace"});
    QFont::insertSubstitutions("Verdana", QStringList{"DejaVu Sans", "Liberation Sans"});
}

QFont NamedFont(const QString& family, double pointSize, bool bold) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont FixedPitchFont(const QString& family, double pointSize) {
    QFont font = NamedFont(family, pointSize, false);
    if (QFontInfo(font).fixedPitch()) {
        return font;
    }
    QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    system.setPointSizeF(pointSize);
    if (QFontInfo(system).fixedPitch()) {
        return system;
    }
    // Not every platform's "fixed" font is: fontconfig may answer with a face of two widths.
    const QStringList families = QFontDatabase::families();
    const auto fixed = std::ranges::find_if(
        families, [](const QString& candidate) { return QFontDatabase::isFixedPitch(candidate); });
    return fixed != families.end() ? NamedFont(*fixed, pointSize, false) : system;
}

QFont DialogFont() {
    return NamedFont("MS Sans Serif", 8.25, false);
}

}  // namespace minizol
