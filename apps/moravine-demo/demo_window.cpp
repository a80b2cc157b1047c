#include "apps/moravine-demo/demo_window.h"

#include "hosting/qt/moravine_widget.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace ruvo {

DemoWindow::DemoWindow(const Clock& clock, QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(tr("Moravine demo"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    m_control = new MoravineWidget(clock, central);
    layout->addWidget(m_control);

    auto* hostRow = new QHBoxLayout;
    hostRow->addWidget(new QLabel(tr("The host asks datenice for"), central));
    m_date = new QDateEdit(QDate(2006, 10, 26), central);
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    hostRow->addWidget(m_date);
    auto* call = new QPushButton(tr("Call"), central);
    hostRow->addWidget(call);
    m_answer = new QLabel(central);
    hostRow->addWidget(m_answer, 1);
    layout->addLayout(hostRow);
    setCentralWidget(central);

    connect(call, &QPushButton::clicked, this, &DemoWindow::callDatenice);
    connect(m_control, &MoravineWidget::runtimeError, this, &DemoWindow::showError);
    statusBar()->showMessage(tr("Ready"));
}

// A run-time error goes to the status bar, and to a message box that a screen reader speaks as
// an alert; it is not modal, so the user goes on where she was once it is closed.
void DemoWindow::showError(const QString& message) {
    statusBar()->showMessage(message, 10000);
    auto* box =
        new QMessageBox(QMessageBox::Warning, tr("Moravine"), message, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("runtimeError"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// Late-bound, by name, as a host that knows the control only through Qt's meta-object system.
void DemoWindow::callDatenice() {
    QString text;
    QMetaObject::invokeMethod(m_control, "datenice", Q_RETURN_ARG(QString, text),
                              Q_ARG(QDate, m_date->date()));
    m_answer->setText(text.isEmpty() ? tr("(no such date)") : text);
}

} // namespace ruvo
