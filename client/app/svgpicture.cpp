#include "svgpicture.h"

#include "client/resources/resources.h"

#include <QPainter>
#include <QSvgRenderer>

namespace App {

SvgPicture::SvgPicture(const QString &resource, Qt::Alignment anchor, QWidget *parent)
    : QWidget(parent)
    , m_renderer(new QSvgRenderer(Resources::path(resource), this))
    , m_anchor(anchor)
{
    connect(m_renderer, &QSvgRenderer::repaintNeeded, this, [this] {
        if (isVisible())
            update();
    });
}

QSize SvgPicture::sizeHint() const
{
    return m_renderer->defaultSize();
}

bool SvgPicture::isValid() const
{
    return m_renderer->isValid();
}

bool SvgPicture::isAnimated() const
{
    return m_renderer->animated();
}

void SvgPicture::paintEvent(QPaintEvent *)
{
    QSizeF size = m_renderer->defaultSize();
    if (size.isEmpty())
        return;
    if (size.width() > width() || size.height() > height())
        size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
    qreal x = 0;
    if (m_anchor & Qt::AlignRight)
        x = width() - size.width();
    else if (m_anchor & Qt::AlignHCenter)
        x = (width() - size.width()) / 2;
    qreal y = 0;
    if (m_anchor & Qt::AlignBottom)
        y = height() - size.height();
    else if (m_anchor & Qt::AlignVCenter)
        y = (height() - size.height()) / 2;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer->render(&painter, QRectF(QPointF(x, y), size));
}

} // namespace App
