#!/usr/bin/env bash
# Refreshes the translation sources from the code: new texts appear as unfinished,
# texts that left the code are dropped. Then fill in the new ones with Qt Linguist.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate6 || echo /usr/lib/qt6/bin/lupdate)
"$lupdate" -silent -no-obsolete -locations none -source-language fr -target-language en_GB -I . \
    $(cat resources/translations/folders) -ts resources/translations/VEXAReader_en.ts
