#pragma once
// The editor's look, in one place: pale blue windows, a lighter blue selection, and bold
// Verdana (or the closest sans font installed) for captions. Windows apply it through
// ApplyToApplication once, or ApplyTo for a window that must stand alone.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

class QApplication;
class QWidget;

namespace krel::skin {

QColor Background();   // #ADC6DE
QColor Selection();    // #1C3A66
QColor SelectedText(); // white on the selection
QColor Text();
QColor Workspace(); // behind the child windows of the frame

// "Verdana" when installed, else a similar sans font ("DejaVu Sans", then the default sans).
QString FontFamily();
QFont CaptionFont(int pointSize = 9); // bold
QFont TextFont(int pointSize = 9);    // regular, for text that the user reads or types

QPalette Palette(QPalette base);
// Captions are bold; a label of running text is marked plain to keep its regular weight.
void MarkPlain(QWidget* label);
QString StyleSheet();

void ApplyToApplication(QApplication& app);
void ApplyTo(QWidget* window);

} // namespace krel::skin
