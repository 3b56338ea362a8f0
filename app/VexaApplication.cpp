#include "app/VexaApplication.h"

#include "ui/ErrorReport.h"

#include <QFont>

VexaApplication::VexaApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("VEXAReader"));
    setApplicationDisplayName(QStringLiteral("VEXA-Reader"));
    setApplicationVersion(QStringLiteral("1.0.1"));
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
