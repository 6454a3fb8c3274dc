#pragma once
// The one place where a failure meets the user. Every handler connected to a widget runs
// inside guiGuard: an exception leaving the handler becomes an error box (the program's
// caption, the message with a full stop added where it ends in a letter or digit, one OK
// button) and never reaches Qt's event loop.

#include <QApplication>
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>

class QWidget;

namespace krel {

// The message as the error box shows it: a full stop appended when the last character's code
// is greater than that of ".", carriage returns as line breaks.
QString ErrorBoxText(std::string_view message);

// Shows the error box for message (the program's 8-bit text).
void ShowErrorBox(QWidget* parent, std::string_view message);

// Runs body; reports any exception through the error box. Returns false when body failed.
bool guiGuard(QWidget* parent, const std::function<void()>& body);

// Connects signal to handler so that the handler runs inside guiGuard (with context as the
// parent of the box). The handler may take the signal's arguments or none.
template <class Object, class... Args, class Handler>
QMetaObject::Connection connectGuarded(const std::type_identity_t<Object>* sender,
                                       void (Object::*signal)(Args...), QWidget* context,
                                       Handler handler) {
    return QObject::connect(sender, signal, context, [context, handler](Args... args) {
        guiGuard(context, [&] {
            if constexpr (std::is_invocable_v<const Handler&, Args...>)
                handler(args...);
            else
                handler();
        });
    });
}

// The application object of the program: an exception that escapes a handler anyway is
// reported like the others instead of ending the program.
class KrelApplication : public QApplication {
public:
    KrelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace krel
