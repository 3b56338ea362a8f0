#include "ui/ErrorReport.h"

#include "common/Errors.h"

#include <QApplication>
#include <QMessageBox>

QString FormatErrorReport(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

void ShowErrorReport(const QString& message) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(),
                    FormatErrorReport(message), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("ErrorReport"));
    box.exec();
}

void ShowErrorReport(const std::exception& error) {
    if (auto* v = dynamic_cast<const VexaError*>(&error))
        ShowErrorReport(v->message());
    else
        ShowErrorReport(QString::fromLocal8Bit(error.what()));
}
