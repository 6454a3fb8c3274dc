#include "kit/Dialogs.h"

#include "kit/DirSelect.h"
#include "kit/QtText.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace krel {
namespace {

DialogService* installed = nullptr;

QMessageBox::Icon iconOf(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Error:
        return QMessageBox::Critical;
    case MsgIcon::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

struct ButtonPair {
    MsgButton ours;
    QMessageBox::StandardButton qt;
};

constexpr ButtonPair kButtons[] = {
    {MsgButton::Ok, QMessageBox::Ok},           {MsgButton::Cancel, QMessageBox::Cancel},
    {MsgButton::Yes, QMessageBox::Yes},         {MsgButton::No, QMessageBox::No},
    {MsgButton::NoToAll, QMessageBox::NoToAll}, {MsgButton::YesToAll, QMessageBox::YesToAll},
    {MsgButton::Discard, QMessageBox::Discard},
};

QMessageBox::StandardButton toQt(MsgButton button) {
    for (const ButtonPair& pair : kButtons)
        if (pair.ours == button)
            return pair.qt;
    return QMessageBox::NoButton;
}

QAbstractButton* addButton(QMessageBox& box, MsgButton button) {
    if (button == MsgButton::Export)
        return box.addButton(QStringLiteral("&Export..."), QMessageBox::AcceptRole);
    return box.addButton(toQt(button));
}

} // namespace

DialogService& Dialogs() {
    static QtDialogs real;
    return installed ? *installed : real;
}

DialogService* InstallDialogs(DialogService* service) {
    DialogService* previous = installed;
    installed = service;
    return previous;
}

QString ProgramCaption() {
    return QStringLiteral("Vastreach 3 Editor");
}

MsgButton ShowMessage(QWidget* parent, MsgIcon icon, std::string_view text,
                      std::vector<MsgButton> buttons) {
    return Dialogs().message(parent,
                             MessageCall{icon, ProgramCaption(), ToQt(text), std::move(buttons)});
}

MsgButton QtDialogs::message(QWidget* parent, const MessageCall& call) {
    QMessageBox box(iconOf(call.icon), call.caption, call.text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    std::vector<std::pair<QAbstractButton*, MsgButton>> made;
    for (MsgButton button : call.buttons)
        made.emplace_back(addButton(box, button), button);
    if (!made.empty())
        box.setDefaultButton(qobject_cast<QPushButton*>(made.front().first));
    box.exec();
    for (const auto& [widget, button] : made)
        if (box.clickedButton() == widget)
            return button;
    return MsgButton::None;
}

QStringList QtDialogs::openFiles(QWidget* parent, const QString& title, const QString& filter,
                                 bool multi, const QString& folder) {
    if (multi)
        return QFileDialog::getOpenFileNames(parent, title, folder, filter);
    QString file = QFileDialog::getOpenFileName(parent, title, folder, filter);
    return file.isEmpty() ? QStringList() : QStringList{file};
}

std::optional<QString> QtDialogs::chooseFolder(QWidget* parent, const QString& caption) {
    TDirSelect chooser(parent);
    chooser.setWindowTitle(caption);
    if (chooser.exec() != QDialog::Accepted)
        return std::nullopt;
    return chooser.Path->text();
}

} // namespace krel
