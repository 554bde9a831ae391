#pragma once

#include <QTimer>
#include <QWidget>

namespace Session {

// The small busy animation of the login: a ring of dots turning while a login waits.
class BusySpinner final : public QWidget
{
    Q_OBJECT

public:
    explicit BusySpinner(QWidget *parent = nullptr);

    void start(); // shows and turns
    void stop();  // stops and hides
    bool isSpinning() const { return m_timer.isActive(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer m_timer;
    int m_step = 0;
};

} // namespace Session
