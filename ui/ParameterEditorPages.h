#pragma once

#include "params/ParamCheck.h"
#include "params/ParamControls.h"
#include "params/ParamEditor.h"

#include <QTabWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

// "PageControl1", the five pages of the parameter editor: each setting's caption and
// control, the "(*)" notes, and the values the controls hold.
class ParameterEditorPages : public QTabWidget {
    Q_OBJECT
public:
    explicit ParameterEditorPages(QWidget* parent);

    EditorValues values() const;
    void setValues(const EditorValues& values);
    QWidget* control(ParamControl c) const;
    QLabel* label(ParamControl c) const { return m_labels[index(c)]; }
    QLineEdit* number(int i) const { return m_numbers[i]; }
    bool isNumber(const QObject* object) const;

    // Marks the fields the check found at fault, red; no marks for an empty check.
    void showMarks(const ParamCheck& check);
    void clearMarks();
    // Turns to the page of `c`.
    void showPageOf(ParamControl c) { setCurrentIndex(pageOf(c)); }

    // The controls from the first page to the last, top to bottom.
    static QList<ParamControl> readingOrder();

protected:
    void changeEvent(QEvent* event) override;

private:
    static int pageOf(ParamControl c);
    void makeControls();
    void addRow(QWidget* page, int row, ParamControl c, QWidget* field);
    void addNote(QWidget* page, int pageIndex, bool visible);
    void retranslateUi();

    std::array<QLineEdit*, kCheckedFieldCount> m_numbers{};
    QLineEdit* m_popcom = nullptr;
    QLineEdit* m_date = nullptr;
    QComboBox* m_langue = nullptr;
    QComboBox* m_modef = nullptr;
    QComboBox* m_alarm = nullptr;
    std::array<QLabel*, kParamControlCount> m_labels{};
    // "(*)" and its explanation at the foot of three pages, by page.
    std::array<QLabel*, 5> m_noteMarks{};
    std::array<QLabel*, 5> m_noteTexts{};
};
