// The move list's dock: rows for the entries, the current one selected, the
// moves taken back greyed, clicks handed on and the selection kept where the
// game puts it.
#include "record/qt/move_list_panel.h"

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

using namespace tori;

namespace {

struct Dock : ::testing::Test {
    QMainWindow window;
    QtMoveList* dock = new QtMoveList(&window);
    QTreeWidget* list = dock->list();
    std::vector<int> clicks;

    Dock()
    {
        window.setCentralWidget(new QWidget);
        window.addDockWidget(Qt::RightDockWidgetArea, dock);
        dock->setEntryClicked([this](int row) { clicks.push_back(row); });
        window.show();
    }

    QStringList column(int c) const
    {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out << list->topLevelItem(i)->text(c);
        return out;
    }
    bool greyed(int row) const
    {
        return list->topLevelItem(row)->foreground(1).color()
            == list->palette().color(QPalette::Disabled, QPalette::Text);
    }
    void click(int row)
    {
        QTreeWidgetItem* item = list->topLevelItem(row);
        list->scrollToItem(item);
        QTest::mouseClick(
            list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }
};

const std::vector<MoveListEntry> 五手 = { { 0, "開始局面" }, { 1, "▲３四燕" }, { 2, "△５四燕" },
    { 3, "▲３三鴈成" }, { 4, "△４四鶴打" }, { 5, "▲４二鵬" } };

} // namespace

TEST_F(Dock, ShowsTheEntriesWithTheCurrentSelectedAndTheRestGreyed)
{
    EXPECT_EQ(dock->windowTitle(), QString::fromUtf8("棋譜一覧"));
    EXPECT_EQ(dock->features(), QDockWidget::NoDockWidgetFeatures);
    EXPECT_EQ(list->objectName(), "List1");
    dock->setEntries(五手, 3);
    EXPECT_EQ(column(0), QStringList({ "", "1", "2", "3", "4", "5" }));
    EXPECT_EQ(column(1),
        QStringList({ "開始局面", "▲３四燕", "△５四燕", "▲３三鴈成", "△４四鶴打", "▲４二鵬" }));
    EXPECT_EQ(list->currentItem(), list->topLevelItem(3));
    EXPECT_TRUE(list->topLevelItem(3)->isSelected());
    for (int row = 0; row <= 5; ++row)
        EXPECT_EQ(greyed(row), row > 3) << row;

    // A new move replaced the last three: fewer rows, none greyed.
    dock->setEntries({ 五手.begin(), 五手.begin() + 3 }, 2);
    EXPECT_EQ(list->topLevelItemCount(), 3);
    EXPECT_FALSE(greyed(1) || greyed(2));
    EXPECT_TRUE(list->topLevelItem(2)->isSelected());

    // A full record: the longest text fits beside its number, no scroll bar across.
    std::vector<MoveListEntry> full { { 0, "開始局面" } };
    for (int n = 1; n <= 500; ++n)
        full.push_back({ n, "△７七鷹成成" });
    dock->setEntries(full, 500);
    EXPECT_EQ(list->currentItem(), list->topLevelItem(500));
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
}

TEST_F(Dock, AClickIsHandedOnAndTheGameDecidesTheSelection)
{
    dock->setEntries(五手, 5);
    click(1);
    EXPECT_EQ(clicks, std::vector<int> { 1 });
    // The game did not move (nothing was set): the selection returns.
    EXPECT_TRUE(list->topLevelItem(5)->isSelected());
    EXPECT_FALSE(list->topLevelItem(1)->isSelected());

    // The game went there: the new current row stays selected.
    dock->setEntryClicked([this](int row) { dock->setEntries(五手, row); });
    click(0);
    EXPECT_TRUE(list->topLevelItem(0)->isSelected());
    EXPECT_TRUE(greyed(1));
}

// A move's column digit is a full-width one, as in the README's "３三鴈成":
// the list shows it as wide as the row numeral and the piece beside it.
TEST_F(Dock, TheColumnDigitIsAsWideAsTheKanjiBesideIt)
{
    const QFontMetrics metrics(list->font());
    for (const char* digit : { "１", "３", "７" })
        EXPECT_EQ(metrics.horizontalAdvance(QString::fromUtf8(digit)),
            metrics.horizontalAdvance(QStringLiteral("三")))
            << digit;
}
