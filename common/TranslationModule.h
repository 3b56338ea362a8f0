#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QLocale;
class QTranslator;

// The three-letter language abbreviation of a Windows locale identifier (2057 "ENG",
// 1036 "FRA", 1033 "ENU", ...); empty for an identifier the table does not know.
QString localeAbbreviation(int locale);

// The translation module's path for a program file: everything after the last dot of the
// file name replaced by `abbreviation`, or the abbreviation appended after a dot when the
// file name has none (program files on Linux). A dot in a folder name never counts.
QString translationModulePath(const QString& programFile, const QString& abbreviation);

// A translation module read from its file. The translator reads the bytes in place, so
// they travel with it and must live as long as it is installed.
struct TranslationModule {
    std::unique_ptr<QTranslator> translator;
    QByteArray data;
    QString path;
};

// The module of a locale beside `programFile`: the three-letter name first, then the
// two-letter one (VEXAReader.ENG, then VEXAReader.EN). Null translator when there is none.
TranslationModule loadTranslationModule(const QString& programFile, int locale);

// Qt's own texts (standard buttons, file dialogs, the command-line parser's help) in a
// language, from the system's Qt translations; null when the system has none for it, or
// when the language is not said, and Qt then keeps its English texts.
std::unique_ptr<QTranslator> loadToolkitTranslation(const QLocale& language);
