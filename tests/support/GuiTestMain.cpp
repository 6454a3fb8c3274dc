// Test main for window tests: Qt runs without a display, inside the program's own application
// class so that failures are reported as the program reports them. Outside a test's own
// scripted dialogs, any box fails the test instead of waiting for a user who is not there.

#include "kit/Dialogs.h"
#include "kit/GuiGuard.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class NoUserDialogs : public krel::DialogService {
public:
    krel::MsgButton message(QWidget*, const krel::MessageCall& call) override {
        ADD_FAILURE() << "unscripted message box: " << call.text.toStdString();
        return krel::MsgButton::None;
    }
    QStringList openFiles(QWidget*, const QString& title, const QString&, bool,
                          const QString&) override {
        ADD_FAILURE() << "unscripted file chooser: " << title.toStdString();
        return {};
    }
    std::optional<QString> chooseFolder(QWidget*, const QString& caption) override {
        ADD_FAILURE() << "unscripted folder chooser: " << caption.toStdString();
        return std::nullopt;
    }
};

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    krel::KrelApplication app(argc, argv);
    NoUserDialogs noUser;
    krel::InstallDialogs(&noUser);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
