#pragma once

#include <QWidget>

struct AppContext;

// The "PanelLecture" panel.
class LecturePanel : public QWidget {
    Q_OBJECT
public:
    LecturePanel(AppContext& context, QWidget* parent = nullptr);

    // What the menu entry does once the panel is shown.
    void EntryStep();
    // "Transfert" becomes usable once an instrument has been found.
    void EnableTransfer();

private:
    AppContext& m_context;
};
