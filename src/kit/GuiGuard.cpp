#include "kit/GuiGuard.h"

#include "kit/Dialogs.h"
#include "kit/QtText.h"

#include <QWidget>
#include <exception>

namespace krel {

QString ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        text.push_back('.');
    QString shown = ToQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void ShowErrorBox(QWidget* parent, std::string_view message) {
    try {
        Dialogs().message(
            parent,
            MessageCall{MsgIcon::Error, ProgramCaption(), ErrorBoxText(message), {MsgButton::Ok}});
    } catch (...) {
        // Nothing is left to tell the user with; the event loop must go on regardless.
    }
}

bool guiGuard(QWidget* parent, const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (const std::exception& e) {
        ShowErrorBox(parent, e.what());
    } catch (...) {
        ShowErrorBox(parent, "Unknown failure");
    }
    return false;
}

KrelApplication::KrelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool KrelApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    guiGuard(nullptr, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace krel
