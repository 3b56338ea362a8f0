#pragma once

#include <QString>
#include <memory>

class QTranslator;

// Translation modules lie next to the program file, named after it with the language
// abbreviation as extension (VEXAReader.ENG, falling back to VEXAReader.EN).
class Language {
public:
    Language();
    ~Language();

    // Loads and installs the module of a locale identifier; true when one was installed.
    bool ApplyStoredLanguage(int locale);

private:
    std::unique_ptr<QTranslator> m_translator;
};
