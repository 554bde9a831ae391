#pragma once

#include <QElapsedTimer>
#include <QTableView>

namespace Widgets {

class TableModel;

// The table view inside a DataGrid: draws group rows across the whole row, opens and closes
// groups, reports Enter, and moves to rows by incremental search as the user types.
class GridView final : public QTableView
{
    Q_OBJECT

public:
    explicit GridView(QWidget *parent = nullptr);

    void setGridModel(TableModel *model);
    QString searchText() const { return m_search; }
    void clearSearch() { m_search.clear(); }
    // The column that typing searches in: the focused one, else the first visible one.
    int searchColumn() const;

signals:
    void enterPressed(const QModelIndex &index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool toggleGroupAt(int row);
    void search(const QString &text);

    TableModel *m_model = nullptr;
    QString m_search;
    QElapsedTimer m_lastKey;
};

} // namespace Widgets
