#pragma once

#include "operations/MeasurementTransfer.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <QTimer>

// "MemoLecture": the lines of the last transfer, fixed pitch, never wrapped, read-only.
// Lines are put on screen in batches, so a fast line or a memory of 100,000 lines does
// not cost a layout pass per line.
class LectureMemo : public QPlainTextEdit, public TransferView {
    Q_OBJECT
public:
    explicit LectureMemo(QWidget* parent = nullptr);

    void clearLines() override;
    void appendLine(const QString& line) override;
    void flush() override;

    // Every line, the held-back ones included.
    QStringList lines() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void paintNewRows(int firstNewBlock);

    // The text control's requests to repaint the view, held back while a batch goes in:
    // the text layout asks for the whole view at every change.
    QObject* m_textControl = nullptr;
    bool m_fontSet = false;
    QStringList m_pending;
    qsizetype m_shownLines = 0;
    QTimer m_flushTimer;
};
