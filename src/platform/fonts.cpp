#include "platform/fonts.h"

#include <QStringList>

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

QFont DialogFont() {
    return NamedFont("MS Sans Serif", 8.25, false);
}

}  // namespace minizol
