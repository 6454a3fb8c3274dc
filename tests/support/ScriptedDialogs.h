#pragma once
// Stands in for every message box and chooser while installed: answers come from a queue the
// test fills beforehand, and every box is recorded. A box with no queued answer fails the test
// at once (and is answered with "nothing") instead of waiting for a user.

#include "kit/Dialogs.h"

#include <deque>
#include <string>
#include <variant>
#include <vector>

namespace krel::test {

class ScriptedDialogs : public DialogService {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Answers for the next boxes, in order.
    ScriptedDialogs& answer(MsgButton button);
    ScriptedDialogs& answerFiles(QStringList files);
    ScriptedDialogs& answerFolder(std::optional<QString> folder);

    struct FolderCall {
        QString caption;
    };
    std::vector<MessageCall> messages;
    std::vector<FolderCall> folderCalls;
    std::vector<QString> fileCalls;
    std::vector<QString> fileFolders; // where each file chooser started

    // The texts of the message boxes shown so far (line breaks as "\n").
    std::vector<std::string> texts() const;
    bool allAnswersUsed() const { return queue_.empty(); }

    MsgButton message(QWidget* parent, const MessageCall& call) override;
    QStringList openFiles(QWidget* parent, const QString& title, const QString& filter, bool multi,
                          const QString& folder) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& caption) override;

private:
    struct FolderAnswer {
        bool chosen = false;
        QString path;
    };
    using Answer = std::variant<MsgButton, QStringList, FolderAnswer>;
    template <class T> std::optional<T> next(const QString& what);

    std::deque<Answer> queue_;
    DialogService* previous_;
};

} // namespace krel::test
