#include "skin/Skin.h"

#include <QApplication>
#include <QFontDatabase>
#include <QWidget>

namespace krel::skin {

QColor Background() {
    return QColor(0xAD, 0xC6, 0xDE);
}
// A selected row must stand out from the pale rows at a glance: dark, with light text.
QColor Selection() {
    return QColor(0x1C, 0x3A, 0x66);
}
QColor SelectedText() {
    return Qt::white;
}
QColor Text() {
    return QColor(0x10, 0x20, 0x38);
}
QColor Workspace() {
    return QColor(0x7F, 0x97, 0xAE);
}

QString FontFamily() {
    const QStringList installed = QFontDatabase::families();
    for (const char* family : {"Verdana", "DejaVu Sans", "Bitstream Vera Sans"})
        if (installed.contains(QString::fromLatin1(family), Qt::CaseInsensitive))
            return QString::fromLatin1(family);
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont CaptionFont(int pointSize) {
    QFont font(FontFamily(), pointSize);
    font.setBold(true);
    return font;
}

QFont TextFont(int pointSize) {
    return QFont(FontFamily(), pointSize);
}

QPalette Palette(QPalette palette) {
    // Colours go to the active and inactive groups only: disabled controls keep their greyed
    // text, so a disabled command looks disabled.
    auto set = [&palette](QPalette::ColorRole role, const QColor& colour) {
        palette.setColor(QPalette::Active, role, colour);
        palette.setColor(QPalette::Inactive, role, colour);
    };
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::AlternateBase})
        palette.setColor(role, Background());
    palette.setColor(QPalette::Base, QColor(0xF4, 0xF8, 0xFC));
    palette.setColor(QPalette::Disabled, QPalette::Base, Background());
    set(QPalette::Highlight, Selection());
    set(QPalette::HighlightedText, SelectedText());
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        set(role, Text());
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, QColor(0x6A, 0x7C, 0x8E));
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE8));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    return palette;
}

QString StyleSheet() {
    const QString family = FontFamily();
    return QStringLiteral("QLabel, QPushButton, QRadioButton, QCheckBox, QGroupBox, QMenuBar"
                          " { font-family: '%1'; font-weight: bold; }"
                          "QLabel[plain=\"true\"] { font-weight: normal; }"
                          "QPushButton { min-width: 72px; padding: 3px 10px; }"
                          "QLineEdit[readOnly=\"true\"] { background: #E4ECF3; }")
        .arg(family);
}

void MarkPlain(QWidget* label) {
    label->setProperty("plain", true);
}

void ApplyToApplication(QApplication& app) {
    app.setStyle(QStringLiteral("Fusion"));
    app.setPalette(Palette(app.palette()));
    app.setFont(TextFont());
    app.setStyleSheet(StyleSheet());
}

void ApplyTo(QWidget* window) {
    window->setPalette(Palette(window->palette()));
    window->setFont(TextFont());
    window->setStyleSheet(StyleSheet());
}

} // namespace krel::skin
