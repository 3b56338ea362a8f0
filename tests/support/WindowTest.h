#pragma once

#include "support/InstrumentWindowFixture.h"

#include <QObject>
#include <functional>
#include <memory>

// The base of the window tests that work with an instrument: for every test function a
// simulated instrument and the main window that found it at start, made in init() and gone
// in cleanup(). The test reaches the parts through the accessors; prepare() is the place to
// set the window up further for every function of a class.
class WindowTest : public QObject {
    Q_OBJECT
public:
    ~WindowTest() override;

protected:
    InstrumentSimulator& sim() const { return m_rig->sim; }
    TFormMain& window() const { return *m_rig->f.main; }
    DialogAnswerer& answerer() const { return m_rig->answerer; }
    ScriptedFileDialogs& dialogs() const { return *m_rig->f.dialogs; }
    // The window's own folder, where the program and the test keep their files.
    const QTemporaryDir& dir() const { return m_rig->f.dir; }

    // Runs once the search's message was answered (and the record of dialogs cleared);
    // false stops the test.
    virtual bool prepare() { return true; }
    // Chooses menu entry `index` as the operator does, by clicking it.
    void chooseMenu(int index) const { chooseMenuEntry(window(), index); }
    // Makes instrument and window afresh, the instrument given to `adjust` before it starts;
    // true once prepare() has run well.
    bool restart(const std::function<void(InstrumentSimulator&)>& adjust = {});

protected Q_SLOTS:
    void init();
    void cleanup();

private:
    std::unique_ptr<WithInstrument> m_rig;
};
