#pragma once

#include <QColor>
#include <QString>

// The program's colours, in one place: a white window, light-blue gradients framed in blue
// for the panels that speak to the operator (connection prompt, password, messages, status),
// a deeper blue for titles, links and the menu bar.
namespace theme {

inline QColor gradientTop() {
    return {0xEA, 0xF3, 0xFD};
}
inline QColor gradientBottom() {
    return {0xBF, 0xDB, 0xF7};
}
inline QColor frame() {
    return {0x2F, 0x6F, 0xC0};
}
inline QColor title() {
    return {0x1F, 0x5F, 0xA8};
}
inline QColor ink() {
    return {0x10, 0x2A, 0x4C};
}
inline QColor groupFrame() {
    return {0x9B, 0xB7, 0xD9};
}
inline QColor menuTop(bool enabled) {
    return enabled ? QColor(0x4A, 0x90, 0xE2) : QColor(0x9A, 0xB4, 0xD2);
}
inline QColor menuBottom(bool enabled) {
    return enabled ? title() : QColor(0x7A, 0x92, 0xAE);
}

inline QString css(const QColor& colour) {
    return colour.name(QColor::HexRgb).toUpper();
}
// The light-blue gradient as a style-sheet brush, top to bottom.
inline QString gradientCss() {
    return QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2)")
        .arg(css(gradientTop()), css(gradientBottom()));
}
// A rounded light-blue panel framed in blue, for the widget of that object name.
inline QString roundedPanelCss(const QString& objectName) {
    return QStringLiteral("#%1 { border: 1px solid %2; border-radius: 12px; background: %3; }")
        .arg(objectName, css(frame()), gradientCss());
}

} // namespace theme
