#pragma once

#include <QBasicTimer>
#include <QWidget>

class QSvgRenderer;

namespace App {

// The small turning ring a list shows while it loads. It turns only while it is shown.
class BusyIndicator final : public QWidget
{
    Q_OBJECT

public:
    explicit BusyIndicator(QWidget *parent = nullptr);

    QSize sizeHint() const override { return {24, 24}; }
    bool isTurning() const { return m_timer.isActive(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    QSvgRenderer *m_renderer;
    QBasicTimer m_timer;
    int m_angle = 0;
};

} // namespace App
