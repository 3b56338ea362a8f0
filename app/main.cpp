#include "app/Language.h"
#include "app/VexaApplication.h"
#include "ui/TFormMain.h"
#include "ui/TFormPassword.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>

int main(int argc, char** argv) {
    VexaApplication app(argc, argv);

    Language language(QCoreApplication::applicationFilePath());
    MainWindowEnvironment environment;
    environment.appDir = QDir::currentPath() + QDir::separator();
    environment.applyStoredLanguage = [&language](int locale) {
        return language.ApplyStoredLanguage(locale);
    };
    environment.startNewCopy = [] {
        // The program file itself, so a copy started from any folder finds its way back;
        // the same working directory keeps the same settings file.
        QProcess::startDetached(QCoreApplication::applicationFilePath(), {}, QDir::currentPath());
    };

    TFormMain main(environment);
    TFormPassword password(main);
    main.setPasswordDialog(&password);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        main.move(screen->availableGeometry().center() - main.rect().center());
    main.show();
    return app.exec();
}
