#pragma once

#include <QWidget>

class QTableView;

namespace Widgets {

class TableModel;

// The footer row under a grid: each column's summary (count, sum or average) drawn under
// that column, following its width, position and the horizontal scroll.
class GridFooter final : public QWidget
{
    Q_OBJECT

public:
    GridFooter(QTableView *view, TableModel *model, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTableView *m_view;
    TableModel *m_model;
};

} // namespace Widgets
