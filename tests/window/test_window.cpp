// Form1 driven as a player drives it: the menu bar, the keys, the mouse and the
// window's close, over the real game with scripted message boxes and sounds.
#include "display/qt/qt_surface.h"
#include "game/qt/drawing_area.h"
#include "game/qt/form1.h"
#include "game/qt/qt_ports.h"
#include "record/qt/move_list_panel.h"
#include "record/qt/record_panel.h"
#include "support/fakes.h"
#include "support/images.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace tori;
using namespace tori::testing;

namespace {

// One window over a fresh settings folder, started as the program starts it.
struct Window {
    explicit Window(bool load = true)
    {
        Form1Setup setup;
        setup.settingsPath = dir.filePath(QStringLiteral("ZR鳥将棋.ini")).toStdString();
        setup.boxes = &boxes;
        setup.quit = [this] { ++quits; };
        form = std::make_unique<Form1>(sounds, setup);
        form->show();
        if (load)
            form->game().Form_Load();
    }

    QAction* action(const char* name) const
    {
        return form->findChild<QAction*>(QString::fromUtf8(name));
    }
    QMenu* menu(const char* name) const { return form->findChild<QMenu*>(QString::fromUtf8(name)); }
    // Opens a menu as a click on its title does, and closes it again.
    void open(const char* name)
    {
        QMenu* m = menu(name);
        m->popup(QPoint(0, 0));
        m->hide();
    }
    int visiblePanelControls() const
    {
        int n = 0;
        for (QWidget* w : form->panel().findChildren<QWidget*>())
            n += w->isVisible() ? 1 : 0;
        return n;
    }

    QTemporaryDir dir;
    RecordingSounds sounds;
    ScriptedMessageBoxes boxes;
    int quits = 0;
    std::unique_ptr<Form1> form;
};

// The centre of board cell (col, row) in logical pixels.
QPoint cellCentre(int col, int row)
{
    return QPoint(int(gridX(col + 0.5) / 15), int(gridY(row + 0.5) / 15));
}

QString ownerName(QAction* action)
{
    QStringList owners;
    for (QObject* o : action->associatedObjects()) {
        if (qobject_cast<QMenuBar*>(o))
            owners << QStringLiteral("(menu bar)");
        else if (auto* m = qobject_cast<QMenu*>(o); m && !m->objectName().isEmpty())
            owners << m->objectName(); // not the menu bar's own overflow popup
    }
    return owners.join(QLatin1Char(','));
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void titleAndMenuBar()
    {
        Window w(false);
        QCOMPARE(w.form->windowTitle(), QStringLiteral("ZR 鳥将棋"));
        QStringList bar;
        for (QAction* a : w.form->menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar,
            QStringList(
                { "対局", "局面", "戻", "進", "△", "▽", "棋譜", "検討", "ｵﾌﾟｼｮﾝ", "その他" }));
    }

    void menuTree_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("owner");
        QTest::addColumn<bool>("submenu");
        QTest::addColumn<bool>("checkable");
        const QString bar = QStringLiteral("(menu bar)");
        auto row = [](const char* name, const char* caption, const QString& owner, bool submenu,
                       bool checkable) {
            QTest::newRow(name) << QString::fromUtf8(caption) << owner << submenu << checkable;
        };
        row(menu::TAIKYOKU, "対局", bar, true, false);
        row(menu::MATCH_MAN, "対局(人間)", menu::TAIKYOKU, true, false);
        row(menu::START, "スタート", menu::MATCH_MAN, false, false);
        row(menu::START2, "対局(COM)", menu::TAIKYOKU, true, false);
        row(menu::SENTE, "先手", menu::START2, false, false);
        row(menu::GOTE, "後手", menu::START2, false, false);
        row(menu::LEVEL, "COM対局ﾚﾍﾞﾙ", menu::TAIKYOKU, true, false);
        row(menu::LEVEL1, "LEVEL1", menu::LEVEL, false, true);
        row(menu::LEVEL2, "LEVEL2", menu::LEVEL, false, true);
        row(menu::LEVEL3, "LEVEL3", menu::LEVEL, false, true);
        row(menu::LEVEL4, "LEVEL4", menu::LEVEL, false, true);
        row(menu::LEVEL5, "LEVEL5", menu::LEVEL, false, true);
        row(menu::OWARI, "終わり", menu::TAIKYOKU, false, false);
        row(menu::STOP, "局面", bar, true, false);
        row(menu::CANCEL, "最初", menu::STOP, false, false);
        row(menu::REVERSE, "反転", menu::STOP, false, false);
        row(menu::FEN_COPY, "FENｺﾋﾟｰ", menu::STOP, false, false);
        row(menu::FEN_PASTE, "FEN貼付", menu::STOP, false, false);
        row(menu::REPLAY, "戻", bar, false, false);
        row(menu::AFTER, "進", bar, false, false);
        row(menu::LBEL_UP, "△", bar, false, false);
        row(menu::LEBEL_DOWN, "▽", bar, false, false);
        row(menu::KIFU, "棋譜", bar, true, false);
        row(menu::KIFU_READ, "読込", menu::KIFU, false, false);
        row(menu::KIFU_WRITE, "書込", menu::KIFU, false, false);
        row(menu::KIFU_LIST, "棋譜一覧", menu::KIFU, false, true);
        row(menu::KENTOU, "検討", bar, true, false);
        row(menu::HINT, "ﾋﾝﾄ", menu::KENTOU, false, false);
        row(menu::EVAL_SHOW, "評価値", menu::KENTOU, false, true);
        row(menu::KIFU_ANALYSE, "棋譜解析", menu::KENTOU, false, false);
        row(menu::ANALYSIS_COPY, "解析ｺﾋﾟｰ", menu::KENTOU, false, false);
        row(menu::OPTION, "ｵﾌﾟｼｮﾝ", bar, true, false);
        row(menu::HAIKEI_GA, "背景画", menu::OPTION, true, false);
        row(menu::MIDORI, "緑", menu::HAIKEI_GA, false, true);
        row(menu::TATAMI, "畳", menu::HAIKEI_GA, false, true);
        row(menu::TAKE, "竹", menu::HAIKEI_GA, false, true);
        row(menu::UCHU, "宇宙", menu::HAIKEI_GA, false, true);
        row(menu::RENGA, "煉瓦", menu::HAIKEI_GA, false, true);
        row(menu::SIDOU, "移動指導", menu::OPTION, false, true);
        row(menu::KEIKA, "経過時間", menu::OPTION, false, true);
        row(menu::BGM, "BGM", menu::OPTION, false, true);
        row(menu::TIME_SETTING, "持ち時間設定", menu::OPTION, false, false);
        row(menu::VER, "その他", bar, false, false);
    }

    void menuTree()
    {
        QFETCH(QString, caption);
        QFETCH(QString, owner);
        QFETCH(bool, submenu);
        QFETCH(bool, checkable);
        Window w(false);
        const char* name = QTest::currentDataTag();
        QMenu* m = w.menu(name);
        QAction* a = w.action(name);
        if (submenu) {
            QVERIFY2(m, name);
            QVERIFY(!a);
            QCOMPARE(m->title(), caption);
            QCOMPARE(ownerName(m->menuAction()), owner);
        } else {
            QVERIFY2(a, name);
            QVERIFY(!m);
            QVERIFY(!a->menu());
            QCOMPARE(a->text(), caption);
            QCOMPARE(ownerName(a), owner);
            QCOMPARE(a->isCheckable(), checkable);
        }
    }

    // ｵﾌﾟｼｮﾝ → 持ち時間設定: the dialog opens with the kept choice, OK keeps
    // what it shows in zr-torishogi.conf, キャンセル and なし as they say.
    void timeLimitDialog()
    {
        Window w;
        auto answer = [&](const std::function<void(QDialog&)>& act) {
            bool seen = false;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog || dialog->objectName() != QLatin1String("TimeLimitDialog"))
                    return;
                seen = true;
                act(*dialog);
            });
            w.action(menu::TIME_SETTING)->trigger();
            QVERIFY(seen);
        };
        auto spin = [](QDialog& d, const char* name) {
            return d.findChild<QSpinBox*>(QString::fromUtf8(name));
        };
        answer([&](QDialog& d) {
            QVERIFY(d.findChild<QRadioButton*>(QStringLiteral("none"))->isChecked());
            QVERIFY(!spin(d, "mainMinutes")->isEnabled());
            d.findChild<QRadioButton*>(QStringLiteral("limited"))->setChecked(true);
            QVERIFY(spin(d, "mainMinutes")->isEnabled());
            spin(d, "mainMinutes")->setValue(1);
            spin(d, "byoyomi")->setValue(10);
            spin(d, "increment")->setValue(700); // beyond its range: 60
            d.accept();
        });
        持ち時間設定 chosen;
        chosen.持ち時間秒 = 60;
        chosen.秒読み秒 = 10;
        chosen.加算秒 = 60;
        QVERIFY(w.form->game().選択持ち時間() == chosen);
        QSettings conf(w.dir.filePath(QStringLiteral("zr-torishogi.conf")), QSettings::IniFormat);
        QCOMPARE(conf.value(QStringLiteral("clock/main_seconds")).toString(), QStringLiteral("60"));
        QCOMPARE(
            conf.value(QStringLiteral("clock/byoyomi_seconds")).toString(), QStringLiteral("10"));

        // The dialog shows the choice again; キャンセル keeps it.
        answer([&](QDialog& d) {
            QCOMPARE(spin(d, "mainMinutes")->value(), 1);
            QVERIFY(d.findChild<QRadioButton*>(QStringLiteral("limited"))->isChecked());
            d.reject();
        });
        QVERIFY(w.form->game().選択持ち時間() == chosen);
        answer([&](QDialog& d) {
            d.findChild<QRadioButton*>(QStringLiteral("none"))->setChecked(true);
            d.accept();
        });
        QVERIFY(!w.form->game().選択持ち時間().有効());
        QCOMPARE(conf.value(QStringLiteral("clock/main_seconds")).toString(), QStringLiteral("0"));
    }

    void checkMarksAfterStartUp()
    {
        Window w;
        std::set<QString> marked;
        for (QAction* a : w.form->findChildren<QAction*>())
            if (a->isChecked())
                marked.insert(a->objectName());
        QCOMPARE(marked,
            (std::set<QString> { menu::LEVEL3, menu::MIDORI, menu::KEIKA, menu::BGM, menu::LANG_JA,
                menu::PIECES_KANJI }));
    }

    // The game's handlers decide the marks; Qt's own flip of a checkable entry
    // must not come on top, or 経過時間 would be switched twice by one click.
    void checkMarksFollowTheHandlers()
    {
        Window w;
        QAction* keika = w.action(menu::KEIKA);
        keika->trigger();
        QVERIFY(!keika->isChecked());
        keika->trigger();
        QVERIFY(keika->isChecked());

        w.action(menu::LEVEL1)->trigger();
        QVERIFY(w.action(menu::LEVEL1)->isChecked());
        QVERIFY(!w.action(menu::LEVEL3)->isChecked());
        w.action(menu::LEVEL1)->trigger();
        QVERIFY(w.action(menu::LEVEL1)->isChecked());

        w.action(menu::TATAMI)->trigger();
        QVERIFY(w.action(menu::TATAMI)->isChecked());
        QVERIFY(!w.action(menu::MIDORI)->isChecked());
        w.action(menu::TATAMI)->trigger();
        QVERIFY(w.action(menu::TATAMI)->isChecked());

        QVERIFY(!w.action(menu::SIDOU)->isChecked());
        w.action(menu::SIDOU)->trigger();
        QVERIFY(w.action(menu::SIDOU)->isChecked());
    }

    void bareEntriesActOnOneClick()
    {
        Window w;
        QMenuBar* bar = w.form->menuBar();
        auto click = [&](const char* name) {
            QAction* a = w.action(name);
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(a).center());
        };
        click(menu::REPLAY);
        click(menu::AFTER);
        click(menu::VER);
        // Nothing to take back or replay after start-up; その他 shows the version.
        QCOMPARE(w.boxes.titles(), (std::vector<std::string> { "戻る", "進む", "ZR鳥将棋" }));
        click(menu::LBEL_UP);
        click(menu::LBEL_UP);
        QCOMPARE(w.form->game().state().ハンデレベル, 2);
        click(menu::LEBEL_DOWN);
        QCOMPARE(w.form->game().state().ハンデレベル, 1);
        QVERIFY(!QApplication::activePopupWidget());
    }

    void submenuParentsDoNothing()
    {
        Window w;
        w.action(menu::KIFU_READ)->trigger();
        const int panelOpen = w.visiblePanelControls();
        const QImage before = w.form->surface().image().copy();
        const GameState& g = w.form->game().state();
        for (const char* name :
            { menu::MATCH_MAN, menu::START2, menu::LEVEL, menu::KIFU, menu::HAIKEI_GA }) {
            w.open(name);
            w.menu(name)->menuAction()->trigger();
        }
        QCOMPARE(g.手番, -1);
        QCOMPARE(g.ハンデレベル, 0);
        QVERIFY(w.boxes.shown.empty());
        QCOMPARE(w.visiblePanelControls(), panelOpen);
        const std::string changed
            = imageDifference(w.form->surface().image(), before, "the board", { .share = 0 });
        QVERIFY2(changed.empty(), changed.c_str());
        QCOMPARE(w.quits, 0);
    }

    // Opening 対局, 局面 or ｵﾌﾟｼｮﾝ puts the record panel away.
    void menuTitlesCloseTheRecordPanel()
    {
        Window w;
        for (const char* title : { menu::TAIKYOKU, menu::STOP, menu::OPTION }) {
            w.action(menu::KIFU_READ)->trigger();
            QVERIFY2(w.visiblePanelControls() > 0, title);
            w.open(title);
            QVERIFY2(w.visiblePanelControls() == 0, title);
        }
    }

    void escapeEndsOtherKeysDoNot()
    {
        Window w;
        for (Qt::Key key : { Qt::Key_A, Qt::Key_Return, Qt::Key_Space, Qt::Key_F1, Qt::Key_Q })
            QTest::keyClick(&w.form->area(), key);
        QCOMPARE(w.quits, 0);
        QCOMPARE(w.sounds.count(SoundCall::end), 0);
        QTest::keyClick(&w.form->area(), Qt::Key_Escape);
        QCOMPARE(w.quits, 1);
        QCOMPARE(w.sounds.count(SoundCall::end), 1);
        // The game has ended: later events reach no handler.
        QTest::keyClick(&w.form->area(), Qt::Key_Escape);
        w.form->close();
        QCOMPARE(w.quits, 1);
        QCOMPARE(w.sounds.count(SoundCall::end), 1);
    }

    void escapeInARecordTextBoxStaysThere()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.action(menu::KIFU_WRITE)->trigger();
        QLineEdit* box = nullptr;
        for (QLineEdit* e : w.form->panel().findChildren<QLineEdit*>())
            if (e->isVisible())
                box = e;
        QVERIFY(box);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(w.quits, 0);
    }

    void closingTheWindowEndsOnce()
    {
        Window w;
        w.form->close();
        QCOMPARE(w.quits, 1);
        QCOMPARE(w.sounds.count(SoundCall::end), 1);
        w.action(menu::OWARI)->trigger();
        QCOMPARE(w.sounds.count(SoundCall::end), 1);
    }

    // Presses made while the computer thinks (a swallow and the square before
    // it, 戻 on the menu bar) are dropped: none is kept to be played after its
    // reply, in a position the player has not seen.
    void inputWhileTheComputerThinksIsDropped()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        const GameState& g = w.form->game().state();
        w.action(menu::LEVEL4)->trigger();
        w.action(menu::SENTE)->trigger();
        DrawingArea* area = &w.form->area();
        QTest::mouseClick(area, Qt::LeftButton, {}, cellCentre(1, 5));
        QMenuBar* bar = w.form->menuBar();
        const QPoint replay = bar->actionGeometry(w.action(menu::REPLAY)).center();
        w.boxes.shown.clear();
        int pressed = 0;
        QTimer::singleShot(0, w.form.get(), [&] {
            QTest::mouseClick(area, Qt::LeftButton, {}, cellCentre(2, 5));
            QTest::mouseClick(area, Qt::LeftButton, {}, cellCentre(2, 4));
            QTest::mouseClick(bar, Qt::LeftButton, {}, replay);
            QTest::keyClick(area, Qt::Key_A);
            ++pressed;
        });
        QTest::mouseClick(area, Qt::LeftButton, {}, cellCentre(1, 4)); // the computer replies
        QCOMPARE(pressed, 1);
        QCOMPARE(g.記録手数, 2);
        const auto board = g.盤;
        QTest::qWait(100);
        QCOMPARE(g.記録手数, 2);
        QCOMPARE(g.選択状態, 0);
        QVERIFY(g.盤 == board);
        QVERIFY(w.boxes.shown.empty());
        // Input is taken again.
        QTest::mouseClick(area, Qt::LeftButton, {}, cellCentre(2, 5));
        QCOMPARE(g.選択状態, 1);
    }

    // Escape or closing the window while level 5 thinks stops its search at
    // once, without a move, and ends the program.
    void escapeOrCloseWhileTheComputerThinksEndsAtOnce()
    {
        for (const bool escape : { true, false }) {
            Window w;
            QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
            const GameState& g = w.form->game().state();
            w.action(menu::LEVEL5)->trigger();
            w.action(menu::SENTE)->trigger();
            DrawingArea* area = &w.form->area();
            QTest::mouseClick(area, Qt::LeftButton, {}, cellCentre(1, 5));
            QElapsedTimer asked;
            QTimer::singleShot(200, w.form.get(), [&] {
                asked.start();
                if (escape)
                    QTest::keyClick(area, Qt::Key_Escape);
                else
                    w.form->close();
            });
            QTest::mouseClick(area, Qt::LeftButton, {}, cellCentre(1, 4));
            QVERIFY(asked.isValid());
            qInfo("%s: ended %lld ms after it was asked", escape ? "Escape" : "close",
                asked.elapsed());
            QCOMPARE(w.quits, 1);
            QCOMPARE(w.sounds.count(SoundCall::end), 1);
            QCOMPARE(g.記録手数, 1); // the person's move; the computer made none
        }
    }

    void owariEnds()
    {
        Window w;
        w.action(menu::OWARI)->trigger();
        QCOMPARE(w.quits, 1);
        QCOMPARE(w.sounds.count(SoundCall::end), 1);
    }

    // Pixels map to twips at 15 a pixel, whatever the pixel density.
    void pressesInTwips()
    {
        DrawingArea area;
        area.setFixedSize(600, 456);
        struct Press {
            int button, shift;
            double x, y;
        };
        std::vector<Press> got;
        area.mouseDown = [&](int b, int s, double x, double y) { got.push_back({ b, s, x, y }); };
        area.show();
        QTest::mousePress(&area, Qt::LeftButton, {}, QPoint(103, 294));
        QTest::mousePress(&area, Qt::RightButton, {}, QPoint(1, 1));
        QTest::mousePress(
            &area, Qt::MiddleButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(599, 455));
        QCOMPARE(got.size(), size_t(3));
        QCOMPARE(got[0].button, 1);
        QCOMPARE(got[0].shift, 0);
        QCOMPARE(got[0].x, 1545.0);
        QCOMPARE(got[0].y, 4410.0);
        QCOMPARE(got[1].button, 2);
        QCOMPARE(got[1].x, 15.0);
        QCOMPARE(got[2].button, 4);
        QCOMPARE(got[2].shift, 3);
        QCOMPARE(got[2].x, 8985.0);
        QCOMPARE(got[2].y, 6825.0);
    }

    // A game between two people: presses on the lower pieces select the square
    // under the pointer, also on the first and last pixels of a square.
    void mouseReachesTheGame()
    {
        Window w;
        const GameState& g = w.form->game().state();
        DrawingArea* area = &w.form->area();
        QTest::mousePress(area, Qt::LeftButton, {}, cellCentre(3, 7));
        QCOMPARE(w.boxes.titles(), (std::vector<std::string> { "開始" })); // no game yet
        QCOMPARE(g.選択状態, 0);

        w.action(menu::START)->trigger();
        QVERIFY(g.盤[3][7] <= -10 && g.盤[4][6] <= -10 && g.盤[4][5] <= -10 && g.盤[3][5] <= -10);
        struct Case {
            QPoint at;
            int col, row;
        };
        // Column 4 covers pixels 202..234, row 6 pixels 253..293.
        for (Case c : { Case { cellCentre(3, 7), 3, 7 }, Case { QPoint(202, 253), 4, 6 },
                 Case { QPoint(234, 252), 4, 5 }, Case { QPoint(201, 252), 3, 5 } }) {
            QTest::mousePress(area, Qt::LeftButton, {}, c.at);
            QCOMPARE(g.選択状態, 1);
            QCOMPARE(g.選択列, c.col);
            QCOMPARE(g.選択段, c.row);
        }
    }

    // 棋譜一覧 stands right of the board, the window growing to hold it, and
    // follows the moves made with the mouse; a click on a row steps there.
    void moveListBesideTheBoardFollowsTheGame()
    {
        Window w;
        DrawingArea* area = &w.form->area();
        QtMoveList& dock = w.form->moveList();
        QTreeWidget* list = dock.list();
        QVERIFY(!dock.isVisible());
        QApplication::processEvents();
        const int narrow = w.form->width();
        const QSize board = area->size();

        w.action(menu::KIFU_LIST)->trigger();
        QVERIFY(w.action(menu::KIFU_LIST)->isChecked());
        QVERIFY(dock.isVisible());
        QApplication::processEvents();
        QVERIFY(w.form->width() > narrow);
        QVERIFY(dock.geometry().left() >= area->geometry().right());
        QCOMPARE(area->size(), board);
        QCOMPARE(list->topLevelItemCount(), 1);

        w.action(menu::START)->trigger();
        const auto move = [&](int c1, int r1, int c2, int r2) {
            QTest::mousePress(area, Qt::LeftButton, {}, cellCentre(c1, r1));
            QTest::mousePress(area, Qt::LeftButton, {}, cellCentre(c2, r2));
        };
        move(1, 5, 1, 4);
        move(2, 3, 2, 4);
        move(1, 4, 1, 3);
        QCOMPARE(list->topLevelItemCount(), 4);
        QCOMPARE(list->topLevelItem(3)->text(1), QStringLiteral("▲７三燕"));
        QCOMPARE(list->topLevelItem(2)->text(1), QStringLiteral("△６四燕"));
        QVERIFY(list->topLevelItem(3)->isSelected());

        const QRect row1 = list->visualItemRect(list->topLevelItem(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row1.center());
        const GameState& g = w.form->game().state();
        QCOMPARE(g.記録手数, 1);
        QCOMPARE(g.盤[1][3], 燕);
        QVERIFY(list->topLevelItem(1)->isSelected());
        QCOMPARE(list->topLevelItemCount(), 4);

        // Loading a record: the list holds it while the boxes about it are up.
        RecordCommands& records = w.form->game().records();
        w.form->panel().setDirectory(w.dir.path().toStdString());
        records.AFTER_Click();
        records.AFTER_Click();
        w.form->panel().setText(1, "list");
        records.Command1_Click();
        QCOMPARE(
            QString::fromStdString(w.boxes.texts().back()), QStringLiteral("棋譜を書き込みました"));
        w.action(menu::REVERSE)->trigger(); // clears the record
        QCOMPARE(list->topLevelItemCount(), 1);
        std::vector<int> rowsAtBoxes;
        w.boxes.onShow = [&](const ScriptedMessageBoxes::Shown&) {
            rowsAtBoxes.push_back(list->topLevelItemCount());
        };
        records.File1_Click("list.棋譜");
        QCOMPARE(rowsAtBoxes, (std::vector<int> { 4, 4 }));
        w.boxes.onShow = nullptr;

        w.action(menu::KIFU_LIST)->trigger();
        QVERIFY(!dock.isVisible());
        QApplication::processEvents();
        QCOMPARE(w.form->width(), narrow);
        QCOMPARE(area->size(), board);

        // A wider window: the list still only adds its own width.
        w.form->resize(narrow + 200, w.form->height());
        QApplication::processEvents();
        const QSize wide = area->size();
        w.action(menu::KIFU_LIST)->trigger();
        QApplication::processEvents();
        QCOMPARE(area->size(), wide);
    }

    // FENｺﾋﾟｰ and FEN貼付 through the system clipboard.
    void fenThroughTheClipboard()
    {
        Window w;
        QClipboard* clipboard = QGuiApplication::clipboard();
        w.action(menu::FEN_COPY)->trigger();
        QCOMPARE(clipboard->text(),
            QStringLiteral("rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-] w 0 1"));
        const QString position = QStringLiteral("3k3/7/7/7/7/7/3K3[SPCFLRspcflr] b 0 1");
        clipboard->setText(position);
        w.action(menu::FEN_PASTE)->trigger();
        const GameState& g = w.form->game().state();
        QCOMPARE(g.盤[4][1], 鵬);
        QCOMPARE(g.持駒数_MAN, 6);
        clipboard->clear();
        w.action(menu::FEN_COPY)->trigger();
        QCOMPARE(clipboard->text(), position);
        QVERIFY(w.boxes.shown.empty());
    }

    void surfaceFollowsPixelRatio()
    {
        Window w;
        const QImage& image = w.form->surface().image();
        const qreal ratio = w.form->devicePixelRatioF();
        if (qEnvironmentVariable("QT_SCALE_FACTOR") == QLatin1String("2"))
            QCOMPARE(ratio, 2.0);
        QCOMPARE(image.devicePixelRatio(), ratio);
        QCOMPARE(image.size(), w.form->area().size() * ratio);
        QCOMPARE(w.form->area().size(), Form1::areaSize(9000, 7300));
    }

    // The lowest texts the game prints lie wholly inside the area: the clocks
    // at row 9 and the header lines of a loaded record at y 6350.
    void lowestTextsFitTheArea()
    {
        QFile record(QStringLiteral("header.棋譜"));
        QVERIFY(record.open(QIODevice::WriteOnly));
        record.write("Cup\r\nHigh\r\nLow\r\n 5756 -10 -10   0    0    3    0    0\r\n");
        record.close();

        Window w;
        w.form->game().records().File1_Click("header.棋譜");
        const QImage image = w.form->surface().image().convertToFormat(QImage::Format_RGB32);
        const qreal r = image.devicePixelRatio();
        // White text in a box of logical pixels; returns the lowest row found, or -1.
        auto lowestWhite = [&](QRect box) {
            int lowest = -1;
            for (int y = int(box.top() * r); y < int((box.bottom() + 1) * r) && y < image.height();
                 ++y)
                for (int x = int(box.left() * r); x < int((box.right() + 1) * r); ++x)
                    if (image.pixel(x, y) == qRgb(255, 255, 255))
                        lowest = y;
            return lowest;
        };
        const int bottom = image.height() - 1;
        const int manClock = lowestWhite(QRect(499, 380, 100, 76));
        const int header = lowestWhite(QRect(53, 420, 100, 36));
        QVERIFY(manClock > 0 && manClock < bottom - 1);
        QVERIFY(header > 0 && header < bottom - 1);
        QFile::remove(QStringLiteral("header.棋譜"));
    }

    void qtMessageBoxes()
    {
        QWidget parent;
        QtMessageBoxes boxes(&parent);
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        auto answer = [&](QMessageBox::StandardButton press) {
            QTimer::singleShot(0, [&, press] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                buttons = int(box->buttons().size());
                box->button(press)->click();
            });
        };
        answer(QMessageBox::Ok);
        boxes.ok("  Version 0.9\r\rZR", "ZR鳥将棋", MessageBoxes::Icon::Exclamation);
        QCOMPARE(title, QStringLiteral("ZR鳥将棋"));
        QCOMPARE(text, QStringLiteral("  Version 0.9\n\nZR"));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, 1);

        answer(QMessageBox::Ok);
        boxes.ok("先手の番です", " ", MessageBoxes::Icon::None);
        QCOMPARE(icon, QMessageBox::NoIcon);

        answer(QMessageBox::Yes);
        QVERIFY(boxes.yesNo("棋譜を '進 'で進めて下さい", "棋譜"));
        QCOMPARE(buttons, 2);
        answer(QMessageBox::No);
        QVERIFY(!boxes.yesNo("棋譜を '進 'で進めて下さい", "棋譜"));
    }

    void timerTicksOnlyWhileEnabled()
    {
        int ticks = 0;
        QtTimer timer([&] { ++ticks; });
        QVERIFY(!timer.enabled());
        QTest::qWait(120);
        QCOMPARE(ticks, 0);
        timer.setEnabled(true);
        QVERIFY(timer.enabled());
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= 3, 2000);
        timer.setEnabled(false);
        QVERIFY(!timer.enabled());
        const int stopped = ticks;
        QTest::qWait(120);
        QCOMPARE(ticks, stopped);
    }

    void menuMarksByName()
    {
        QAction keika(QStringLiteral("経過時間"));
        keika.setObjectName(QString::fromUtf8(menu::KEIKA));
        keika.setCheckable(true);
        QtMenu menu;
        menu.add(&keika);
        menu.setChecked(menu::KEIKA, true);
        QVERIFY(keika.isChecked());
        QVERIFY(menu.checked(menu::KEIKA));
        menu.setChecked("NONE", true);
        QVERIFY(!menu.checked("NONE"));
    }

    // ｵﾌﾟｼｮﾝ ends with 駒 / Pieces: 漢字 checked at first, 絵 draws the board
    // in pictures at once and is kept for the next run of the window.
    void piecesChosenInTheMenuAndKept()
    {
        Window w;
        QMenu* option = w.menu(menu::OPTION);
        QMenu* pieces = w.menu(menu::PIECES);
        QVERIFY(pieces);
        QCOMPARE(option->actions().last(), pieces->menuAction());
        QCOMPARE(pieces->title(), QStringLiteral("駒 / Pieces"));
        QAction* kanji = w.action(menu::PIECES_KANJI);
        QAction* pictures = w.action(menu::PIECES_PICTURES);
        QCOMPARE(pieces->actions(), (QList<QAction*> { kanji, pictures }));
        QCOMPARE(kanji->text(), QStringLiteral("漢字"));
        QCOMPARE(pictures->text(), QStringLiteral("絵"));
        QVERIFY(kanji->isChecked() && !pictures->isChecked());
        QCOMPARE(w.form->surface().pieceSet(), PieceSet::kanji);

        const QImage before = w.form->surface().image().copy();
        pictures->trigger();
        QVERIFY(pictures->isChecked() && !kanji->isChecked());
        QCOMPARE(w.form->surface().pieceSet(), PieceSet::pictures);
        QVERIFY(w.form->surface().image() != before);
        QFile conf(w.dir.filePath(QStringLiteral("zr-torishogi.conf")));
        QVERIFY(conf.open(QIODevice::ReadOnly));
        const QByteArray text = conf.readAll();
        QVERIFY(text.contains("[ui]"));
        QVERIFY(text.contains("pieces=pictures"));

        Form1Setup setup;
        setup.settingsPath = w.dir.filePath(QStringLiteral("ZR鳥将棋.ini")).toStdString();
        setup.boxes = &w.boxes;
        setup.quit = [] {};
        Form1 again(w.sounds, setup);
        again.game().Form_Load();
        QCOMPARE(again.surface().pieceSet(), PieceSet::pictures);
        QVERIFY(again.findChild<QAction*>(QString::fromUtf8(menu::PIECES_PICTURES))->isChecked());
    }

    // The choices live in an INI file of groups and keys, read back by the next
    // run; a value that is no whole number in range reads as the default.
    void preferencesKeptInTheirOwnFile()
    {
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("zr-torishogi.conf")).toStdString();
        {
            QtPreferences prefs(path);
            QCOMPARE(prefs.value("clock/main_seconds", "none"), std::string("none"));
            prefs.setValue("clock/main_seconds", "600");
            prefs.setValue("clock/byoyomi_seconds", "ten");
            prefs.setValue("clock/increment_seconds", "-5");
        }
        QFile file(QString::fromStdString(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("[clock]"));
        QVERIFY(text.contains("main_seconds=600"));

        QtPreferences again(path);
        QCOMPARE(intPreference(again, "clock/main_seconds", 0, 0, 36000), 600);
        QCOMPARE(intPreference(again, "clock/main_seconds", 0, 0, 599), 0);
        QCOMPARE(intPreference(again, "clock/byoyomi_seconds", 7, 0, 60), 7);
        QCOMPARE(intPreference(again, "clock/increment_seconds", 0, 0, 60), 0);
        QCOMPARE(intPreference(again, "clock/none", 3, 0, 60), 3);

        QtPreferences nowhere("");
        nowhere.setValue("ui/language", "en");
        QCOMPARE(nowhere.value("ui/language", "ja"), std::string("en"));
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
