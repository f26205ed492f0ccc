#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "platform/dialogs.h"

namespace minizol::testing {

// Dialogs that record what they were asked to show and answer input boxes from a queue, so
// window tests run without modal loops.
class RecordingDialogs final : public Dialogs {
  public:
    struct Shown {
        QString text;
        MessageIcon icon;
        QString title;
    };
    struct Asked {
        QString prompt;
        QString title;
        QString defaultText;
    };

    void Message(QWidget*, const QString& text, MessageIcon icon, const QString& title) override {
        messages.push_back({text, icon, title});
    }

    // Answers with the next queued reply; a null QString or an empty queue cancels.
    std::optional<QString> Input(QWidget*, const QString& prompt, const QString& title,
                                 const QString& defaultText) override {
        inputs.push_back({prompt, title, defaultText});
        const QString reply = replies.isEmpty() ? QString() : replies.takeFirst();
        return reply.isNull() ? std::nullopt : std::make_optional(reply);
    }

    std::vector<Shown> messages;
    std::vector<Asked> inputs;
    QStringList replies;
};

}  // namespace minizol::testing
