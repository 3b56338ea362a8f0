#include "app/Language.h"

#include <QTranslator>

Language::Language() = default;
Language::~Language() = default;

bool Language::ApplyStoredLanguage(int) {
    return false;
}
