#pragma once

#include <QApplication>

// The application object. Any error that escapes a handler ends up in the general
// error report instead of ending the program.
class VexaApplication : public QApplication {
    Q_OBJECT
public:
    VexaApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
