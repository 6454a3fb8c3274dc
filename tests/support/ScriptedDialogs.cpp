#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace krel::test {

ScriptedDialogs::ScriptedDialogs() : previous_(InstallDialogs(this)) {}

ScriptedDialogs::~ScriptedDialogs() {
    InstallDialogs(previous_);
    EXPECT_TRUE(queue_.empty()) << queue_.size() << " scripted answer(s) were never asked for";
}

ScriptedDialogs& ScriptedDialogs::answer(MsgButton button) {
    queue_.emplace_back(button);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerFiles(QStringList files) {
    queue_.emplace_back(std::move(files));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerFolder(std::optional<QString> folder) {
    queue_.emplace_back(FolderAnswer{folder.has_value(), folder.value_or(QString())});
    return *this;
}

std::vector<std::string> ScriptedDialogs::texts() const {
    std::vector<std::string> out;
    for (const MessageCall& call : messages)
        out.push_back(call.text.toStdString());
    return out;
}

template <class T> std::optional<T> ScriptedDialogs::next(const QString& what) {
    if (queue_.empty() || !std::holds_alternative<T>(queue_.front())) {
        ADD_FAILURE() << "a dialog appeared with no scripted answer: " << what.toStdString();
        return std::nullopt;
    }
    T value = std::get<T>(queue_.front());
    queue_.pop_front();
    return value;
}

MsgButton ScriptedDialogs::message(QWidget*, const MessageCall& call) {
    messages.push_back(call);
    return next<MsgButton>(call.text).value_or(MsgButton::None);
}

QStringList ScriptedDialogs::openFiles(QWidget*, const QString& title, const QString&, bool,
                                       const QString& folder) {
    fileCalls.push_back(title);
    fileFolders.push_back(folder);
    return next<QStringList>(title).value_or(QStringList());
}

std::optional<QString> ScriptedDialogs::chooseFolder(QWidget*, const QString& caption) {
    folderCalls.push_back({caption});
    std::optional<FolderAnswer> answer = next<FolderAnswer>(caption);
    if (!answer || !answer->chosen)
        return std::nullopt;
    return answer->path;
}

} // namespace krel::test
