#pragma once

#include <QString>

namespace minizol {

// Who made MiniZol and where to reach them, as the About window shows it.
inline const QString kMakerName = QStringLiteral("Quorvane");
// Host name only: the About window puts "http://" before it when the link is followed.
inline const QString kMakerWebAddress = QStringLiteral("www.quorvane.example");
inline const QString kMakerMailAddress = QStringLiteral("info@quorvane.example");

}  // namespace minizol
