// Form1, the game's one window: the menu bar with every command, the drawing
// area with the record panel over its left part, the move list docked on its
// right, and the Qt versions of the platform pieces, all around one Game.
#pragma once

#include "game/analysis.h"
#include "game/game.h"
#include "game/qt/analysis_view.h"
#include "game/qt/drawing_area.h"
#include "game/qt/qt_ports.h"
#include "game/qt/search_worker.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QMenu;

namespace tori {

class QtSurface;
class QtRecordPanel;
class QtMoveList;

struct Form1Setup {
    // Empty: the player's own, "ZR鳥将棋.ini" under $XDG_CONFIG_HOME/zr-torishogi.
    std::string settingsPath;
    // Empty: "zr-torishogi.conf" in the folder of the settings file.
    std::string preferencesPath;
    // Message boxes other than Qt's own (tests answer from a script).
    MessageBoxes* boxes = nullptr;
    // Ends the program; by default closes the window and leaves the event loop.
    std::function<void()> quit;
    // "ja" or "en" for this run (zr-torishogi --language); empty: the kept choice.
    std::string language;
    // The folder of the language catalogs; empty: the program's data folder.
    std::string catalogFolder;
};

class Form1 : public QMainWindow {
public:
    explicit Form1(Sounds& sounds, Form1Setup setup = {});
    ~Form1() override;

    Game& game() { return *theGame; }
    DrawingArea& area() { return *drawing; }
    QtSurface& surface() { return *picture; }
    QtRecordPanel& panel() { return *recordPanel; }
    QtMoveList& moveList() { return *kifuList; }
    QtMenu& menu() { return marks; }
    AnalysisCommands& analysis() { return *kentou; }
    QtAnalysisView& analysisView() { return *analysisPort; }
    AnalysisDock& analysisDock() { return *graphDock; }

    // The drawing area's size in logical pixels for a window of the given size in twips.
    static QSize areaSize(int widthTwips, int heightTwips);
    // The scale the window opens at: the largest of 200 %, 150 % and 100 % at
    // which a window of `windowPixels` at 100 % fits in 80 % of the screen's
    // available area.
    static double startScale(QSize windowPixels, QSize available);

protected:
    void closeEvent(QCloseEvent* event) override;
    // While the computer thinks: drops the player's input, hears Escape.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenu* addMenu(QWidget* parent, const char* name, const char* caption);
    QAction* addEntry(QWidget* parent, const char* name, const char* caption, bool checkable,
        std::function<void()> handler);
    void buildMenu();
    // Every caption of the window in the language now chosen.
    void retranslate();
    void wirePanel();
    void setDesignSize(int widthTwips, int heightTwips);
    // Runs one of the game's handlers, unless the game has already ended.
    void run(const std::function<void()>& handler);
    // Brings the move list up to date, after an event or in the middle of one
    // when the picture is shown (now: painted at once) or a box waits.
    void showMoveList(bool now);
    void end();
    // The computer thinks inside a handler: the window paints, input is dropped.
    void keepPainting();
    // Its turn is over: input that came meanwhile is dropped, later input is taken.
    void takeInputAgain();
    // Escape or closing the window while it thinks: its search stops, and the
    // program ends when the handler returns.
    void endAfterThinking();

    Form1Setup setup;
    bool ending = false;
    bool thinking = false;
    bool endWhenDone = false;
    bool sized = false;
    QtMenu marks;
    std::unique_ptr<QtMessageBoxes> qtBoxes;
    std::unique_ptr<MessageBoxes> listedBoxes;
    SystemTimeOfDay clock;
    QtClipboard clipboard;
    QtPreferences preferences;
    QtTimer timer1;
    DrawingArea* drawing = nullptr;
    std::unique_ptr<QtSurface> picture;
    QtRecordPanel* recordPanel = nullptr;
    QtMoveList* kifuList = nullptr;
    std::unique_ptr<Game> theGame;
    // The Japanese captions of the menus and entries, given through tr_()
    // whenever the language changes.
    std::vector<std::pair<QMenu*, const char*>> menuCaptions;
    std::vector<std::pair<QAction*, const char*>> entryCaptions;
    // 検討: the searches beside the window and what they show.
    SearchWorker worker;
    AnalysisDock* graphDock = nullptr;
    std::unique_ptr<QtAnalysisView> analysisPort;
    std::unique_ptr<AnalysisCommands> kentou;
};

} // namespace tori
