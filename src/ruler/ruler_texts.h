#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace minizol {

// The ruler's user-visible texts, word for word.
inline constexpr std::string_view kRulerMenuCaption = "Regla";
inline constexpr std::string_view kRulerMenuSetSize = "Fijar tamaño";
inline constexpr std::string_view kRulerMenuHelp = "Ayuda";
inline constexpr std::string_view kRulerSizePrompt = "Selecciona un tamaño (AAAxBBB).";
inline constexpr std::string_view kRulerSizeInvalid = "Tamaño no válido.";

// RePag and AvPag are the Spanish key-cap names of Page Up and Page Down.
inline constexpr std::array<std::string_view, 5> kRulerHelpLines = {
    "BOTONES:", "<RePag> - Transparente", "<AvPag> + Transparente", "",
    "<Ctrl.> Cambiar de Aplicación"};

// The help lines joined by carriage return and line feed, as a message box shows them.
std::string RulerHelpText();

// "Regla (200 x 100)"; negative sizes keep their minus sign.
std::string RulerMenuCaption(int rulerWidth, int rulerHeight);

// Where a logical pixel is not one pixel of the screen (`devicePixelRatio` other than 1), the
// tooltip giving the measured size in both: "Regla (200 x 100) = 400 x 200 píxeles físicos".
std::optional<std::string> RulerDeviceSizeTip(int rulerWidth, int rulerHeight,
                                              double devicePixelRatio);

// The size dialog's first default text, "200x100", without spaces.
std::string RulerSizeDialogDefault(int rulerWidth, int rulerHeight);

}  // namespace minizol
