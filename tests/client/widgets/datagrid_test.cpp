#include "client/widgets/datagrid.h"
#include "client/widgets/griddelegate.h"
#include "client/widgets/gridexport.h"
#include "client/widgets/gridheader.h"
#include "client/widgets/gridview.h"
#include "client/widgets/filterpopup.h"
#include "client/widgets/kolonboyutla.h"
#include "client/widgets/xlsworkbook.h"

#include "client/session/messagedialog.h"

#include "gridfixture.h"
#include "xlsreadback.h"

#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace Widgets;

namespace {

TEST(KolonBoyutla, WeightTimesWholeUnitOfTheWidthLessThirty)
{
    const struct
    {
        std::vector<int> weights;
        std::vector<bool> visible;
        int width;
        std::vector<int> expected;
    } cases[] = {
        // 1030 pixels, visible weights summing to 25: trunc(1000 / 25) = 40 pixels per point.
        {{3, 2, 2, 9, 1, 17}, {true, true, true, false, true, true}, 1030, {120, 80, 80, 0, 40, 680}},
        // The fraction is dropped: trunc(1001 / 25) is still 40.
        {{3, 2, 20}, {true, true, true}, 1031, {120, 80, 800}},
        {{1, 1}, {true, true}, 100, {35, 35}},
        {{1, 1}, {true, true}, 30, {0, 0}},  // nothing left to share
        {{0, 0}, {true, true}, 500, {0, 0}}, // no weight: no division by zero
        {{2}, {false}, 500, {0}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(KolonBoyutla(c.weights, c.visible, c.width), c.expected) << c.width;
}

std::vector<ColumnSpec> gridColumns()
{
    std::vector<ColumnSpec> c;
    c.push_back({.name = u"STOK_STOKNO"_s, .visible = false, .fixed = true});
    c.push_back({.name = u"ADI"_s, .caption = u"Açıklama"_s, .weight = 3, .summary = Summary::Count});
    c.push_back({.name = u"MIKTAR"_s, .caption = u"Miktar"_s, .weight = 2, .summary = Summary::Sum});
    c.push_back({.name = u"FIYAT"_s, .caption = u"Fiyat"_s, .weight = 2});
    c.push_back({.name = u"TARIH"_s, .caption = u"Tarih"_s, .visible = false});
    c.push_back({.name = u"DURUM"_s,
                 .caption = u"İSTANBUL DEPO"_s,
                 .kind = CellKind::IconMap,
                 .icons = {{1, u"Var"_s, {}}, {0, u"Yok"_s, {}}}});
    c.push_back({.name = u"SATICI"_s, .caption = u"Satıcı"_s});
    c.push_back({.name = u"KALAN"_s, .visible = false, .fixed = true});
    return c;
}

class DataGridTest : public ::testing::Test
{
protected:
    DataGridTest()
    {
        grid.setColumns(gridColumns());
        grid.setTable(stockTable());
        grid.resize(1030, 500);
        grid.show();
        QCoreApplication::processEvents();
    }

    QString iniPath() const { return dir.filePath(u"grids.ini"_s); }

    QTemporaryDir dir;
    DataGrid grid;
};

TEST_F(DataGridTest, ProportionalSizingOverTheGridsWidth)
{
    // Visible weights: 3 + 2 + 2 + 1 (DURUM) + 1 (SATICI) = 9; trunc(1000 / 9) = 111.
    grid.kolonBoyutla();
    EXPECT_EQ(grid.columnWidth(u"ADI"_s), 333);
    EXPECT_EQ(grid.columnWidth(u"MIKTAR"_s), 222);
    EXPECT_EQ(grid.columnWidth(u"SATICI"_s), 111);
    grid.setColumnVisible(u"SATICI"_s, false); // 8 → 125
    grid.kolonBoyutla();
    EXPECT_EQ(grid.columnWidth(u"ADI"_s), 375);

    // A column of weight 0 that the user switches on stays visible.
    std::vector<ColumnSpec> columnSpecs = gridColumns();
    columnSpecs[4].weight = 0;
    grid.setColumns(columnSpecs);
    grid.setColumnVisible(u"TARIH"_s, true);
    grid.kolonBoyutla();
    EXPECT_EQ(grid.columnWidth(u"TARIH"_s), grid.view()->horizontalHeader()->minimumSectionSize());
    EXPECT_GT(grid.columnWidth(u"TARIH"_s), 0);

    QSignalSpy sizing(&grid, &DataGrid::sizingNeeded);
    grid.resize(800, 500);
    EXPECT_GE(sizing.count(), 1);
}

TEST_F(DataGridTest, FitToContentMeasuresCaptionsAndTheRowsInView)
{
    grid.setColumnWidth(u"ADI"_s, 5);
    grid.fitColumnsToContent();
    const QFontMetrics fm(grid.view()->font());
    EXPECT_GE(grid.columnWidth(u"ADI"_s), fm.horizontalAdvance(u"İnce kayış"_s));
    EXPECT_GE(grid.columnWidth(u"FIYAT"_s), fm.horizontalAdvance(u"2.000.000,00"_s));
}

TEST_F(DataGridTest, HeaderClicksSortUnlessSortingIsOff)
{
    QHeaderView *header = grid.view()->horizontalHeader();
    const int miktar = grid.model()->columnOf(u"MIKTAR");
    const QPoint middle(header->sectionViewportPosition(miktar) + header->sectionSize(miktar) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
    EXPECT_EQ(grid.model()->sortColumn(), miktar);
    EXPECT_EQ(grid.model()->table().integer(grid.model()->tableRow(0), 2), 1); // smallest quantity first

    grid.model()->sort(-1);
    grid.setSortingByHeader(false); // the statement keeps the server's order
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
    EXPECT_EQ(grid.model()->sortColumn(), -1);
}

TEST_F(DataGridTest, CustomisationOffersNeitherFixedNorWithdrawnColumns)
{
    EXPECT_EQ(grid.customisableColumns(),
              (QStringList{u"ADI"_s, u"MIKTAR"_s, u"FIYAT"_s, u"TARIH"_s, u"DURUM"_s, u"SATICI"_s}));
    // A user-type rule shows a fixed column and offers it; another withdraws one.
    grid.setColumnVisible(u"KALAN"_s, true);
    grid.setColumnOffered(u"KALAN"_s, true);
    grid.setColumnOffered(u"DURUM"_s, false);
    grid.setColumnVisible(u"DURUM"_s, false);
    const QStringList offered = grid.customisableColumns();
    EXPECT_TRUE(offered.contains(u"KALAN"_s));
    EXPECT_FALSE(offered.contains(u"DURUM"_s));

    auto menu = grid.customisationMenu();
    QAction *tarih = nullptr;
    for (QAction *a : menu->actions()) {
        if (a->data().toString() == u"TARIH"_s)
            tarih = a;
    }
    ASSERT_NE(tarih, nullptr);
    EXPECT_EQ(tarih->text(), u"Tarih"_s);
    EXPECT_FALSE(tarih->isChecked());
    tarih->setChecked(true);
    EXPECT_TRUE(grid.isColumnVisible(u"TARIH"_s));
}

TEST_F(DataGridTest, LayoutIsRememberedPerUserAndGridAndGoesBackToTheDefault)
{
    grid.kolonBoyutla();
    grid.setLayoutStorage(iniPath(), u"bayi1"_s, u"stok"_s);
    const GridLayout defaults = grid.currentLayout();

    // The user moves a column, widens one and hides one.
    QHeaderView *header = grid.view()->horizontalHeader();
    header->moveSection(header->visualIndex(grid.model()->columnOf(u"FIYAT")), 1);
    header->resizeSection(grid.model()->columnOf(u"ADI"), 250);
    grid.view()->setColumnHidden(grid.model()->columnOf(u"SATICI"), true);
    header->resizeSection(grid.model()->columnOf(u"ADI"), 251); // a user change saves the whole layout
    const GridLayout changed = grid.currentLayout();
    ASSERT_NE(changed, defaults);

    DataGrid again;
    again.setColumns(gridColumns());
    again.setLayoutStorage(iniPath(), u"bayi1"_s, u"stok"_s);
    EXPECT_EQ(again.visibleColumnsInOrder(), (QStringList{u"FIYAT"_s, u"ADI"_s, u"MIKTAR"_s, u"DURUM"_s}));
    EXPECT_EQ(again.columnWidth(u"ADI"_s), 251);

    DataGrid otherUser;
    otherUser.setColumns(gridColumns());
    otherUser.setLayoutStorage(iniPath(), u"bayi2"_s, u"stok"_s);
    EXPECT_EQ(otherUser.visibleColumnsInOrder(),
              (QStringList{u"ADI"_s, u"MIKTAR"_s, u"FIYAT"_s, u"DURUM"_s, u"SATICI"_s}));

    again.restoreDefaultLayout();
    EXPECT_EQ(again.visibleColumnsInOrder(), (QStringList{u"ADI"_s, u"MIKTAR"_s, u"FIYAT"_s, u"DURUM"_s, u"SATICI"_s}));
    DataGrid afterReset;
    afterReset.setColumns(gridColumns());
    afterReset.setLayoutStorage(iniPath(), u"bayi1"_s, u"stok"_s);
    EXPECT_EQ(afterReset.visibleColumnsInOrder(), again.visibleColumnsInOrder());

    // A saved layout cannot show a fixed column the program keeps hidden.
    GridLayout forged = defaults;
    forged.hidden.removeAll(u"STOK_STOKNO"_s);
    again.applyLayout(forged);
    EXPECT_FALSE(again.isColumnVisible(u"STOK_STOKNO"_s));
}

TEST_F(DataGridTest, DoubleClickAndEnterActivateTheFocusedRowAndTypingSearches)
{
    QSignalSpy activated(&grid, &DataGrid::rowActivated);
    QSignalSpy current(&grid, &DataGrid::currentRowChanged);
    GridView *view = grid.view();
    view->setFocus();
    grid.setCurrentTableRow(3);
    EXPECT_EQ(grid.table().currentRow(), 3); // the table's current row follows the focus
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toInt(), 3);

    const QRect cell = view->visualRect(grid.model()->index(1, grid.model()->columnOf(u"ADI")));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(activated.count(), 2);
    EXPECT_EQ(activated.at(1).at(0).toInt(), 1);

    // Typing in the focused "Açıklama" column moves to the first row starting with it.
    view->setCurrentIndex(grid.model()->index(0, grid.model()->columnOf(u"ADI")));
    QTest::keyClicks(view, u"zi"_s);
    EXPECT_EQ(grid.currentTableRow(), 5);
    EXPECT_EQ(view->searchText(), u"zi"_s);
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_TRUE(view->searchText().isEmpty());
    EXPECT_GE(current.count(), 1);
}

TEST(HeaderCaption, WrapsWholeWordsAndCutsOnlyWhatDoesNotFit)
{
    const QFontMetrics fm(QFont(u"DejaVu Sans"_s, 10));
    const int istanbul = fm.horizontalAdvance(u"İSTANBUL"_s);
    const int whole = fm.horizontalAdvance(u"İSTANBUL DEPO"_s);
    struct Case
    {
        QString caption;
        int width;
        int lines;
        QStringList expected;
        bool cut;
    };
    const std::vector<Case> cases = {
        {u"İSTANBUL DEPO"_s, whole, 1, {u"İSTANBUL DEPO"_s}, false},
        {u"İSTANBUL DEPO"_s, istanbul, 2, {u"İSTANBUL"_s, u"DEPO"_s}, false},
        {u"  İSTANBUL   DEPO "_s, istanbul, 2, {u"İSTANBUL"_s, u"DEPO"_s}, false},
        {u"İSTANBUL DEPO"_s, whole - 1, 1, {fm.elidedText(u"İSTANBUL DEPO"_s, Qt::ElideRight, whole - 1)}, true},
        {u"İSTANBUL DEPO"_s, istanbul, 0, {fm.elidedText(u"İSTANBUL DEPO"_s, Qt::ElideRight, istanbul)}, true},
        {u"Kampanyalı"_s, fm.horizontalAdvance(u"Kamp"_s), 2,
         {fm.elidedText(u"Kampanyalı"_s, Qt::ElideRight, fm.horizontalAdvance(u"Kamp"_s))}, true},
        {QString(), 50, 2, {}, false},
    };
    for (const Case &c : cases) {
        const HeaderCaption got = layoutHeaderCaption(c.caption, fm, c.width, c.lines);
        EXPECT_EQ(got.lines, c.expected) << c.caption.toStdString() << " " << c.width;
        EXPECT_EQ(got.cut, c.cut) << c.caption.toStdString() << " " << c.width;
    }
}

TEST(GridCellText, AmountsAndCodesShrinkBeforeTheyAreCutAndWordsWrapInTallRows)
{
    QFont base(u"DejaVu Sans"_s);
    base.setPixelSize(13);
    base.setBold(true);
    auto option = [&base](const QString &text, int width, int height) {
        QStyleOptionViewItem o;
        o.font = base;
        o.fontMetrics = QFontMetrics(base);
        o.text = text;
        o.rect = QRect(0, 0, width, height);
        return o;
    };
    const int amount = QFontMetrics(base).horizontalAdvance(u"1.845,20"_s);

    // Fits: untouched.
    QStyleOptionViewItem fits = option(u"1.845,20"_s, amount + 20, 60);
    GridDelegate::fitText(fits);
    EXPECT_EQ(fits.font.pixelSize(), 13);
    EXPECT_FALSE(fits.features & QStyleOptionViewItem::WrapText);

    // A little too narrow: a smaller font that shows the whole amount.
    QStyleOptionViewItem amountCell = option(u"1.845,20"_s, amount - 4, 60);
    GridDelegate::fitText(amountCell);
    EXPECT_LT(amountCell.font.pixelSize(), 13);
    EXPECT_GE(amountCell.font.pixelSize(), 10);
    EXPECT_LE(QFontMetrics(amountCell.font).horizontalAdvance(u"1.845,20"_s), amount - 4);

    // Far too narrow: no smaller than three quarters; the style cuts the rest.
    QStyleOptionViewItem tiny = option(u"1.845,20"_s, amount / 3, 60);
    GridDelegate::fitText(tiny);
    EXPECT_GE(tiny.font.pixelSize(), 10);

    // Words in a row tall enough for two lines wrap at the font's size.
    QStyleOptionViewItem words = option(u"ÖN FREN BALATASI SOL"_s, amount, 60);
    GridDelegate::fitText(words);
    EXPECT_TRUE(words.features & QStyleOptionViewItem::WrapText);
    EXPECT_EQ(words.font.pixelSize(), 13);
    QStyleOptionViewItem flat = option(u"ÖN FREN BALATASI SOL"_s, amount, 20);
    GridDelegate::fitText(flat);
    EXPECT_FALSE(flat.features & QStyleOptionViewItem::WrapText);

    // What is left out after fitting decides the cell's tool tip.
    EXPECT_FALSE(GridDelegate::textCut(fits));
    EXPECT_FALSE(GridDelegate::textCut(amountCell));
    EXPECT_TRUE(GridDelegate::textCut(tiny));
    EXPECT_TRUE(GridDelegate::textCut(flat));
    QStyleOptionViewItem longWords = option(u"ÖN FREN BALATASI SOL ARKA SAĞ TAKIM DİSKLİ"_s, amount, 40);
    GridDelegate::fitText(longWords);
    EXPECT_TRUE(longWords.features & QStyleOptionViewItem::WrapText);
    EXPECT_TRUE(GridDelegate::textCut(longWords));
}

TEST_F(DataGridTest, ACellThatCannotShowItsWholeTextOffersItAsToolTip)
{
    const int adi = grid.model()->columnOf(u"ADI");
    const int satici = grid.model()->columnOf(u"SATICI");
    grid.setColumnWidth(u"ADI"_s, 30);
    grid.setRowHeight(20);
    QCoreApplication::processEvents();
    auto hover = [this](int row, int column) {
        const QPoint at = grid.view()->visualRect(grid.model()->index(row, column)).center();
        QHelpEvent help(QEvent::ToolTip, at, grid.view()->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(grid.view()->viewport(), &help);
        return QToolTip::text();
    };
    // (A hidden tip keeps its text for a moment: the cell shown whole is asked first.)
    EXPECT_TRUE(hover(3, satici).isEmpty()) << "a text shown whole has no tool tip";
    const QString cut = grid.model()->index(3, adi).data().toString(); // "İnce kayış"
    EXPECT_EQ(hover(3, adi), cut);
    QToolTip::hideText();
}

TEST_F(DataGridTest, NarrowHeadersWrapAndOfferTheirWholeCaptionAsToolTip)
{
    GridHeader *header = grid.header();
    const int durum = grid.model()->columnOf(u"DURUM");
    const QFontMetrics fm(header->font());
    // Wide enough for its longer word: the caption takes two lines of the 40-pixel header.
    grid.setColumnWidth(u"DURUM"_s, fm.horizontalAdvance(u"İSTANBUL"_s) + 16);
    EXPECT_EQ(header->captionLayout(durum).lines, (QStringList{u"İSTANBUL"_s, u"DEPO"_s}));
    EXPECT_TRUE(header->captionToolTip(durum).isEmpty());

    // A weight-1 column at a small screen's width: the caption is cut and its tool tip is whole.
    grid.setColumnWidth(u"DURUM"_s, 40);
    EXPECT_TRUE(header->captionLayout(durum).cut);
    EXPECT_EQ(header->captionToolTip(durum), u"İSTANBUL DEPO"_s);
    EXPECT_TRUE(header->captionToolTip(grid.model()->columnOf(u"ADI")).isEmpty());
    const QPoint inside(header->sectionViewportPosition(durum) + 5, header->height() / 2);
    QHelpEvent help(QEvent::ToolTip, inside, header->viewport()->mapToGlobal(inside));
    QCoreApplication::sendEvent(header->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), u"İSTANBUL DEPO"_s);
    QToolTip::hideText();

    // With filter buttons, the narrow section keeps its width for the caption until the mouse
    // is over it or its column is filtered; a wide one always shows its button.
    grid.setFilterButtons(true);
    grid.setColumnWidth(u"DURUM"_s, 50);
    EXPECT_TRUE(header->filterButtonRect(durum).isEmpty());
    EXPECT_FALSE(header->filterButtonRect(grid.model()->columnOf(u"ADI")).isEmpty());
    QTest::mouseMove(header->viewport(), inside);
    EXPECT_FALSE(header->filterButtonRect(durum).isEmpty());
}

TEST_F(DataGridTest, HeaderFilterListsValuesAndFiltersTheRows)
{
    grid.setFilterButtons(true);
    grid.setFooterVisible(true);
    const int durum = grid.model()->columnOf(u"DURUM");
    auto *popup = qobject_cast<FilterPopup *>(grid.openFilter(durum, QPoint(10, 10)));
    ASSERT_NE(popup, nullptr);
    QListWidget *list = popup->list();
    // "(Tümü)", then the values in their order with their names; unnamed values as numbers.
    QStringList labels;
    for (int i = 0; i < list->count(); ++i)
        labels.append(list->item(i)->text());
    EXPECT_EQ(labels, (QStringList{u"(Tümü)"_s, u"Yok"_s, u"Var"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));
    list->item(0)->setCheckState(Qt::Unchecked); // none
    list->item(2)->setCheckState(Qt::Checked);   // "Var"
    EXPECT_EQ(list->item(0)->checkState(), Qt::PartiallyChecked);
    popup->apply();
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_TRUE(grid.model()->hasValueFilter(durum));
    EXPECT_EQ(grid.model()->summaryText(grid.model()->columnOf(u"MIKTAR")), u"22"_s);

    // Ticking everything again removes the filter.
    auto *again = qobject_cast<FilterPopup *>(grid.openFilter(durum, QPoint(10, 10)));
    again->list()->item(0)->setCheckState(Qt::Checked);
    again->apply();
    EXPECT_FALSE(grid.model()->hasValueFilter(durum));
    EXPECT_EQ(grid.model()->rowCount(), 8);
}

class ExportTest : public DataGridTest
{
protected:
    QJsonArray exportedRows(const QString &chosen)
    {
        const QString written = exportGridToSpreadsheet(grid, [&](QWidget *) { return chosen; });
        EXPECT_EQ(written, Spreadsheet::xlsFileName(chosen));
        QString error;
        const QJsonObject book = readWorkbookBack(written, &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return book.value(u"sheets").toArray()[0].toObject().value(u"rows").toArray();
    }
    Session::ScriptedAnswerer answerer;
};

TEST_F(ExportTest, WritesTheShownColumnsAndEveryRowWithGroupsExpanded)
{
    grid.model()->sort(grid.model()->columnOf(u"MIKTAR"), Qt::DescendingOrder);
    grid.setGroupColumn(u"SATICI"_s);
    grid.model()->collapseAll();
    const QJsonArray rows = exportedRows(dir.filePath(u"rapor.xlsx"_s));
    EXPECT_TRUE(QFile::exists(dir.filePath(u"rapor.xls"_s)));
    // Header: visible columns in order, the grouping column not among them.
    QStringList header;
    for (const QJsonValue &v : rows[0].toArray())
        header.append(v.toObject().value(u"t").toString());
    EXPECT_EQ(header, (QStringList{u"Açıklama"_s, u"Miktar"_s, u"Fiyat"_s, u"İSTANBUL DEPO"_s}));
    ASSERT_EQ(rows.size(), 1 + 3 + 8);
    EXPECT_EQ(rows[1].toArray()[0].toObject().value(u"t").toString(), u"Satıcı : (Boş)"_s);
    EXPECT_EQ(rows[3].toArray()[0].toObject().value(u"t").toString(), u"Satıcı : Ali"_s);
    // Ali's rows by quantity, descending, as numbers; the mark as its name.
    EXPECT_EQ(rows[4].toArray()[1].toObject().value(u"n").toDouble(), 9.0);
    EXPECT_EQ(rows[4].toArray()[0].toObject().value(u"t").toString(), u"İnce kayış"_s);
    EXPECT_EQ(rows[4].toArray()[2].toObject().value(u"n").toDouble(), 10.0);
    EXPECT_EQ(rows[4].toArray()[3].toObject().value(u"t").toString(), u"Var"_s);
    EXPECT_TRUE(answerer.shown().isEmpty());
}

TEST_F(ExportTest, CancelWritesNothingAndAFailureIsShownAsAnError)
{
    EXPECT_TRUE(exportGridToSpreadsheet(grid, [](QWidget *) { return QString(); }).isEmpty());
    EXPECT_TRUE(answerer.shown().isEmpty());

    const QString blocked = dir.filePath(u"yok/rapor"_s);
    EXPECT_TRUE(exportGridToSpreadsheet(grid, [&](QWidget *) { return blocked; }).isEmpty());
    ASSERT_EQ(answerer.shown().size(), 1);
    EXPECT_EQ(answerer.shown()[0].kind, Session::DialogKind::Error);
    EXPECT_FALSE(answerer.shown()[0].text.isEmpty());
    EXPECT_FALSE(QFile::exists(blocked + u".xls"_s));
}

} // namespace
