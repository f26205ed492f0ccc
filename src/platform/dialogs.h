#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace minizol {

enum class MessageIcon { None, Information, Exclamation };

// Modal message and input boxes. Windows reach them through this interface so that tests can
// answer them without a real modal loop.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // Lines of `text` may be joined by "\r\n".
    virtual void Message(QWidget* parent, const QString& text, MessageIcon icon,
                         const QString& title) = 0;
    // The reply, or nothing when the user cancels.
    virtual std::optional<QString> Input(QWidget* parent, const QString& prompt,
                                         const QString& title, const QString& defaultText) = 0;
};

// The application title that message and input boxes show when no other is given.
inline const QString kApplicationTitle = QStringLiteral("MiniZol");

// Dialogs shown with the toolkit's own message and input boxes.
class SystemDialogs final : public Dialogs {
  public:
    void Message(QWidget* parent, const QString& text, MessageIcon icon,
                 const QString& title) override;
    std::optional<QString> Input(QWidget* parent, const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
};

}  // namespace minizol
