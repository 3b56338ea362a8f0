#pragma once

#include "link/InstrumentSearch.h"

#include <QGroupBox>

class QLabel;

// "GroupBoxIdent": the identity of the instrument, as the last identification reply gave it.
// The parameter editor takes the software version from it.
class IdentityBox : public QGroupBox {
    Q_OBJECT
public:
    explicit IdentityBox(QWidget* parent = nullptr);

    // Fills the value labels and shows the box.
    void showIdentity(const InstrumentIdentity& identity);

Q_SIGNALS:
    // The software version label's caption changed.
    void softwareVersionChanged(const QString& version);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslateUi();

    bool m_identityShown = false;
    QLabel* m_labelDescription = nullptr;
    QLabel* m_labelSN = nullptr;
    QLabel* m_labelPN = nullptr;
    QLabel* m_labelPM = nullptr;
    QLabel* m_labelLN = nullptr;
    QLabel* m_labelDN = nullptr;
    QLabel* m_captionSN = nullptr;
    QLabel* m_captionPN = nullptr;
    QLabel* m_captionPM = nullptr;
    QLabel* m_captionLN = nullptr;
    QLabel* m_captionDN = nullptr;
};
