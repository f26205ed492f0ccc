#pragma once

#include <QFont>
#include <QString>

namespace minizol {

// Maps the classic font names the windows ask for onto installed families of the same
// metrics (Liberation, DejaVu), so every machine lays the windows out alike.
void InstallFontSubstitutions();

// A font of `family` at `pointSize`, bold or not; the substitutions above pick the face.
QFont NamedFont(const QString& family, double pointSize, bool bold);

// The font of `family` at `pointSize` when it resolves to a fixed-pitch face, otherwise a
// monospace face at that size: text laid out in columns needs one.
QFont FixedPitchFont(const QString& family, double pointSize);

// The font of labels and fields without a font of their own.
QFont DialogFont();

}  // namespace minizol
