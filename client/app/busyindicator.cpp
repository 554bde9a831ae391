#include "busyindicator.h"

#include "client/resources/resources.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QTimerEvent>

using namespace Qt::StringLiterals;

namespace App {

namespace {
constexpr int kStepDegrees = 30;
constexpr int kStepMs = 75;
} // namespace

BusyIndicator::BusyIndicator(QWidget *parent)
    : QWidget(parent)
    , m_renderer(new QSvgRenderer(Resources::path(u"icons/busy.svg"_s), this))
{
    setFixedSize(sizeHint());
}

void BusyIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    painter.rotate(m_angle);
    painter.translate(-width() / 2.0, -height() / 2.0);
    m_renderer->render(&painter, QRectF(rect()));
}

void BusyIndicator::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_timer.start(kStepMs, this);
}

void BusyIndicator::hideEvent(QHideEvent *event)
{
    m_timer.stop();
    QWidget::hideEvent(event);
}

void BusyIndicator::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    m_angle = (m_angle + kStepDegrees) % 360;
    update();
}

} // namespace App
