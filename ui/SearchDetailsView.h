#pragma once

#include <QStringList>
#include <QTextEdit>

struct SearchRecord;

// The search's details beside the connection prompt: each port tried, why it failed and
// how to mend it. Read-only text that a user can select, so that a command can be copied
// into a terminal; the report's indentation becomes a margin, so that wrapped lines stay
// under their own and a copied command carries no leading blanks.
class SearchDetailsView : public QTextEdit {
    Q_OBJECT
public:
    explicit SearchDetailsView(QWidget* parent = nullptr);

    void showRecord(const SearchRecord& record);
    // Lines as searchReportLines() gives them: four leading blanks per level.
    void showLines(const QStringList& lines);
};
