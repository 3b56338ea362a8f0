#include "bench/BenchChildren.h"

#include "bench/BenchSupport.h"
#include "bench/ProgramWindow.h"

#include "ui/TFormMain.h"
#include "ui/TFormPassword.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <unistd.h>

int startupChild(const QString& kind, int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<TFormPassword> password;
    if (kind == QStringLiteral("program")) {
        MainWindowEnvironment env;
        env.appDir = dir.path() + u'/';
        env.listPorts = [](QStringList& list) { list.clear(); };
        auto* main = new TFormMain(env);
        window.reset(main);
        password = std::make_unique<TFormPassword>(main);
        main->setPasswordDialog(password.get());
    } else {
        // Any window with text pays for the font set-up: the floor shows one line of it.
        window = std::make_unique<QWidget>();
        window->resize(640, 450);
        auto* text = new QLabel(QStringLiteral("VEXA-Reader"), window.get());
        text->move(20, 20);
    }
    struct FirstPaint : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                std::printf("shown\n");
                std::fflush(stdout);
                ::_exit(0);
            }
            return false;
        }
    } firstPaint;
    window->installEventFilter(&firstPaint);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    window->show();
    return app.exec();
}

int idleChild(const QString& kind, const QString& port, int argc, char** argv) {
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> bare;
    std::unique_ptr<ProgramWindow> program;
    if (kind == QStringLiteral("bare")) {
        bare = std::make_unique<QWidget>();
        bare->resize(640, 450);
        bare->show();
    } else {
        program = std::make_unique<ProgramWindow>();
        if (!program->start({port}))
            return 2;
        if (kind == QStringLiteral("initialisation")) {
            program->chooseMenu(2);
            program->chooseMenu(0);
        }
    }
    QTimer::singleShot(200, [] {
        std::printf("idle\n");
        std::fflush(stdout);
    });
    return app.exec();
}

int memoryChild(const QString& port, const QString& resultPath, int argc, char** argv) {
    QApplication app(argc, argv);
    int memoLines = 0;
    {
        ProgramWindow window;
        if (!window.start({port}))
            return 2;
        memoLines = window.transfer(resultPath);
        app.processEvents();
        std::printf("%.1f %d\n", peakResidentMegabytes(), memoLines);
        std::fflush(stdout);
    }
    return 0;
}
