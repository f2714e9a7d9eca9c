#include "record/qt/move_list_panel.h"

#include "platform/translation.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLayout>
#include <QMainWindow>
#include <QTreeWidget>

#include "platform/translation.h"

#include <algorithm>

namespace tori {

QtMoveList::QtMoveList(QWidget* parent)
    : QDockWidget(parent)
{
    setObjectName(QStringLiteral("KifuList"));
    // Fixed beside the board: no floating window of its own, no close button
    // that the menu's check mark would not know of.
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::RightDockWidgetArea);

    list1 = new QTreeWidget(this);
    list1->setObjectName(QStringLiteral("List1"));
    list1->setColumnCount(4);
    retranslate();
    list1->setRootIsDecorated(false);
    list1->setUniformRowHeights(true);
    list1->setSelectionMode(QAbstractItemView::SingleSelection);
    // The keys stay with the board, where Escape ends the game.
    list1->setFocusPolicy(Qt::NoFocus);
    // The fixed-width face: its full-width column digits are as wide as the
    // kanji beside them (the proportional one draws "３三" like "3三").
    QFont font(QStringLiteral("IPAMincho"));
    font.setStyleHint(QFont::Serif);
    font.setPointSize(11);
    list1->setFont(font);
    list1->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list1->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list1->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    list1->header()->setStretchLastSection(true);
    setWidget(list1);
    showAnalysisColumns(false);

    connect(list1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
        const int row = list1->indexOfTopLevelItem(item);
        if (row >= 0 && entryClicked)
            entryClicked(row);
        // The game decides where the record stands; a refused step leaves it.
        select(current);
    });
}

void QtMoveList::retranslate()
{
    setWindowTitle(QString::fromUtf8(tr_("棋譜一覧")));
    list1->setHeaderLabels({ QString::fromUtf8(tr_("手数")), QString::fromUtf8(tr_("指し手")),
        QString::fromUtf8(tr_("評価値")), QString() });
}

void QtMoveList::setShown(bool on)
{
    if (on != isHidden())
        return;
    auto* window = qobject_cast<QMainWindow*>(parentWidget());
    QWidget* central = window ? window->centralWidget() : nullptr;
    if (!central) {
        setVisible(on);
        return;
    }
    const int keep = central->width();
    setVisible(on);
    if (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    // Lay the window out at once, then give back to the central widget what
    // the list took from it, or take back what the list leaves.
    window->layout()->activate();
    window->resize(window->width() + keep - central->width(), window->height());
}

void QtMoveList::showAnalysisColumns(bool on)
{
    analysisColumns = on;
    list1->setColumnHidden(2, !on);
    list1->setColumnHidden(3, !on);
    // Room for the longest move, "500 △７七鷹成成", (with an analysis its
    // evaluation and mark) and the vertical scroll bar, and no more: the
    // board keeps the window's width.
    const QFontMetrics metrics(list1->font());
    const QString widest
        = on ? QStringLiteral("500 △７七鷹成成 -詰15 大悪手") : QStringLiteral("500 △７七鷹成成");
    const int before = list1->width();
    list1->setFixedWidth(metrics.horizontalAdvance(widest) + (on ? 104 : 56));
    // Shown, the list takes its new width from the window, not from the board.
    auto* window = qobject_cast<QMainWindow*>(parentWidget());
    if (isHidden() || !window
        || window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    window->resize(window->width() + list1->width() - before, window->height());
}

void QtMoveList::setEntries(const std::vector<MoveListEntry>& entries, int shownCurrent)
{
    const int count = static_cast<int>(entries.size());
    const bool analysed = std::any_of(entries.begin(), entries.end(),
        [](const MoveListEntry& e) { return !e.evaluation.empty(); });
    if (analysed != analysisColumns)
        showAnalysisColumns(analysed);
    while (list1->topLevelItemCount() > count)
        delete list1->takeTopLevelItem(list1->topLevelItemCount() - 1);
    while (list1->topLevelItemCount() < count) {
        auto* item = new QTreeWidgetItem(list1);
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    }
    const QBrush takenBack = palette().brush(QPalette::Disabled, QPalette::Text);
    for (int row = 0; row < count; ++row) {
        QTreeWidgetItem* item = list1->topLevelItem(row);
        const MoveListEntry& e = entries[static_cast<size_t>(row)];
        item->setText(0, e.number > 0 ? QString::number(e.number) : QString());
        item->setText(1, QString::fromStdString(e.text));
        item->setText(2, QString::fromStdString(e.evaluation));
        item->setText(3, QString::fromStdString(e.mark));
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        const QBrush brush = row > shownCurrent ? takenBack : QBrush();
        for (int column = 0; column < 3; ++column)
            item->setForeground(column, brush);
        // The marks in the colours of the graph's points.
        const QColor markColour = e.mark.empty() ? QColor()
            : e.mark == tr_("疑問手")            ? QColor(160, 130, 0)
            : e.mark == tr_("悪手")              ? QColor(220, 100, 0)
                                                 : QColor(200, 0, 0);
        item->setForeground(3, e.mark.empty() ? brush : QBrush(markColour));
    }
    current = shownCurrent;
    select(current);
}

void QtMoveList::select(int row)
{
    QTreeWidgetItem* item = list1->topLevelItem(row);
    if (!item)
        return;
    const QSignalBlocker quiet(list1);
    list1->setCurrentItem(item);
    list1->scrollToItem(item);
}

} // namespace tori
