// The window at every size: it opens at 100, 150 or 200 % of its design size
// as the screen allows, scales its drawing and the record panel uniformly when
// resized, takes presses on the right squares at every scale, and redraws
// sharp when it moves to a screen of another pixel ratio. Runs on an offscreen
// platform of two screens of 1600 × 1200, the second of pixel ratio 2.
#include "display/art/art.h"
#include "display/qt/qt_surface.h"
#include "game/qt/drawing_area.h"
#include "game/qt/form1.h"
#include "platform/menu_names.h"
#include "record/qt/record_panel.h"
#include "support/fakes.h"
#include "support/images.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <memory>

using namespace tori;

namespace {

// One window as the program starts it, over a fresh settings folder.
struct Window {
    Window()
    {
        Form1Setup setup;
        setup.settingsPath = dir.filePath(QStringLiteral("ZR鳥将棋.ini")).toStdString();
        setup.boxes = &boxes;
        setup.quit = [] {};
        form = std::make_unique<Form1>(sounds, setup);
        form->show();
        form->game().Form_Load();
    }
    // Gives the drawing area a size, and lays the drawing out for it at once.
    void resizeArea(QSize size)
    {
        form->resize(size.width(), size.height() + (form->height() - form->area().height()));
        QTRY_COMPARE(form->area().size(), size);
        form->area().rescaleNow();
    }
    // Where the centre of board cell (col, row) lies in the area.
    QPoint cellCentre(int col, int row) const
    {
        const DrawingArea& a = form->area();
        const QPointF design(
            tori::testing::gridX(col + 0.5) / 15, tori::testing::gridY(row + 0.5) / 15);
        return (a.origin() + design * a.scale()).toPoint();
    }

    QTemporaryDir dir;
    tori::testing::RecordingSounds sounds;
    tori::testing::ScriptedMessageBoxes boxes;
    std::unique_ptr<Form1> form;
};

const QSize design(600, 456);

} // namespace

class ScalingTest : public QObject {
    Q_OBJECT

private slots:
    void startScaleFitsEightyPercentOfTheScreen_data()
    {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<double>("scale");
        // The window at 100 % is 600 × 487 pixels, frame and menu included.
        QTest::newRow("small laptop") << QSize(1024, 738) << 1.0;
        QTest::newRow("too small even for 100 %") << QSize(640, 480) << 1.0;
        QTest::newRow("1280 x 1024") << QSize(1280, 1024) << 1.5;
        QTest::newRow("full HD") << QSize(1920, 1050) << 1.5;
        QTest::newRow("just short of 200 %") << QSize(1500, 1217) << 1.5;
        QTest::newRow("just 200 %") << QSize(1500, 1218) << 2.0;
        QTest::newRow("2560 x 1600") << QSize(2560, 1560) << 2.0;
        QTest::newRow("4K") << QSize(3840, 2100) << 2.0;
    }

    void startScaleFitsEightyPercentOfTheScreen()
    {
        QFETCH(QSize, available);
        QFETCH(double, scale);
        QCOMPARE(Form1::startScale(QSize(600, 487), available), scale);
    }

    // 1600 × 1200: 200 % (1200 × 974) is too tall for 80 %, 150 % fits.
    void opensAtOneHundredAndFiftyPercentHere()
    {
        Window w;
        QCOMPARE(w.form->area().size(), design * 1.5);
        QCOMPARE(w.form->area().scale(), 1.5);
        QCOMPARE(w.form->surface().scale(), 1.5);
        QCOMPARE(w.form->surface().image().size(), design * 1.5);
        // Loading a record runs start-up again; the window keeps its size.
        w.resizeArea(QSize(700, 700));
        w.form->game().Form_Load();
        QCOMPARE(w.form->area().size(), QSize(700, 700));
        QVERIFY(w.form->minimumSizeHint().width() >= design.width());
        QVERIFY(!w.form->isMaximized() && w.form->maximumWidth() > 4000);
    }

    void pressesMapBackThroughTheScale_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPointF>("twips");
        QTest::newRow("100 %") << QSize(600, 456) << QPoint(103, 294) << QPointF(1545, 4410);
        QTest::newRow("200 %") << QSize(1200, 912) << QPoint(206, 588) << QPointF(1545, 4410);
        QTest::newRow("150 %") << QSize(900, 684) << QPoint(155, 441) << QPointF(1550, 4410);
        // Wider than the drawing: 200 %, 150 pixels of ground left and right.
        QTest::newRow("wide") << QSize(1500, 912) << QPoint(356, 588) << QPointF(1545, 4410);
        // Taller: 100 %, 100 pixels above and below.
        QTest::newRow("tall") << QSize(600, 656) << QPoint(103, 394) << QPointF(1545, 4410);
        QTest::newRow("in the ground") << QSize(1500, 912) << QPoint(75, 10) << QPointF(-562.5, 75);
    }

    void pressesMapBackThroughTheScale()
    {
        QFETCH(QSize, area);
        QFETCH(QPoint, press);
        QFETCH(QPointF, twips);
        DrawingArea a;
        a.setDesignSize(design);
        a.resize(area);
        QPointF got(-1e9, -1e9);
        a.mouseDown = [&](int, int, double x, double y) { got = QPointF(x, y); };
        a.show();
        QTest::mousePress(&a, Qt::LeftButton, {}, press);
        QCOMPARE(got, twips);
    }

    // A game between two people at several sizes: presses on the lower
    // pieces select the square under the pointer.
    void pressesLandOnTheRightSquares_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QSize>("drawn"); // the picture's size, in whole pixels
        QTest::newRow("100 %") << design << design;
        QTest::newRow("150 %") << design * 1.5 << QSize(900, 684);
        QTest::newRow("200 %") << design * 2 << QSize(1200, 912);
        QTest::newRow("wide 175 %") << QSize(1400, 798) << QSize(1050, 798);
        QTest::newRow("tall 120 %") << QSize(720, 900) << QSize(720, 548); // 547.2 high
    }

    void pressesLandOnTheRightSquares()
    {
        QFETCH(QSize, area);
        QFETCH(QSize, drawn);
        Window w;
        w.resizeArea(area);
        const GameState& g = w.form->game().state();
        w.form->findChild<QAction*>(QString::fromLatin1(menu::START))->trigger();
        for (const auto& [col, row] : { std::pair { 3, 7 }, { 4, 6 }, { 1, 5 }, { 7, 7 } }) {
            QTest::mousePress(&w.form->area(), Qt::LeftButton, {}, w.cellCentre(col, row));
            QCOMPARE(g.選択状態, 1);
            QCOMPARE(g.選択列, col);
            QCOMPARE(g.選択段, row);
        }
        // The picture is drawn for the area's size, not stretched.
        QCOMPARE(w.form->surface().image().size(), drawn);
    }

    void theRecordPanelScalesWithTheDrawing()
    {
        Window w;
        w.resizeArea(QSize(1400, 912)); // 200 %, 100 pixels of ground left and right
        w.form->findChild<QAction*>(QString::fromLatin1(menu::KIFU_WRITE))->trigger();
        auto* command1 = w.form->panel().findChild<QPushButton*>(QStringLiteral("Command1"));
        QVERIFY(command1 && command1->isVisible());
        // "RETURN" at 3360, 3000 twips, 855 × 375: 224, 200, 57 × 25 pixels at 100 %.
        QCOMPARE(command1->geometry(), QRect(448, 400, 114, 50));
        QCOMPARE(w.form->panel().pos(), QPoint(100, 0));
        QCOMPARE(command1->font().pointSizeF(), 18.0);
        w.resizeArea(design);
        QCOMPARE(command1->geometry(), QRect(224, 200, 57, 25));
        QCOMPARE(command1->font().pointSizeF(), 9.0);
    }

    // While a resize settles, the picture drawn for the old size is shown
    // stretched: the background goes on around it (not the plain green), and
    // an open record panel has already moved and grown with it.
    void whileAResizeSettlesTheGroundAndThePanelFollowThePicture()
    {
        Window w;
        w.resizeArea(design);
        w.form->findChild<QAction*>(QString::fromLatin1(menu::UCHU))->trigger();
        w.form->findChild<QAction*>(QString::fromLatin1(menu::KIFU_WRITE))->trigger();
        auto* command1 = w.form->panel().findChild<QPushButton*>(QStringLiteral("Command1"));
        QVERIFY(command1 && command1->isVisible());

        const QSize area(1400, 912); // 200 %, 100 pixels of ground left and right
        w.form->resize(area.width(), area.height() + (w.form->height() - w.form->area().height()));
        QTRY_COMPARE(w.form->area().size(), area);
        const QImage shot = w.form->area().grab().toImage();
        QCOMPARE(w.form->surface().image().size(), design); // not drawn anew yet
        QCOMPARE(w.form->panel().pos(), QPoint(100, 0));
        QCOMPARE(command1->geometry(), QRect(448, 400, 114, 50));
        int green = 0;
        for (int y = 0; y < area.height(); y += 8)
            for (int x = 0; x < 100; x += 4)
                green += shot.pixel(x, y) == qRgb(0, 128, 0);
        QCOMPARE(green, 0);
    }

    void theRecordPanelOpensInTheDocumentsFolder()
    {
        Window w;
        QCOMPARE(QString::fromStdString(w.form->panel().directory()),
            QDir::cleanPath(qEnvironmentVariable("XDG_DOCUMENTS_DIR")));
        QVERIFY(w.form->panel().directory() != QDir::currentPath().toStdString());
    }

    void movingToAScreenOfAnotherRatioRedrawsSharp()
    {
        const QList<QScreen*> screens = QGuiApplication::screens();
        QCOMPARE(screens.size(), 2);
        QCOMPARE(screens[1]->devicePixelRatio(), 2.0);
        Window w;
        QCOMPARE(w.form->surface().devicePixelRatio(), 1.0);
        const double scale = w.form->area().scale();
        w.form->windowHandle()->setScreen(screens[1]);
        w.form->move(screens[1]->geometry().topLeft() + QPoint(20, 20));
        QTRY_COMPARE(w.form->devicePixelRatioF(), 2.0);
        QTRY_COMPARE(w.form->surface().devicePixelRatio(), 2.0);
        QCOMPARE(w.form->surface().scale(), scale);
        QCOMPARE(w.form->surface().image().size(), design * scale * 2);
        // The pieces are drawn for the new ratio: the lower phoenix at three
        // device pixels to a pixel of its picture, inside its square's outline
        // (one pixel of the design: three device pixels wide).
        const QtSurface& surface = w.form->surface();
        const int left = surface.devicePixel(tori::testing::gridX(4));
        const int top = surface.devicePixel(tori::testing::gridY(7));
        const QRect square(left, top, surface.devicePixel(tori::testing::gridX(5)) - left,
            surface.devicePixel(tori::testing::gridY(8)) - top);
        QCOMPARE(square.size(), QSize(99, 123)); // 33 × 41 at 150 % on ratio 2
        const QRect inside(3, 3, 96, 120);
        QImage shown = surface.image().copy(inside.translated(square.topLeft()));
        shown.setDevicePixelRatio(1);
        const std::string differs = tori::testing::imageDifference(
            shown, art::picture("SITA_OU", 3).copy(inside), "SITA_OU at 3x");
        QVERIFY2(differs.empty(), differs.c_str());
    }
};

QTEST_MAIN(ScalingTest)
#include "test_scaling.moc"
