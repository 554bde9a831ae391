#pragma once

#include <QWidget>

class QSvgRenderer;

namespace App {

// A picture from the resources drawn at its own size (or scaled down to fit, keeping its
// proportions), anchored to one side. An animated picture moves while it is shown.
class SvgPicture final : public QWidget
{
    Q_OBJECT

public:
    SvgPicture(const QString &resource, Qt::Alignment anchor, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    bool isValid() const;
    bool isAnimated() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSvgRenderer *m_renderer;
    Qt::Alignment m_anchor;
};

} // namespace App
