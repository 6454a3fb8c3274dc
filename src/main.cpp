// The program: creates the application and the frame window, and runs until the frame closes.

#include "common/Platform.h"
#include "frame/CommandLine.h"
#include "frame/MainForm.h"
#include "frame/Screenshot.h"
#include "kit/Dialogs.h"
#include "kit/GuiGuard.h"
#include "skin/Artwork.h"
#include "skin/Skin.h"

#include <QByteArray>
#include <iostream>

int main(int argc, char** argv) {
    if (auto status = krel::AnswerWithoutWindow({argv + 1, argv + argc}, std::cout))
        return *status;
    krel::PinLocalTimeZone();
    krel::KrelApplication app(argc, argv);
    // Lets Wayland desktops match the window with the desktop entry and its icon.
    app.setDesktopFileName(QStringLiteral(KREL_APP_ID));
    krel::skin::ApplyToApplication(app);
    app.setWindowIcon(krel::skin::PlanetPicture(64));

    QString shotWindow;
    QString shotFile;
    const bool screenshot = qgetenv("KREL_SCREENSHOT") == "1";
    if (screenshot && !krel::ParseScreenshotArguments(app.arguments(), shotWindow, shotFile))
        return 2;
    if (screenshot)
        krel::AnswerBoxesUnseen();

    krel::TKrelEditMainForm frame;
    frame.show();
    if (screenshot)
        krel::RunScreenshot(frame, shotWindow, shotFile);
    return app.exec();
}
