#include "ui/ErrorReport.h"

#include "common/Errors.h"

#include <QApplication>
#include <QMessageBox>

QString formatErrorReport(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

void showErrorReport(const QString& message) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(),
                    formatErrorReport(message), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("ErrorReport"));
    box.exec();
}

void showErrorReport(const std::exception& error) {
    if (auto* v = dynamic_cast<const VexaError*>(&error))
        showErrorReport(v->message());
    else
        showErrorReport(QString::fromLocal8Bit(error.what()));
}
