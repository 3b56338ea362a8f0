#pragma once

#include "gui/GuiTestSupport.h"
#include "gui/WindowParts.h"
#include "ui/TFormMain.h"
#include "ui/TFormPassword.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>

// A main window and its password dialog, as the program entry makes them, working in a
// temporary folder and searching only the ports a test lists.
struct MainWindowFixture {
    QTemporaryDir dir;
    std::shared_ptr<ScriptedFileDialogs> dialogs = std::make_shared<ScriptedFileDialogs>();
    QStringList ports;
    std::unique_ptr<TFormMain> main;
    std::unique_ptr<TFormPassword> password;

    // `adjust` may add to the environment before the window is made.
    void create(const std::function<void(MainWindowEnvironment&)>& adjust = {}) {
        MainWindowEnvironment env;
        env.appDir = dir.path() + u'/';
        env.listPorts = [this](QStringList& list) { list = ports; };
        env.dialogs = dialogs;
        if (adjust)
            adjust(env);
        main = std::make_unique<TFormMain>(env);
        password = std::make_unique<TFormPassword>(main.get());
        main->setPasswordDialog(password.get());
        main->show();
    }

    ~MainWindowFixture() {
        if (main)
            main->hide();
        password.reset();
        main.reset();
    }
};
