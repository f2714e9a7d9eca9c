// 棋譜一覧 as a Qt dock beside the board: one row for the start position and
// one for each recorded move, the row of the position on the board selected,
// the moves taken back greyed. A click on a row goes to the window's callback,
// which hands it to the game.
#pragma once

#include "platform/move_list.h"

#include <QDockWidget>

#include <functional>

class QTreeWidget;

namespace tori {

class QtMoveList : public QDockWidget, public MoveList {
public:
    explicit QtMoveList(QWidget* parent = nullptr);

    // Beside the main window's central widget, which keeps its size: the
    // window grows by the list's width, and shrinks by it again (a maximised
    // or full-screen window gives the list room from the central widget).
    void setShown(bool on) override;
    void setEntries(const std::vector<MoveListEntry>& entries, int current) override;

    // A row was clicked: its index, 0 for the start position.
    void setEntryClicked(std::function<void(int)> f) { entryClicked = std::move(f); }

    // The list itself, List1.
    QTreeWidget* list() const { return list1; }

    // The title and the column headers in the language now chosen.
    void retranslate();

private:
    void select(int row);
    // The columns of an analysis' evaluation and mark, shown once it has some.
    void showAnalysisColumns(bool on);

    QTreeWidget* list1;
    int current = 0;
    bool analysisColumns = true;
    std::function<void(int)> entryClicked;
};

} // namespace tori
