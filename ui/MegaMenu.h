#pragma once

#include <QStringList>
#include <QWidget>

class QPushButton;

// The gradient menu bar: five entries without sub-menus, enabled and disabled as a whole.
class MegaMenu : public QWidget {
    Q_OBJECT
public:
    explicit MegaMenu(QWidget* parent = nullptr);

    void setItemTexts(const QStringList& texts);
    QPushButton* item(int index) const;
    int count() const { return static_cast<int>(m_items.size()); }

Q_SIGNALS:
    void MenuItemClick(int itemIndex);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<QPushButton*> m_items;
};
