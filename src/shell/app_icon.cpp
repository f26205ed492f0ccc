#include "shell/app_icon.h"

namespace minizol {

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/minizol/minizol-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace minizol
