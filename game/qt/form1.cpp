#include "game/qt/form1.h"

#include "display/qt/qt_surface.h"
#include "game/qt/time_limit_dialog.h"
#include "platform/menu_names.h"
#include "platform/translation.h"
#include "record/qt/move_list_panel.h"
#include "record/qt/record_panel.h"
#include "settings/locations.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTreeWidget>

#include <cmath>

namespace tori {

namespace {

    // Form_Load's 9000 x 7300 twips are the outer size of the window, caption bar
    // and frame included; what is left below the menu bar must still hold the
    // lowest text the game prints, the record header lines at y 6350 in 12 point.
    constexpr int frameTwips = 450;

    // Message boxes that run a step before each box: the move list is brought
    // up to date while the player reads the box, in the middle of an event.
    class BoxesAfter : public MessageBoxes {
    public:
        BoxesAfter(MessageBoxes& boxes, std::function<void()> before)
            : boxes(boxes)
            , before(std::move(before))
        {
        }
        void ok(const std::string& text, const std::string& title, Icon icon) override
        {
            before();
            boxes.ok(text, title, icon);
        }
        bool yesNo(const std::string& text, const std::string& title) override
        {
            before();
            return boxes.yesNo(text, title);
        }

    private:
        MessageBoxes& boxes;
        std::function<void()> before;
    };

} // namespace

QSize Form1::areaSize(int widthTwips, int heightTwips)
{
    return QSize(widthTwips / twipsPerPixel, (heightTwips - frameTwips) / twipsPerPixel);
}

double Form1::startScale(QSize windowPixels, QSize available)
{
    for (double scale : { 2.0, 1.5 })
        if (windowPixels.width() * scale <= 0.8 * available.width()
            && windowPixels.height() * scale <= 0.8 * available.height())
            return scale;
    return 1;
}

namespace {
    std::string preferencesPath(const Form1Setup& setup)
    {
        if (!setup.preferencesPath.empty())
            return setup.preferencesPath;
        if (setup.settingsPath.empty())
            return preferencesFile();
        const auto slash = setup.settingsPath.rfind('/');
        const std::string folder
            = slash == std::string::npos ? "." : setup.settingsPath.substr(0, slash);
        return folder + "/zr-torishogi.conf";
    }
} // namespace

Form1::Form1(Sounds& sounds, Form1Setup s)
    : setup(std::move(s))
    , preferences(preferencesPath(setup))
    , timer1([this] { run([this] { theGame->Timer1_Timer(); }); })
{
    setObjectName(QStringLiteral("Form1"));
    if (!setup.boxes)
        qtBoxes = std::make_unique<QtMessageBoxes>(this);
    // A box after the computer's move answers the player at once.
    listedBoxes = std::make_unique<BoxesAfter>(setup.boxes ? *setup.boxes : *qtBoxes, [this] {
        takeInputAgain();
        showMoveList(false);
    });

    drawing = new DrawingArea(this);
    setCentralWidget(drawing);
    const QSize size = areaSize(9000, 7300);
    drawing->setDesignSize(size);
    drawing->setMinimumSize(size);

    picture = std::make_unique<QtSurface>(size, devicePixelRatioF());
    drawing->setPicture(&picture->image());
    // Paint at once, not at the next turn of the event loop: the computer's
    // caption and the blink of its piece show in the middle of its move.
    picture->setRefresh([this] {
        drawing->repaint();
        showMoveList(true);
    });
    // Whatever is drawn without a refresh shows when the handler returns.
    picture->setChanged([this] { drawing->update(); });

    recordPanel = new QtRecordPanel(drawing);
    drawing->rescale = [this](double scale, qreal dpr) {
        picture->setScale(scale, dpr);
        recordPanel->setScale(scale, drawing->origin());
    };
    drawing->follow
        = [this](double scale, QPointF origin) { recordPanel->setScale(scale, origin); };
    // In the painter's coordinates, which stretch an old picture to a new size.
    drawing->paintGround = [this](QPainter& painter, const QRectF& shown) {
        picture->paintAround(painter, shown.topLeft(),
            painter.transform().inverted().mapRect(QRectF(drawing->rect())));
    };

    // Beside the board, never over it: the window grows to the right to hold it.
    kifuList = new QtMoveList(this);
    addDockWidget(Qt::RightDockWidgetArea, kifuList);
    kifuList->hide();
    // The analysis' graph under the move list.
    graphDock = new AnalysisDock(this);
    addDockWidget(Qt::RightDockWidgetArea, graphDock);
    graphDock->hide();
    analysisPort = std::make_unique<QtAnalysisView>(this, drawing, graphDock);

    buildMenu();

    Ports ports { *picture, marks, clock, *listedBoxes, timer1, sounds, *recordPanel, *kifuList,
        clipboard, preferences, [this] { end(); },
        [this](int width, int height) { setDesignSize(width, height); },
        [this](int colour) { drawing->setGround(QtSurface::paletteColour(colour)); },
        [this] { keepPainting(); }, [this] { retranslate(); } };

    ports.thinking = [this](bool on) {
        if (kentou)
            kentou->思考中(on);
    };
    ports.doneThinking = [this] { takeInputAgain(); };
    ports.askTimeLimit
        = [this](const 持ち時間設定& current) { return TimeLimitDialog::ask(this, current); };
    theGame = std::make_unique<Game>(
        ports, setup.settingsPath.empty() ? settingsFile() : setup.settingsPath);
    theGame->language().setFolder(setup.catalogFolder.empty()
            ? runTimeFolders(executableFolder()).waves
            : setup.catalogFolder);
    theGame->language().開始(setup.language);
    retranslate();
    kentou = std::make_unique<AnalysisCommands>(theGame->state(), marks, preferences, clipboard,
        *listedBoxes, *analysisPort, worker, theGame->moveList());
    kentou->開始();
    connect(&worker, &SearchWorker::iterated, this,
        [this](const search::BackgroundReport& r) { run([&] { kentou->探索途中(r); }); });
    connect(&worker, &SearchWorker::finished, this,
        [this](const search::BackgroundReport& r) { run([&] { kentou->探索終了(r); }); });
    analysisPort->cancelled = [this] { run([this] { kentou->解析中止(); }); };
    graphDock->positionClicked
        = [this](int n) { run([this, n] { theGame->moveList().List1_Click(n); }); };

    drawing->mouseDown = [this](int button, int shift, double x, double y) {
        run([&] { theGame->Form_MouseDown(button, shift, x, y); });
    };
    drawing->keyPress = [this](int key) { run([&] { theGame->Form_KeyPress(key); }); };
    wirePanel();
}

Form1::~Form1()
{
    if (kentou)
        kentou->終了();
}

QMenu* Form1::addMenu(QWidget* parent, const char* name, const char* caption)
{
    QMenu* menu = new QMenu(QString::fromUtf8(tr_(caption)), parent);
    menuCaptions.emplace_back(menu, caption);
    menu->setObjectName(QString::fromUtf8(name));
    if (auto* bar = qobject_cast<QMenuBar*>(parent))
        bar->addMenu(menu);
    else
        static_cast<QMenu*>(parent)->addMenu(menu);
    return menu;
}

QAction* Form1::addEntry(QWidget* parent, const char* name, const char* caption, bool checkable,
    std::function<void()> handler)
{
    QAction* action = new QAction(QString::fromUtf8(tr_(caption)), parent);
    entryCaptions.emplace_back(action, caption);
    action->setObjectName(QString::fromUtf8(name));
    action->setCheckable(checkable);
    parent->addAction(action);
    if (checkable)
        marks.add(action);
    connect(
        action, &QAction::triggered, this, [this, action, handler = std::move(handler)](bool on) {
            // Qt flips a check mark before it tells us; the game's handlers read
            // the mark as it was and set it themselves.
            if (action->isCheckable())
                action->setChecked(!on);
            run(handler);
        });
    return action;
}

void Form1::buildMenu()
{
    QMenuBar* bar = menuBar();
    // The game is made after the menu, whose check marks it needs; the
    // handlers only run once it exists.
    auto g = [this] { return theGame.get(); };

    QMenu* taikyoku = addMenu(bar, menu::TAIKYOKU, "対局");
    connect(
        taikyoku, &QMenu::aboutToShow, this, [this, g] { run([g] { g()->TAIKYOKU_Click(); }); });
    QMenu* matchMan = addMenu(taikyoku, menu::MATCH_MAN, "対局(人間)");
    connect(
        matchMan, &QMenu::aboutToShow, this, [this, g] { run([g] { g()->MATCH_MAN_Click(); }); });
    addEntry(matchMan, menu::START, "スタート", false, [g] { g()->START_Click(); });
    QMenu* start2 = addMenu(taikyoku, menu::START2, "対局(COM)");
    addEntry(start2, menu::SENTE, "先手", false, [g] { g()->SENTE_Click(); });
    addEntry(start2, menu::GOTE, "後手", false, [g] { g()->GOTE_Click(); });
    QMenu* level = addMenu(taikyoku, menu::LEVEL, "COM対局ﾚﾍﾞﾙ");
    addEntry(level, menu::LEVEL1, "LEVEL1", true, [g] { g()->LEVEL1_Click(); });
    addEntry(level, menu::LEVEL2, "LEVEL2", true, [g] { g()->LEVEL2_Click(); });
    addEntry(level, menu::LEVEL3, "LEVEL3", true, [g] { g()->LEVEL3_Click(); });
    addEntry(level, menu::LEVEL4, "LEVEL4", true, [g] { g()->LEVEL4_Click(); });
    addEntry(level, menu::LEVEL5, "LEVEL5", true, [g] { g()->LEVEL5_Click(); });
    addEntry(taikyoku, menu::OWARI, "終わり", false, [g] { g()->OWARI_Click(); });

    QMenu* stop = addMenu(bar, menu::STOP, "局面");
    connect(
        stop, &QMenu::aboutToShow, this, [this, g] { run([g] { g()->records().STOP_Click(); }); });
    addEntry(stop, menu::CANCEL, "最初", false, [g] { g()->records().CANCEL_Click(); });
    addEntry(stop, menu::REVERSE, "反転", false, [g] { g()->records().REVERSE_Click(); });
    addEntry(stop, menu::FEN_COPY, "FENｺﾋﾟｰ", false, [g] { g()->fen().FEN_COPY_Click(); });
    addEntry(stop, menu::FEN_PASTE, "FEN貼付", false, [g] { g()->fen().FEN_PASTE_Click(); });

    // The four bare entries stand on the menu bar and act on one click.
    addEntry(bar, menu::REPLAY, "戻", false, [g] { g()->records().REPLAY_Click(); });
    addEntry(bar, menu::AFTER, "進", false, [g] { g()->records().AFTER_Click(); });
    addEntry(bar, menu::LBEL_UP, "△", false, [g] { g()->records().LBEL_UP_Click(); });
    addEntry(bar, menu::LEBEL_DOWN, "▽", false, [g] { g()->records().LEBEL_DOWN_Click(); });

    QMenu* kifu = addMenu(bar, menu::KIFU, "棋譜");
    addEntry(kifu, menu::KIFU_READ, "読込", false, [g] { g()->records().KIFU_READ_Click(); });
    addEntry(kifu, menu::KIFU_WRITE, "書込", false, [g] { g()->records().KIFU_WRITE_Click(); });
    addEntry(kifu, menu::KIFU_LIST, "棋譜一覧", true, [g] { g()->moveList().KIFU_LIST_Click(); });

    auto k = [this] { return kentou.get(); };
    QMenu* kentouMenu = addMenu(bar, menu::KENTOU, tr_("検討"));
    addEntry(kentouMenu, menu::HINT, tr_("ﾋﾝﾄ"), false, [k] { k()->HINT_Click(); });
    addEntry(kentouMenu, menu::EVAL_SHOW, tr_("評価値"), true, [k] { k()->EVAL_SHOW_Click(); });
    addEntry(
        kentouMenu, menu::KIFU_ANALYSE, tr_("棋譜解析"), false, [k] { k()->KIFU_ANALYSE_Click(); });
    addEntry(kentouMenu, menu::ANALYSIS_COPY, tr_("解析ｺﾋﾟｰ"), false,
        [k] { k()->ANALYSIS_COPY_Click(); });

    QMenu* option = addMenu(bar, menu::OPTION, "ｵﾌﾟｼｮﾝ");
    connect(option, &QMenu::aboutToShow, this,
        [this, g] { run([g] { g()->records().OPTION_Click(); }); });
    QMenu* haikei = addMenu(option, menu::HAIKEI_GA, "背景画");
    addEntry(haikei, menu::MIDORI, "緑", true, [g] { g()->options().MIDORI_Click(); });
    addEntry(haikei, menu::TATAMI, "畳", true, [g] { g()->options().TATAMI_Click(); });
    addEntry(haikei, menu::TAKE, "竹", true, [g] { g()->options().TAKE_Click(); });
    addEntry(haikei, menu::UCHU, "宇宙", true, [g] { g()->options().UCHU_Click(); });
    addEntry(haikei, menu::RENGA, "煉瓦", true, [g] { g()->options().RENGA_Click(); });
    addEntry(option, menu::SIDOU, "移動指導", true, [g] { g()->options().SIDOU_Click(); });
    addEntry(option, menu::KEIKA, "経過時間", true, [g] { g()->KEIKA_Click(); });
    addEntry(option, menu::BGM, "BGM", true, [g] { g()->options().BGM_Click(); });
    addEntry(option, menu::TIME_SETTING, "持ち時間設定", false, [g] { g()->TIME_SETTING_Click(); });
    // Named in both languages, so that a player who reads only one finds it.
    QMenu* gengo = addMenu(option, menu::GENGO, "言語 / Language");
    addEntry(gengo, menu::LANG_JA, "日本語", true, [g] { g()->LANG_JA_Click(); });
    addEntry(gengo, menu::LANG_EN, "English", true, [g] { g()->LANG_EN_Click(); });
    QMenu* pieces = addMenu(option, menu::PIECES, "駒 / Pieces");
    addEntry(pieces, menu::PIECES_KANJI, "漢字", true, [g] { g()->pieces().PIECES_KANJI_Click(); });
    addEntry(
        pieces, menu::PIECES_PICTURES, "絵", true, [g] { g()->pieces().PIECES_PICTURES_Click(); });

    addEntry(bar, menu::VER, "その他", false, [g] { g()->records().VER_Click(); });
}

void Form1::retranslate()
{
    setWindowTitle(QString::fromUtf8(tr_("ZR 鳥将棋")));
    for (const auto& [menu, caption] : menuCaptions)
        menu->setTitle(QString::fromUtf8(tr_(caption)));
    for (const auto& [action, caption] : entryCaptions)
        action->setText(QString::fromUtf8(tr_(caption)));
    recordPanel->retranslate();
    kifuList->retranslate();
}

void Form1::wirePanel()
{
    RecordCommands& recs = theGame->records();
    recordPanel->setFileClicked(
        [this, &recs](const std::string& name) { run([&] { recs.File1_Click(name); }); });
    recordPanel->setDirectoryChanged(
        [this, &recs](const std::string& path) { run([&] { recs.Dir1_Change(path); }); });
    recordPanel->setDriveChanged([this, &recs](const std::string& drive) {
        bool ready = false;
        run([&] { ready = recs.Drive1_Change(drive); });
        return ready;
    });
    recordPanel->setReturnClicked([this, &recs] { run([&] { recs.Command1_Click(); }); });
    kifuList->setEntryClicked(
        [this](int row) { run([this, row] { theGame->moveList().List1_Click(row); }); });
}

void Form1::run(const std::function<void()>& handler)
{
    // While the computer thinks no other handler runs (its clock ticks through
    // the search itself).
    if (ending || !theGame || thinking)
        return;
    handler();
    takeInputAgain();
    if (endWhenDone) {
        endWhenDone = false;
        theGame->Form_Unload();
        return;
    }
    // Whatever the event did to the record, the list shows it.
    showMoveList(false);
    // A new position on the board ends the searches of the one before.
    if (kentou && !ending)
        kentou->局面更新();
}

// Paint events, timers and the like go on; presses, keys and the wheel are
// dropped by eventFilter, never kept to be played in a position the player
// has not seen yet.
void Form1::keepPainting()
{
    if (!thinking) {
        thinking = true;
        QCoreApplication::instance()->installEventFilter(this);
    }
    QCoreApplication::processEvents();
}

void Form1::takeInputAgain()
{
    if (!thinking)
        return;
    // What is still queued (presses during the blink of the computer's piece)
    // goes the same way.
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(this);
    thinking = false;
}

void Form1::endAfterThinking()
{
    endWhenDone = true;
    theGame->stopThinking();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (!thinking)
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Escape ends the program, as it does between moves; but not while a
        // record's name is being typed into the panel.
        QWidget* focus = QApplication::focusWidget();
        const bool typing = focus && focus != drawing && drawing->isAncestorOf(focus);
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && !typing)
            endAfterThinking();
        return true;
    }
    case QEvent::ShortcutOverride:
        // Taken, so that no menu shortcut fires for the key either.
        event->accept();
        return true;
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        return true;
    default:
        return QMainWindow::eventFilter(watched, event);
    }
}

void Form1::showMoveList(bool now)
{
    if (ending || !theGame)
        return;
    // Inside an event (the computer's caption, its blink) nothing is painted
    // unless asked for at once.
    if (theGame->moveList().描画_棋譜一覧() && now)
        kifuList->list()->viewport()->repaint();
}

void Form1::end()
{
    ending = true;
    if (kentou)
        kentou->終了();
    if (setup.quit) {
        setup.quit();
        return;
    }
    close();
    QCoreApplication::quit();
}

// Start-up asks for the window's design size. The first time, the window opens
// at the largest of 100 %, 150 % and 200 % of it that fits the screen; later
// (start-up runs again when a record is loaded) the player's size stays.
void Form1::setDesignSize(int widthTwips, int heightTwips)
{
    const QSize area = areaSize(widthTwips, heightTwips);
    drawing->setDesignSize(area);
    drawing->setMinimumSize(area);
    if (sized)
        return;
    sized = true;
    const QSize available = screen() ? screen()->availableGeometry().size() : QSize();
    const double scale
        = startScale(QSize(widthTwips / twipsPerPixel, heightTwips / twipsPerPixel), available);
    const QSize scaled(static_cast<int>(std::lround(area.width() * scale)),
        static_cast<int>(std::lround(area.height() * scale)));
    resize(scaled.width(), scaled.height() + menuBar()->sizeHint().height());
    drawing->resize(scaled);
    drawing->rescaleNow();
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing the window ends the game the same way as 終わり; when the game
    // itself has ended, the close is the last step of that. While the computer
    // thinks, its search stops first, and the program ends right after.
    if (thinking && !ending) {
        endAfterThinking();
        event->ignore();
        return;
    }
    if (!ending)
        run([this] { theGame->Form_Unload(); });
    event->accept();
}

} // namespace tori
