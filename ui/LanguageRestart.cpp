#include "ui/LanguageRestart.h"

#include "ui/Settings.h"

#include <QCoreApplication>

LanguageRestart::LanguageRestart(Settings& settings, std::function<void()> startNewCopy,
                                 std::function<void()> endProgram)
    : m_settings(settings), m_startNewCopy(std::move(startNewCopy)),
      m_endProgram(std::move(endProgram)) {}

void LanguageRestart::restartIn(int language) {
    m_settings.writeLanguage(language);
    if (m_startNewCopy)
        m_startNewCopy();
    m_ending = true;
    if (m_endProgram)
        m_endProgram();
    else
        QCoreApplication::quit();
}
