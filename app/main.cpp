#include "app/Language.h"
#include "app/VexaApplication.h"
#include "ui/TFormMain.h"
#include "ui/TFormPassword.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>

int main(int argc, char** argv) {
    VexaApplication app(argc, argv);

    Language language(QCoreApplication::applicationFilePath());
    MainWindowEnvironment environment;
    // The window adds the separator where it is missing (a root already has one).
    environment.appDir = QDir::toNativeSeparators(QDir::currentPath());
    environment.applyStoredLanguage = [&language](int locale) {
        return language.ApplyStoredLanguage(locale);
    };
    environment.startNewCopy = [] {
        startNewCopy(QCoreApplication::applicationFilePath(), QDir::currentPath());
    };

    TFormMain main(environment);
    TFormPassword password(&main);
    main.setPasswordDialog(&password);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        main.move(screen->availableGeometry().center() - main.rect().center());
    main.show();
    return app.exec();
}
