#include "ui/ErrorReport.h"

#include "common/Errors.h"
#include "link/EComPort.h"

#include <QApplication>
#include <QMessageBox>

namespace {

void showReportText(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok);
    box.setObjectName(QStringLiteral("ErrorReport"));
    // Port and program names are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

QString formatErrorReport(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

QString formatErrorReport(const QString& message, const QString& detail) {
    const QString first = formatErrorReport(message);
    return detail.isEmpty() ? first : first + u'\n' + detail;
}

void showErrorReport(const QString& message) {
    showReportText(formatErrorReport(message));
}

void showErrorReport(const std::exception& error) {
    if (auto* port = dynamic_cast<const EComPort*>(&error))
        showReportText(formatErrorReport(port->message(), port->detail()));
    else if (auto* v = dynamic_cast<const VexaError*>(&error))
        showErrorReport(v->message());
    else
        showErrorReport(QString::fromLocal8Bit(error.what()));
}
