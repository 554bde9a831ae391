#include "varselstyle.h"

#include "client/resources/resources.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOptionTab>

using namespace Qt::StringLiterals;

namespace App {

namespace {

const QColor kTabFace(0xe4, 0xea, 0xf1);
const QColor kTabHot(0xf4, 0xf7, 0xfb);
const QColor kTabSelected(0xff, 0xff, 0xff);
const QColor kTabBorder(0xb8, 0xc4, 0xd2);
const QColor kTabAccent(0x1f, 0x5f, 0x9e);

void drawTabShape(const QStyleOptionTab &tab, QPainter *painter)
{
    const bool selected = tab.state & QStyle::State_Selected;
    const bool hot = (tab.state & QStyle::State_MouseOver) && !selected;
    // Neighbouring tabs share a 2-pixel gap; the selected one reaches down onto the page.
    const QRectF face = QRectF(tab.rect).adjusted(1.5, selected ? 0.5 : 2.5, -1.5, selected ? 1 : -0.5);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    const qreal radius = 4;
    path.moveTo(face.bottomLeft());
    path.lineTo(face.left(), face.top() + radius);
    path.quadTo(face.topLeft(), QPointF(face.left() + radius, face.top()));
    path.lineTo(face.right() - radius, face.top());
    path.quadTo(face.topRight(), QPointF(face.right(), face.top() + radius));
    path.lineTo(face.bottomRight());

    QColor fill = selected ? kTabSelected : (hot ? kTabHot : kTabFace);
    if (!(tab.state & QStyle::State_Enabled))
        fill = fill.darker(104);
    painter->fillPath(path, fill);
    painter->setPen(QPen(kTabBorder, 1));
    painter->drawPath(path);
    if (selected) {
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->fillRect(QRectF(face.left() + 1, face.top(), face.width() - 1.5, 3), kTabAccent);
    } else if (hot) {
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->fillRect(QRectF(face.left() + 3, face.top() + 0.5, face.width() - 5.5, 2), kTabAccent.lighter(160));
    }
    painter->restore();
}

} // namespace

VarselStyle::VarselStyle()
    : QProxyStyle(QStyleFactory::create(u"Fusion"_s))
{}

void VarselStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    if (element == CE_TabBarTabShape) {
        if (const auto *tab = qstyleoption_cast<const QStyleOptionTab *>(option)) {
            drawTabShape(*tab, painter);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void VarselStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                const QWidget *widget) const
{
    if (element == PE_FrameTabBarBase) {
        painter->save();
        painter->setPen(kTabBorder);
        painter->drawLine(option->rect.left(), option->rect.bottom(), option->rect.right(), option->rect.bottom());
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int VarselStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (metric == PM_SmallIconSize)
        return 16;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QFont baseFont()
{
    QFont font(u"Tahoma"_s);
    font.setFamilies({u"Tahoma"_s, u"DejaVu Sans"_s, u"Liberation Sans"_s});
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}

Protocol::Expected<Protocol::Done> applyBuiltInStyle(QApplication &app)
{
    Resources::initialise();
    const auto sheet = Resources::styleSheet();
    if (!sheet)
        return sheet.error();
    auto *style = new VarselStyle;
    const auto palette = Resources::palette(style->standardPalette());
    if (!palette) {
        delete style;
        return palette.error();
    }
    QApplication::setStyle(style); // the application takes it
    QApplication::setPalette(*palette);
    QApplication::setFont(baseFont());
    app.setStyleSheet(*sheet);
    return Protocol::Done{};
}

} // namespace App
