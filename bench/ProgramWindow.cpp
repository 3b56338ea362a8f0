#include "bench/ProgramWindow.h"

#include "ui/LectureMemo.h"
#include "ui/MessageDialogInfo.h"
#include "ui/TFormMain.h"
#include "ui/TFormPassword.h"
#include "ui/TransferPanel.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

ProgramWindow::ProgramWindow() {
    qApp->installEventFilter(this);
}

ProgramWindow::~ProgramWindow() {
    qApp->removeEventFilter(this);
    if (m_main)
        m_main->hide();
    m_password.reset();
    m_main.reset();
}

bool ProgramWindow::start(const QStringList& ports) {
    MainWindowEnvironment env;
    env.appDir = m_dir.path() + u'/';
    env.listPorts = [ports](QStringList& list) { list = ports; };
    m_main = std::make_unique<TFormMain>(env);
    m_password = std::make_unique<TFormPassword>(m_main.get());
    m_main->setPasswordDialog(m_password.get());
    m_main->show();
    return waitForMessages(1);
}

bool ProgramWindow::waitForMessages(int count, int timeoutMs) {
    if (m_messages >= count)
        return true;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(this, &ProgramWindow::answered, &loop, [&] {
        if (m_messages >= count)
            loop.quit();
    });
    deadline.start(timeoutMs);
    loop.exec();
    return m_messages >= count;
}

void ProgramWindow::chooseMenu(int index) {
    auto* menu = m_main->findChild<QWidget*>(QStringLiteral("MegaMenu"));
    menu->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly).at(index)->click();
}

int ProgramWindow::transfer(const QString& resultPath) {
    // As the operator does: the "Lecture" entry of the menu bar, then "Transfert".
    chooseMenu(1);
    auto* panel = m_main->findChild<TransferPanel*>(QStringLiteral("PanelLecture"));
    panel->findChild<QLineEdit*>(QStringLiteral("EditFichierMesures"))->setText(resultPath);
    panel->findChild<QPushButton*>(QStringLiteral("ButtonLecture"))->click();
    return int(panel->findChild<LectureMemo*>(QStringLiteral("MemoLecture"))->lines().size());
}

bool ProgramWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        if (auto* info = qobject_cast<MessageDialogInfo*>(watched)) {
            m_lastMessage = info->message().trimmed();
            QMetaObject::invokeMethod(info, &QDialog::accept, Qt::QueuedConnection);
        } else if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            m_lastMessage = box->text();
            QMetaObject::invokeMethod(box, &QDialog::accept, Qt::QueuedConnection);
        } else {
            return false;
        }
        ++m_messages;
        QMetaObject::invokeMethod(this, &ProgramWindow::answered, Qt::QueuedConnection);
    }
    return false;
}
