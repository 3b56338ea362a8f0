#pragma once

#include <QStringList>
#include <QWidget>

class QPushButton;

// The gradient menu bar: five entries without sub-menus, enabled and disabled as a whole.
// By keyboard it is one stop in the window's tab order: Tab reaches the entry last chosen
// or moved to, Left and Right (Home, End) move along the bar, Enter or Space chooses, and
// F5 to F9 choose an entry from anywhere in the window while the bar is enabled. (Not
// Alt with a digit: on a French keyboard the digits need Shift, and the toolkit then never
// sees Alt+1; nor F1, help everywhere, or F2 to F4, which lists and editors use.)
class MegaMenu : public QWidget {
    Q_OBJECT
public:
    explicit MegaMenu(QWidget* parent = nullptr);

    void setItemTexts(const QStringList& texts);
    QPushButton* item(int index) const;
    int count() const { return static_cast<int>(m_items.size()); }
    // Gives the focus to the entry that Tab reaches, as the program's own move.
    void focusCurrentEntry();

Q_SIGNALS:
    void MenuItemClick(int itemIndex);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The entry that stands for the bar in the tab order.
    void setCurrent(int index);
    void retranslateUi();

    QList<QPushButton*> m_items;
    int m_current = 0;
};
