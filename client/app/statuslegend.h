#pragma once

#include <QWidget>

namespace App {

// The legend strip at the bottom, 27 pixels high: "Durum Açıklaması:    " and the seven stock
// statuses with the icons the stock lists show for them.
class StatusLegend final : public QWidget
{
    Q_OBJECT

public:
    explicit StatusLegend(QWidget *parent = nullptr);

    // The captions in their order, as shown.
    static QStringList captions();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *m_row = nullptr;
};

} // namespace App
