#pragma once

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRect;
class QWidget;

// The controls of the Initialisation panel's groups, placed where the window has them.
QLineEdit* makeEdit(QWidget* parent, const char* name, int x, int y, int width);
QLabel* makeLabel(QWidget* parent, const char* name, int x, int y, int width);
QPushButton* makeButton(QWidget* parent, const char* name, int x, int y, int width);
// A group box whose caption is bold; keepOrdinaryWeight() once its controls are made
// gives them back the ordinary weight.
QGroupBox* makeGroup(QWidget* parent, const char* name, const QRect& geometry);
void styleGroup(QGroupBox* group, const char* name, const QRect& geometry);
void keepOrdinaryWeight(QGroupBox* group);
