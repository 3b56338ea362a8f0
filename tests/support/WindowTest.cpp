#include "support/WindowTest.h"

#include <QtTest>

WindowTest::~WindowTest() = default;

bool WindowTest::restart(const std::function<void(InstrumentSimulator&)>& adjust) {
    m_rig.reset(); // one window at a time
    m_rig = std::make_unique<WithInstrument>();
    if (adjust)
        adjust(m_rig->sim);
    if (!m_rig->start())
        return false;
    m_rig->answerer.clear();
    return prepare();
}

void WindowTest::init() {
    QVERIFY(restart());
}

void WindowTest::cleanup() {
    m_rig.reset();
}
