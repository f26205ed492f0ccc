#pragma once

#include <QStringList>
#include <functional>

class QWidget;

namespace minizol {

// Hands the local files dropped anywhere on `window`, its fields included, to `open`: a field
// does not take a file's name as text. Other drops (text, a web address) go where they went.
// `open` runs once the drop is over, so that whatever it shows does not keep the program the
// files came from waiting.
void OpenDroppedFiles(QWidget& window, std::function<void(const QStringList& paths)> open);

}  // namespace minizol
