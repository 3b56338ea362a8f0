#include "app/VexaApplication.h"

#include "ui/ErrorReport.h"

#include <QFont>
#include <QIcon>

VexaApplication::VexaApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("VEXAReader"));
    setApplicationDisplayName(QStringLiteral("VEXA-Reader"));
    setApplicationVersion(QStringLiteral(VEXA_VERSION));
    // The desktop entry's name lets a Wayland desktop match the window to its icon and entry.
    setDesktopFileName(QStringLiteral(VEXA_APP_ID));
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
    // Tahoma where the system has it, else the closest sans-serif.
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    setFont(font);
}

bool VexaApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showErrorReport(e);
    } catch (...) {
        showErrorReport(QStringLiteral("Unexpected error"));
    }
    return false;
}
