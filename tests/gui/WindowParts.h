#pragma once

// The program's controls as the window tests reach them: by the object names they carry,
// from the window or panel that holds them. A control that is missing stops the test.
#include "link/CommandExchange.h"
#include "link/TComPort.h"
#include "ui/BusyAnimation.h"
#include "ui/IdentityBox.h"
#include "ui/InstrumentPanel.h"
#include "ui/MainWindowFeedback.h"
#include "ui/MegaMenu.h"
#include "ui/MessageDialogInfo.h"
#include "ui/ParameterEditorPanel.h"
#include "ui/ParameterFilePanel.h"
#include "ui/SpecificParametersBox.h"
#include "ui/SplashScreen.h"
#include "ui/TFormMain.h"
#include "ui/TransferPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <memory>

namespace parts {

inline const QObject* toObject(const QObject* object) {
    return object;
}
inline const QObject* toObject(const QObject& object) {
    return &object;
}
template <class T> const QObject* toObject(const std::unique_ptr<T>& object) {
    return object.get();
}

template <class T> T* child(const QObject* root, const QString& name) {
    T* found = root->findChild<T*>(name);
    if (!found)
        qFatal("%s has no %s named %s", qPrintable(root->objectName()),
               T::staticMetaObject.className(), qPrintable(name));
    return found;
}

// A window of the program's own without an owner: the status window, the dialogs.
template <class T> T* topLevel(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<T*>(w); found && w->objectName() == name)
            return found;
    qFatal("no window named %s", qPrintable(name));
}

} // namespace parts

#define VEXA_PART(Type, getter, name)                                                              \
    template <class Owner> Type* getter(const Owner& owner) {                                      \
        return parts::child<Type>(parts::toObject(owner), QStringLiteral(name));                   \
    }

// The main window
VEXA_PART(MegaMenu, megaMenu, "MegaMenu")
VEXA_PART(QWidget, panelAccueil, "PanelAccueil")
VEXA_PART(TransferPanel, panelLecture, "PanelLecture")
VEXA_PART(InstrumentPanel, panelInitialisation, "PanelInitialisation")
VEXA_PART(ParameterFilePanel, panelHeader, "PanelHeader")
VEXA_PART(IdentityBox, groupBoxIdent, "GroupBoxIdent")
VEXA_PART(QWidget, panelInfoConnexion, "PanelInfoConnexion")
VEXA_PART(QPushButton, buttonConnexion, "ButtonConnexion")
VEXA_PART(QPushButton, buttonLangueFr, "ButtonLangueFr")
VEXA_PART(QPushButton, buttonLangueEn, "ButtonLangueEn")
VEXA_PART(QLabel, imageWait, "ImageWait")
VEXA_PART(QTimer, timerAutoConnect, "TimerAutoConnect")
VEXA_PART(MainWindowFeedback, operatorFeedback, "OperatorFeedback")
VEXA_PART(BusyAnimation, busyAnimation, "BusyAnimation")
// The Lecture panel
VEXA_PART(QLineEdit, editFichierMesures, "EditFichierMesures")
VEXA_PART(QPushButton, buttonSelectFichierMesures, "ButtonSelectFichierMesures")
VEXA_PART(QPushButton, buttonLecture, "ButtonLecture")
VEXA_PART(LectureMemo, memoLecture, "MemoLecture")
// The Initialisation panel
VEXA_PART(QLineEdit, editHorlogeInit, "EditHorlogeInit")
VEXA_PART(QPushButton, buttonHorloge, "ButtonHorloge")
VEXA_PART(QPushButton, buttonEffacer, "ButtonEffacer")
VEXA_PART(QTimer, timerHorloge, "TimerHorloge")
VEXA_PART(QGroupBox, groupBoxHorloge, "GroupBoxHorloge")
VEXA_PART(QGroupBox, groupBoxEffacement, "GroupBoxEffacement")
VEXA_PART(SpecificParametersBox, groupBoxHeader, "GroupBoxHeader")
VEXA_PART(QLineEdit, editParamKserie, "EditParamKserie")
VEXA_PART(QLineEdit, editParamKscint, "EditParamKscint")
VEXA_PART(QLineEdit, editParamKhtval, "EditParamKhtval")
VEXA_PART(QLineEdit, editParamKcontr, "EditParamKcontr")
VEXA_PART(QCheckBox, editParamKMaint, "EditParamKMaint")
VEXA_PART(QPushButton, buttonLireHeader, "ButtonLireHeader")
VEXA_PART(QPushButton, buttonEcrireHeader, "ButtonEcrireHeader")
VEXA_PART(QPushButton, buttonLoadHeader, "ButtonLoadHeader")
VEXA_PART(QPushButton, buttonSaveHeader, "ButtonSaveHeader")
// The Paramétrage panel and its editor
VEXA_PART(QLineEdit, editFichierParametres, "EditFichierParametres")
VEXA_PART(QPushButton, buttonSelectFichierParametres, "ButtonSelectFichierParametres")
VEXA_PART(QPushButton, buttonEdit, "ButtonEdit")
VEXA_PART(QPushButton, buttonInit, "ButtonInit")
VEXA_PART(ParameterEditorPanel, panelParametres, "PanelParametres")
VEXA_PART(QTabWidget, pageControl, "PageControl1")
VEXA_PART(QPushButton, buttonEnregistrer, "ButtonEnregistrer")
// The editor and the password dialog
VEXA_PART(QPushButton, buttonAnnuler, "ButtonAnnuler")
VEXA_PART(QLineEdit, editPassword, "EditPassword")
VEXA_PART(QPushButton, buttonOK, "ButtonOK")

#undef VEXA_PART

// Whether the operator sees the part named `name` ("PanelLecture"...). The panels behind the
// home panel are made on their entry's first visit: a part of one never visited is not seen.
template <class Owner> bool isShown(const Owner& window, const char* name) {
    const auto* part =
        parts::toObject(window)->template findChild<QWidget*>(QString::fromLatin1(name));
    return part && part->isVisible();
}

// Entry `index` of the menu bar, as it stands there.
template <class Owner> QPushButton* menuEntry(const Owner& window, int index) {
    const auto entries =
        megaMenu(window)->template findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
    if (index < 0 || index >= entries.size())
        qFatal("the menu bar has no entry %d", index);
    return entries.at(index);
}
// Chooses menu entry `index` as the operator does: a click on it, which does nothing while
// the menu bar is disabled.
template <class Owner> void chooseMenuEntry(const Owner& window, int index) {
    QTest::mouseClick(menuEntry(window, index), Qt::LeftButton);
}

// The serial port, the exchange with the instrument, the status window, the settings file.
template <class Owner> TComPort& comPort(const Owner& window) {
    return *parts::child<TComPort>(parts::toObject(window), QStringLiteral("ComPort"));
}
template <class Owner> CommandExchange& exchange(const Owner& window) {
    return *parts::toObject(window)->template findChild<CommandExchange*>();
}
inline SplashScreen* splashScreen() {
    return parts::topLevel<SplashScreen>(QStringLiteral("SplashScreen"));
}
// The identity as the identification box shows it, read from its value labels.
template <class Owner> InstrumentIdentity shownIdentity(const Owner& window) {
    auto text = [&](const char* name) {
        return parts::child<QLabel>(parts::toObject(window), QString::fromLatin1(name))->text();
    };
    return {text("LabelDescription"), text("LabelPN"), text("LabelLN"),
            text("LabelDN"),          text("LabelSN"), text("LabelPM")};
}

template <class Owner> QString settingsPath(const Owner& window) {
    return static_cast<const TFormMain*>(parts::toObject(window))->AppDir() +
           QStringLiteral("VEXAReader.ini");
}
