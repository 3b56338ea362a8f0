#include "ui/SearchDetailsView.h"

#include "link/PortReport.h"

#include <QFontDatabase>
#include <QTextBlock>
#include <QTextCursor>

namespace {

constexpr int kBlanksPerLevel = 4;
constexpr int kMarginPerLevel = 14; // pixels
// From this level on a line is a command to type.
constexpr int kCommandLevel = 2;

} // namespace

SearchDetailsView::SearchDetailsView(QWidget* parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("SearchDetails"));
    setReadOnly(true);
    setAcceptRichText(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QTextEdit::WidgetWidth);
}

void SearchDetailsView::showRecord(const SearchRecord& record) {
    showLines(searchReportLines(record));
}

void SearchDetailsView::showLines(const QStringList& lines) {
    clear();
    QTextCursor cursor(document());
    const QString fixedFamily = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    bool first = true;
    for (const QString& line : lines) {
        qsizetype blanks = 0;
        while (blanks < line.size() && line.at(blanks) == u' ')
            ++blanks;
        const int level = int(blanks / kBlanksPerLevel);
        QTextBlockFormat block;
        block.setLeftMargin(level * kMarginPerLevel);
        QTextCharFormat characters;
        if (level >= kCommandLevel)
            characters.setFontFamilies({fixedFamily});
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        first = false;
        cursor.insertText(line.mid(blanks), characters);
    }
    moveCursor(QTextCursor::Start);
}
