#pragma once
// Picture-taking mode for looking at the program without a display (tools/screenshot): opens
// one named window, saves it as a PNG and quits. main enters it only when KREL_SCREENSHOT=1.

#include <QString>
#include <QStringList>

namespace krel {

class TKrelEditMainForm;

// The window names understood by RunScreenshot.
QStringList ScreenshotWindows();

// Reads "--screenshot-window NAME --screenshot-out FILE" from arguments; returns false (and
// prints why) when they are missing or NAME is unknown.
bool ParseScreenshotArguments(const QStringList& arguments, QString& window, QString& file);

// From now on every message box is printed and answered with its first button, unseen.
void AnswerBoxesUnseen();

// Schedules the picture; the application quits with 0 once the file is written, else 1.
void RunScreenshot(TKrelEditMainForm& frame, const QString& window, const QString& file);

} // namespace krel
