// 検討 in the window, offscreen: the worker's queued signals without stale
// reports, the menu's place, the evaluation and hint beside the board, and an
// analysis of a short game whose graph steps to a position when clicked.
#include "game/qt/analysis_view.h"
#include "game/qt/drawing_area.h"
#include "game/qt/form1.h"
#include "game/qt/qt_ports.h"
#include "game/qt/search_worker.h"
#include "platform/menu_names.h"
#include "support/fakes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtTest>

#include <memory>

using namespace tori;
using namespace tori::testing;

namespace {

struct Window {
    Window()
    {
        Form1Setup setup;
        setup.settingsPath = dir.filePath(QStringLiteral("ZR鳥将棋.ini")).toStdString();
        setup.boxes = &boxes;
        setup.quit = [this] { ++quits; };
        form = std::make_unique<Form1>(sounds, setup);
        form->show();
        form->game().Form_Load();
    }
    QAction* action(const char* name) const
    {
        return form->findChild<QAction*>(QString::fromUtf8(name));
    }
    // Presses the centre of board cell (col, row) as the mouse does, through the window.
    void press(int col, int row)
    {
        form->area().mouseDown(1, 0, 1050 + 495 * (col + 0.5), 100 + 615 * (row + 0.5));
    }

    QTemporaryDir dir;
    RecordingSounds sounds;
    ScriptedMessageBoxes boxes;
    int quits = 0;
    std::unique_ptr<Form1> form;
};

search::BackgroundJob job(std::uint64_t id, int depth)
{
    search::BackgroundJob j;
    j.id = id;
    j.position = search::Position::start(search::Lower);
    j.limits.depth = depth;
    return j;
}

} // namespace

class AnalysisWindowTest : public QObject {
    Q_OBJECT

private slots:
    void workerSignalsCarryOnlyTheLiveJobsReports()
    {
        SearchWorker worker;
        QSignalSpy iterated(&worker, &SearchWorker::iterated);
        QSignalSpy finished(&worker, &SearchWorker::finished);
        worker.post(job(1, search::MaxPly - 1));
        QTRY_VERIFY(iterated.count() >= 1);
        // Reports of job 1 may be queued already; none of them arrives now.
        worker.cancel();
        iterated.clear();
        worker.post(job(2, 3));
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished[0][0].value<search::BackgroundReport>().id, std::uint64_t(2));
        QCOMPARE(finished[0][0].value<search::BackgroundReport>().depth, 3);
        for (const QList<QVariant>& r : iterated)
            QCOMPARE(r[0].value<search::BackgroundReport>().id, std::uint64_t(2));
    }

    void theMenuStandsBetweenKifuAndOption()
    {
        Window w;
        QStringList titles;
        for (QAction* a : w.form->menuBar()->actions())
            if (a->menu())
                titles << a->menu()->objectName();
        const int kifu = static_cast<int>(titles.indexOf(QLatin1String(menu::KIFU)));
        QCOMPARE(titles.indexOf(QLatin1String(menu::KENTOU)), kifu + 1);
        QCOMPARE(titles.indexOf(QLatin1String(menu::OPTION)), kifu + 2);
        QMenu* kentou = w.form->findChild<QMenu*>(QLatin1String(menu::KENTOU));
        QStringList items;
        for (QAction* a : kentou->actions())
            items << a->objectName();
        QCOMPARE(items,
            QStringList({ QLatin1String(menu::HINT), QLatin1String(menu::EVAL_SHOW),
                QLatin1String(menu::KIFU_ANALYSE), QLatin1String(menu::ANALYSIS_COPY) }));
        QVERIFY(w.action(menu::EVAL_SHOW)->isCheckable());
    }

    void theEvaluationAndTheHintShowBesideTheBoard()
    {
        Window w;
        w.form->game().START_Click(); // two people
        AnalysisOverlay* overlay = w.form->analysisView().overlay();
        w.action(menu::EVAL_SHOW)->trigger();
        QVERIFY(w.action(menu::EVAL_SHOW)->isChecked());
        QTRY_VERIFY(overlay->evaluation().startsWith(QStringLiteral("評価値 ")));

        w.action(menu::HINT)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(overlay->hint().startsWith(QStringLiteral("ﾋﾝﾄ ")), 10000);
        // The hint never plays its move.
        QCOMPARE(w.form->game().state().記録手数, 0);
        // A move ends the hint and the evaluation of the position before it.
        w.press(1, 5);
        w.press(1, 4);
        QCOMPARE(w.form->game().state().記録手数, 1);
        QVERIFY(overlay->hint().isEmpty());
        QTRY_VERIFY(overlay->evaluation().startsWith(QStringLiteral("評価値 ")));

        // Switched off, and kept off for the next start.
        w.action(menu::EVAL_SHOW)->trigger();
        QVERIFY(overlay->evaluation().isEmpty());
        const QtPreferences kept(w.dir.filePath(QStringLiteral("zr-torishogi.conf")).toStdString());
        QCOMPARE(kept.value("analysis/show_evaluation", ""), std::string("0"));
    }

    void anAnalysedGameGetsItsGraphAndAClickOnItSteps()
    {
        Window w;
        w.form->game().START_Click();
        w.press(1, 5);
        w.press(1, 4);
        w.press(7, 3);
        w.press(7, 4);
        w.press(2, 5);
        w.press(2, 4);
        w.form->game().records().REPLAY_Click(); // the game stops
        QCOMPARE(w.form->game().state().手番, -1);
        w.form->analysis().fixedDepth = 2;
        // The time asked for: 0.3 s.
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (QAbstractButton* b : box->buttons())
                if (b->text() == QStringLiteral("0.3秒"))
                    b->click();
        });
        w.action(menu::KIFU_ANALYSE)->trigger();
        AnalysisDock& dock = w.form->analysisDock();
        QTRY_VERIFY(dock.isVisible());
        QCOMPARE(dock.shownPoints().size(), size_t(4));
        QVERIFY(w.action(menu::KIFU_LIST)->isChecked());

        // A click on the graph where move 1 stands goes to that position.
        QChartView* view = dock.chartView();
        const QPointF inChart = view->chart()->mapToPosition(QPointF(1, 0));
        const QPoint at = view->mapFromScene(view->chart()->mapToScene(inChart));
        QCOMPARE(dock.positionAt(at), 1);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(w.form->game().state().記録手数, 1);

        w.action(menu::ANALYSIS_COPY)->trigger();
        const QString copied = QApplication::clipboard()->text();
        QCOMPARE(copied.count(QLatin1Char('\n')), 3);
        QVERIFY(copied.startsWith(QStringLiteral("1\t▲")));
    }
};

QTEST_MAIN(AnalysisWindowTest)
#include "test_analysis_window.moc"
