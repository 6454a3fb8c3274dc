#pragma once
// Every message box and every file or folder chooser of the program goes through one service,
// so that tests can answer them in advance and read back what the user would have seen. main
// installs the real service; a test installs a scripted one.

#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>
#include <vector>

class QWidget;

namespace krel {

enum class MsgIcon { Information, Warning, Error, Confirmation };
// Export stands for "Export...", which saves the changes elsewhere before going on.
enum class MsgButton { None, Ok, Cancel, Yes, No, NoToAll, YesToAll, Discard, Export };

struct MessageCall {
    MsgIcon icon = MsgIcon::Information;
    QString caption;
    QString text;
    std::vector<MsgButton> buttons;
};

class DialogService {
public:
    virtual ~DialogService() = default;
    // Shows a message box; returns the button pressed (None when closed otherwise).
    virtual MsgButton message(QWidget* parent, const MessageCall& call) = 0;
    // Asks for one or (multi) several existing files, starting in folder; an empty list when
    // cancelled.
    virtual QStringList openFiles(QWidget* parent, const QString& title, const QString& filter,
                                  bool multi, const QString& folder) = 0;
    // The program's folder chooser; nothing when cancelled, else the chosen path (which may
    // be empty when the user selected nothing).
    virtual std::optional<QString> chooseFolder(QWidget* parent, const QString& caption) = 0;
};

// The service in use. Before any is installed, the real one.
DialogService& Dialogs();
// Installs a service (nullptr: the real one again); returns the previous one.
DialogService* InstallDialogs(DialogService* service);

// The caption every box of the program carries: the program's name, as the frame shows it.
QString ProgramCaption();

// A box with the program's caption; text is the program's 8-bit text.
MsgButton ShowMessage(QWidget* parent, MsgIcon icon, std::string_view text,
                      std::vector<MsgButton> buttons = {MsgButton::Ok});

// The real service: QMessageBox, QFileDialog and the program's folder chooser.
class QtDialogs : public DialogService {
public:
    MsgButton message(QWidget* parent, const MessageCall& call) override;
    QStringList openFiles(QWidget* parent, const QString& title, const QString& filter, bool multi,
                          const QString& folder) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& caption) override;
};

} // namespace krel
