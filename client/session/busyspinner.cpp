#include "busyspinner.h"

#include <QPainter>

namespace Session {

namespace {

constexpr int kDots = 10;

} // namespace

BusySpinner::BusySpinner(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(30, 30);
    m_timer.setInterval(80);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % kDots;
        update();
    });
    QSizePolicy keep = sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    setSizePolicy(keep);
    hide();
}

void BusySpinner::start()
{
    show();
    m_timer.start();
}

void BusySpinner::stop()
{
    m_timer.stop();
    hide();
}

void BusySpinner::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(width() / 2.0, height() / 2.0);
    const double radius = qMin(width(), height()) / 2.0 - 3.5;
    for (int i = 0; i < kDots; ++i) {
        // The leading dot is the darkest; the tail fades.
        const int age = (m_step - i + kDots) % kDots;
        QColor c(0xb3, 0x12, 0x1b);
        c.setAlphaF(1.0 - age / double(kDots) * 0.85);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.save();
        p.rotate(360.0 / kDots * i);
        p.drawEllipse(QPointF(0, -radius), 2.6, 2.6);
        p.restore();
    }
}

} // namespace Session
