#!/usr/bin/env bash
# Fails when a file includes a folder above its own layer, or when the code below the
# windows includes a widget header:
#   common <- link <- operations, params <- ui <- app;  sim: common only;
#   cli: the same layers as the window (common, link, operations, params) and the archive, no ui;
#   archive: beside operations, on common only.
# The build holds the same rule through each library's include roots (see the top
# CMakeLists.txt); this is the rule to read, and the guard where the system makes no links.
set -euo pipefail
cd "$(dirname "$0")/.."
declare -A allowed=(
    [common]="common"
    [link]="common link"
    [operations]="common link operations"
    [archive]="common archive"
    [params]="common link params"
    [ui]="common link operations params ui"
    [app]="common link operations params ui app"
    [cli]="common link operations params archive cli"
    [sim]="common sim"
)
# Headers of Qt's widget module, which only ui/ and app/ may use.
widgets='^(QtWidgets|QWidget|QApplication|QDialog|QMainWindow|QLabel|QPushButton|QLineEdit|QTextEdit|QPlainTextEdit|QComboBox|QCheckBox|QGroupBox|QTabWidget|QMessageBox|QFileDialog|QLayout|QHBoxLayout|QVBoxLayout|QScrollBar|QAbstractButton)$'
status=0
for layer in "${!allowed[@]}"; do
    [ -d "$layer" ] || continue
    while IFS=: read -r file line include; do
        folder=${include%%/*}
        if [[ $include == */* && -d $folder && " ${allowed[$layer]} " != *" $folder "* ]]; then
            echo "$file:$line: $layer/ includes \"$include\", above its layer" >&2
            status=1
        fi
    done < <(git grep -n -E '^\s*#\s*include\s*"' -- "$layer/*.cpp" "$layer/*.h" |
             sed -E 's/^([^:]*):([0-9]+):.*#\s*include\s*"([^"]+)".*/\1:\2:\3/')
    if [[ $layer != ui && $layer != app ]]; then
        while IFS=: read -r file line header; do
            if [[ $header =~ $widgets ]]; then
                echo "$file:$line: $layer/ includes the widget header <$header>" >&2
                status=1
            fi
        done < <(git grep -n -E '^\s*#\s*include\s*<' -- "$layer/*.cpp" "$layer/*.h" |
                 sed -E 's/^([^:]*):([0-9]+):.*#\s*include\s*<([^>]+)>.*/\1:\2:\3/')
    fi
done
[ $status -eq 0 ] && echo "Every include points down the layers."
exit $status
