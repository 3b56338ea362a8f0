#include "common/TranslationModule.h"

#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <algorithm>
#include <unordered_map>

QString localeAbbreviation(int locale) {
    // What Windows reports for the locales an instrument's users are likely to have.
    static const std::unordered_map<int, const char*> table = {
        {1036, "FRA"}, {3084, "FRC"}, {2060, "FRB"}, {4108, "FRS"}, {5132, "FRL"}, {6156, "FRM"},
        {2057, "ENG"}, {1033, "ENU"}, {3081, "ENA"}, {4105, "ENC"}, {5129, "ENZ"}, {6153, "ENI"},
        {7177, "ENS"}, {1031, "DEU"}, {2055, "DES"}, {3079, "DEA"}, {4103, "DEL"}, {1040, "ITA"},
        {2064, "ITS"}, {1034, "ESP"}, {3082, "ESN"}, {2058, "ESM"}, {1043, "NLD"}, {2067, "NLB"},
        {1046, "PTB"}, {2070, "PTG"}, {1053, "SVE"}, {1044, "NOR"}, {1030, "DAN"}, {1035, "FIN"},
        {1045, "PLK"}, {1029, "CSY"}, {1051, "SKY"}, {1038, "HUN"}, {1048, "ROM"}, {1049, "RUS"},
        {1058, "UKR"}, {1032, "ELL"}, {1055, "TRK"}, {1037, "HEB"}, {1025, "ARA"}, {1041, "JPN"},
        {1042, "KOR"}, {2052, "CHS"}, {1028, "CHT"}, {1054, "THA"}, {1066, "VIT"}, {1057, "IND"},
        {1050, "HRV"}, {1060, "SLV"}, {1026, "BGR"}, {1061, "ETI"}, {1062, "LVI"}, {1063, "LTH"},
        {1039, "ISL"}, {1027, "CAT"}, {1069, "EUQ"}, {1110, "GLC"}};
    const auto it = table.find(locale);
    return it == table.end() ? QString() : QString::fromLatin1(it->second);
}

QString translationModulePath(const QString& programFile, const QString& abbreviation) {
    const qsizetype nameStart =
        std::max(programFile.lastIndexOf(u'/'), programFile.lastIndexOf(u'\\')) + 1;
    const qsizetype dot = programFile.lastIndexOf(u'.');
    // A leading dot makes a hidden file, not an extension.
    if (dot > nameStart)
        return programFile.left(dot + 1) + abbreviation;
    return programFile + u'.' + abbreviation;
}

TranslationModule loadTranslationModule(const QString& programFile, int locale) {
    const QString abbreviation = localeAbbreviation(locale);
    if (abbreviation.isEmpty())
        return {};
    for (const QString& name : {abbreviation, abbreviation.left(2)}) {
        // Read by exact name: the translator's own lookup would try other suffixes.
        const QString candidate = translationModulePath(programFile, name);
        QFile file(candidate);
        if (!QFileInfo(candidate).isFile() || !file.open(QIODevice::ReadOnly))
            continue;
        TranslationModule module;
        module.data = file.readAll();
        module.translator = std::make_unique<QTranslator>();
        if (!module.translator->load(reinterpret_cast<const uchar*>(module.data.constData()),
                                     static_cast<int>(module.data.size())))
            continue;
        module.path = candidate;
        return module;
    }
    return {};
}

std::unique_ptr<QTranslator> loadToolkitTranslation(const QLocale& language) {
    if (language.language() == QLocale::C)
        return nullptr;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    return translator;
}
