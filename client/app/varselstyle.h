#pragma once

#include "protocol/expected.h"

#include <QFont>
#include <QProxyStyle>

class QApplication;

namespace App {

// The program's own look over Fusion: its tabs are drawn here (a flat face, a blue line on
// the selected one, a light one under the mouse), everything else comes from the palette and
// the style sheet carried in the resources.
class VarselStyle final : public QProxyStyle
{
    Q_OBJECT

public:
    VarselStyle();

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};

// The base font: Tahoma, bold, 13 pixels, with the fonts a Debian desktop has after it.
QFont baseFont();

// Applies the built-in style to the application: style, palette, style sheet and font. When
// the style's resources cannot be read, the error comes back and the default look stays.
Protocol::Expected<Protocol::Done> applyBuiltInStyle(QApplication &app);

} // namespace App
