#pragma once

#include "ui/LectureMemo.h"

#include <QDateTime>
#include <QWidget>
#include <functional>

struct PanelContext;
class QLabel;
class QLineEdit;
class QPushButton;

// The "PanelLecture" panel: result file choice and the measurement transfer.
class TransferPanel : public QWidget {
    Q_OBJECT
public:
    TransferPanel(PanelContext& context, QWidget* parent = nullptr);

    // What the menu entry does once the panel is shown: proposes the result file name.
    void entryStep();
    // "Transfert" becomes usable once an instrument has been found.
    void enableTransfer();

    // The clock the proposed name is taken from.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

protected:
    void changeEvent(QEvent* event) override;

private Q_SLOTS:
    void ButtonSelectFichierMesuresClick();
    void ButtonLectureClick();

private:
    void retranslateUi();

    PanelContext& m_context;
    std::function<QDateTime()> m_clock = [] { return QDateTime::currentDateTime(); };
    // The file last chosen in the "..." dialog, which asks before replacing one.
    QString m_confirmedFile;

    QLabel* m_label1 = nullptr;
    QLineEdit* m_editFichierMesures = nullptr;
    QPushButton* m_buttonSelectFichierMesures = nullptr;
    QPushButton* m_buttonLecture = nullptr;
    LectureMemo* m_memoLecture = nullptr;
};
