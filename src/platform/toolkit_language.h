#pragma once

class QCoreApplication;

namespace minizol {

// Loads the toolkit's own Spanish texts, so that its menus and buttons ("Pegar", "Aceptar",
// "Cancelar") speak the windows' language, and keeps the Ctrl shortcuts, which switch tools here,
// out of its context menus. Returns false when the translations are not installed; the toolkit
// then speaks English.
bool InstallSpanishTexts(QCoreApplication& app);

}  // namespace minizol
