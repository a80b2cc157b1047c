#pragma once

#include <QMainWindow>

class QDateEdit;
class QLabel;

namespace ruvo {

class Clock;
class MoravineWidget;

// A host application's window with the control in it: the control's run-time errors go to the
// status bar, and a row below the control calls its public method datenice on a date the user
// chooses, as a host would.
class DemoWindow final : public QMainWindow {
    Q_OBJECT

  public:
    explicit DemoWindow(const Clock& clock, QWidget* parent = nullptr);

    MoravineWidget& control() { return *m_control; }

  private:
    void callDatenice();
    void showError(const QString& message);

    MoravineWidget* m_control;
    QDateEdit* m_date;
    QLabel* m_answer;
};

} // namespace ruvo
