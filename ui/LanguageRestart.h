#pragma once

#include <functional>

class Settings;

// A change of language takes effect in a new copy of the program: the choice is stored,
// the new copy started, and this one ends without its close steps, so that the new copy
// starts from the folders the previous close saved.
class LanguageRestart {
public:
    LanguageRestart(Settings& settings, std::function<void()> startNewCopy,
                    std::function<void()> endProgram);

    // Raises when the choice cannot be stored; nothing is started then.
    void restartIn(int language);
    // This copy is ending for a new one: its window closes without a question.
    bool ending() const { return m_ending; }

private:
    Settings& m_settings;
    std::function<void()> m_startNewCopy;
    std::function<void()> m_endProgram;
    bool m_ending = false;
};
