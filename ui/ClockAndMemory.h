#pragma once

#include <QDateTime>
#include <QObject>
#include <functional>

struct PanelContext;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;
class RestoreGuard;

// The upper half of the Initialisation panel: the clock group, whose edit follows the
// computer's clock until the operator goes into it, and the memory group with "Effacer".
// Its groups are the panel's children; this object only runs them.
class ClockAndMemory : public QObject {
    Q_OBJECT
public:
    ClockAndMemory(PanelContext& context, QWidget* panel);

    // The edit follows the computer's clock again, from now on.
    void followComputerClock();
    // Nobody sees the edit: its refresh sleeps until the next followComputerClock().
    void stopRefreshing();
    // The clock the edit follows.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    void retranslateUi();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void EditHorlogeInitEnter();
    void TimerHorlogeTimer();
    void ButtonHorlogeClick();
    void ButtonEffacerClick();

private:
    void holdWhileErasing(RestoreGuard& restore);
    QString clockEditText() const;
    // The computer's clock in the clock edit, while it follows it.
    void showComputerClock();

    PanelContext& m_context;
    QWidget* m_panel;
    std::function<QDateTime()> m_clock = [] { return QDateTime::currentDateTime(); };
    bool m_suiviHorloge = false;

    QGroupBox* m_groupBoxHorloge = nullptr;
    QLabel* m_label11 = nullptr;
    QLineEdit* m_editHorlogeInit = nullptr;
    QPushButton* m_buttonHorloge = nullptr;
    QTimer* m_timerHorloge = nullptr;

    QGroupBox* m_groupBoxEffacement = nullptr;
    QLabel* m_label2 = nullptr;
    QPushButton* m_buttonEffacer = nullptr;
};
