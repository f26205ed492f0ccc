#include "platform/dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace minizol {
namespace {

QMessageBox::Icon ToolkitIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void SystemDialogs::Message(QWidget* parent, const QString& text, MessageIcon icon,
                            const QString& title) {
    QMessageBox box(ToolkitIcon(icon), title, QString(text).replace(QLatin1String("\r\n"), "\n"),
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

std::optional<QString> SystemDialogs::Input(QWidget* parent, const QString& prompt,
                                            const QString& title, const QString& defaultText) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

}  // namespace minizol
