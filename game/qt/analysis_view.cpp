#include "game/qt/analysis_view.h"

#include "display/display.h"
#include "game/qt/drawing_area.h"
#include "platform/surface.h"
#include "platform/translation.h"

#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace tori {

namespace {
    // The hint's own colour, apart from the palette of the board and the
    // move guidance.
    const QColor hintColour(255, 140, 0);
    // Where the texts stand: right of the hands' numbers, below the level and
    // handicap captions, in grid cells of the drawing.
    constexpr double textLeft = 10.9, textTop = 4.3, textRight = 16.1, textBottom = 9.0;

    QString qs(const std::string& s) { return QString::fromStdString(s); }
} // namespace

// ---------------------------------------------------------------------------
// Over the board

AnalysisOverlay::AnalysisOverlay(DrawingArea* area)
    : QWidget(area)
    , area(area)
{
    setObjectName(QStringLiteral("AnalysisOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(area->rect());
    area->installEventFilter(this);
}

bool AnalysisOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == area && event->type() == QEvent::Resize)
        setGeometry(area->rect());
    return false;
}

void AnalysisOverlay::setEvaluation(const QString& text)
{
    if (text == evaluationText)
        return;
    evaluationText = text;
    update();
}

void AnalysisOverlay::setHint(const QString& text, int fromX, int fromY, int toX, int toY)
{
    hintText = text;
    cells[0] = fromX;
    cells[1] = fromY;
    cells[2] = toX;
    cells[3] = toY;
    update();
}

QRectF AnalysisOverlay::cellRect(int gx, int gy) const
{
    const double scale = area->scale() / twipsPerPixel;
    const QPointF o = area->origin();
    return QRectF(o.x() + (盤左 + gx * 桝幅) * scale, o.y() + (盤上 + gy * 桝高) * scale,
        桝幅 * scale, 桝高 * scale);
}

void AnalysisOverlay::paintEvent(QPaintEvent*)
{
    if (evaluationText.isEmpty() && hintText.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = area->scale();
    if (!hintText.isEmpty()) {
        painter.setPen(QPen(hintColour, std::max(2.0, 3 * scale)));
        painter.setBrush(Qt::NoBrush);
        for (int i = 0; i < 4; i += 2) {
            const QRectF r = cellRect(cells[i], cells[i + 1]);
            const double inset = 3 * scale;
            painter.drawRect(r.adjusted(inset, inset, -inset, -inset));
        }
    }
    QFont font(QStringLiteral("IPAPMincho"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(std::max(8, static_cast<int>(std::lround(15 * scale))));
    painter.setFont(font);
    const QRectF topLeft = cellRect(0, 0);
    const double cellW = topLeft.width(), cellH = topLeft.height();
    QRectF box(topLeft.left() + textLeft * cellW, topLeft.top() + textTop * cellH,
        (textRight - textLeft) * cellW, (textBottom - textTop) * cellH);
    // Lines broken between the moves, never inside one.
    const QFontMetricsF metrics(font);
    QStringList lines;
    QList<bool> hintLines;
    auto layOut = [&](const QString& paragraph, bool hint) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(longer) > box.width()) {
                lines.append(line);
                hintLines.append(hint);
                line = word;
            } else
                line = longer;
        }
        lines.append(line);
        hintLines.append(hint);
    };
    if (!hintText.isEmpty())
        layOut(hintText, true);
    for (const QString& paragraph : evaluationText.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        layOut(paragraph, false);
    double y = box.top() + metrics.ascent();
    for (int i = 0; i < lines.size() && y < box.bottom(); ++i) {
        painter.setPen(Qt::black);
        painter.drawText(QPointF(box.left() + scale, y + scale), lines[i]);
        painter.setPen(hintLines[i] ? hintColour : QColor(Qt::white));
        painter.drawText(QPointF(box.left(), y), lines[i]);
        y += metrics.lineSpacing();
    }
}

// ---------------------------------------------------------------------------
// The graph

AnalysisDock::AnalysisDock(QWidget* parent)
    : QDockWidget(QString::fromUtf8(tr_("解析")), parent)
{
    setObjectName(QStringLiteral("AnalysisDock"));
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::RightDockWidgetArea);
    auto* inside = new QWidget(this);
    auto* layout = new QVBoxLayout(inside);
    layout->setContentsMargins(2, 2, 2, 2);
    detail = new QLabel(inside);
    detail->setObjectName(QStringLiteral("AnalysisDetail"));
    detail->setWordWrap(true);
    detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(detail);

    chart = new QChart();
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    line = new QLineSeries(chart);
    doubtful = new QScatterSeries(chart);
    bad = new QScatterSeries(chart);
    blunder = new QScatterSeries(chart);
    here = new QScatterSeries(chart);
    doubtful->setColor(QColor(230, 200, 0));
    bad->setColor(QColor(240, 120, 0));
    blunder->setColor(QColor(220, 0, 0));
    here->setColor(QColor(0, 90, 220));
    for (QScatterSeries* s : { doubtful, bad, blunder })
        s->setMarkerSize(9);
    here->setMarkerSize(13);
    here->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    axisX = new QValueAxis(chart);
    axisY = new QValueAxis(chart);
    axisY->setRange(-2000, 2000);
    axisY->setTickCount(5);
    axisY->setLabelFormat(QStringLiteral("%d"));
    axisX->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    for (QXYSeries* s : std::initializer_list<QXYSeries*> { line, doubtful, bad, blunder, here }) {
        chart->addSeries(s);
        s->attachAxis(axisX);
        s->attachAxis(axisY);
    }
    view = new QChartView(chart, inside);
    view->setObjectName(QStringLiteral("EvaluationGraph"));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(140);
    view->viewport()->installEventFilter(this);
    layout->addWidget(view, 1);
    setWidget(inside);
}

void AnalysisDock::setGraph(const std::vector<EvaluationPoint>& shown, int current)
{
    points = shown;
    QList<QPointF> all, marked[3], at;
    for (size_t i = 0; i < shown.size(); ++i) {
        const QPointF p(shown[i].number, shown[i].value);
        all.append(p);
        if (shown[i].mark == tr_("疑問手"))
            marked[0].append(p);
        else if (shown[i].mark == tr_("悪手"))
            marked[1].append(p);
        else if (shown[i].mark == tr_("大悪手"))
            marked[2].append(p);
        if (static_cast<int>(i) == current)
            at.append(p);
    }
    line->replace(all);
    doubtful->replace(marked[0]);
    bad->replace(marked[1]);
    blunder->replace(marked[2]);
    here->replace(at);
    axisX->setRange(0, std::max(1, shown.empty() ? 1 : shown.back().number));
}

void AnalysisDock::setDetail(const QString& text) { detail->setText(text); }

int AnalysisDock::positionAt(QPointF viewPoint) const
{
    if (points.empty())
        return -1;
    const QPointF value
        = chart->mapToValue(chart->mapFromScene(view->mapToScene(viewPoint.toPoint())));
    const int n = static_cast<int>(std::lround(value.x()));
    return std::clamp(n, points.front().number, points.back().number);
}

bool AnalysisDock::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        const int n = positionAt(press->position());
        if (n >= 0 && positionClicked)
            positionClicked(n);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// The view

QtAnalysisView::QtAnalysisView(QWidget* window, DrawingArea* area, AnalysisDock* dock)
    : window(window)
    , over(new AnalysisOverlay(area))
    , dock(dock)
{
}

void QtAnalysisView::showEvaluation(const std::string& text) { over->setEvaluation(qs(text)); }

void QtAnalysisView::showHint(const std::string& text, int fromX, int fromY, int toX, int toY)
{
    over->setHint(qs(text), fromX, fromY, toX, toY);
}

void QtAnalysisView::showProgress(int done, int total)
{
    if (total <= 0) {
        if (progressDialog) {
            // No cancel from the hiding itself.
            QObject::disconnect(progressDialog, &QProgressDialog::canceled, nullptr, nullptr);
            progressDialog->hide();
            progressDialog->deleteLater();
        }
        return;
    }
    if (!progressDialog) {
        progressDialog = new QProgressDialog(QString::fromUtf8(tr_("棋譜を解析しています")),
            QString::fromUtf8(tr_("中止")), 0, total, window);
        progressDialog->setObjectName(QStringLiteral("AnalysisProgress"));
        progressDialog->setWindowTitle(QString::fromUtf8(tr_("棋譜解析")));
        progressDialog->setWindowModality(Qt::NonModal);
        progressDialog->setMinimumDuration(0);
        progressDialog->setAutoClose(false);
        progressDialog->setAutoReset(false);
        QObject::connect(progressDialog, &QProgressDialog::canceled, progressDialog, [this] {
            if (cancelled)
                cancelled();
        });
    }
    progressDialog->setMaximum(total);
    progressDialog->setValue(done);
    progressDialog->show();
}

void QtAnalysisView::showGraph(const std::vector<EvaluationPoint>& points, int current)
{
    if (points.empty()) {
        dock->setGraph({}, -1);
        dock->hide();
        return;
    }
    dock->setGraph(points, current);
    if (dock->isHidden()) {
        dock->show();
        // Half the height beside the board for the graph, under the move list.
        if (auto* main = qobject_cast<QMainWindow*>(window)) {
            QList<QDockWidget*> docks;
            for (QDockWidget* d : main->findChildren<QDockWidget*>())
                if (d != dock && !d->isHidden()
                    && main->dockWidgetArea(d) == Qt::RightDockWidgetArea)
                    docks.append(d);
            if (!docks.isEmpty()) {
                const int half = main->centralWidget()->height() / 2;
                main->resizeDocks({ docks.front(), dock }, { half, half }, Qt::Vertical);
            }
        }
    }
}

void QtAnalysisView::showDetail(const std::string& text) { dock->setDetail(qs(text)); }

int QtAnalysisView::chooseTenths(int current)
{
    QMessageBox box(window);
    box.setWindowTitle(QString::fromUtf8(tr_("棋譜解析")));
    box.setText(QString::fromUtf8(tr_("1局面あたりの探索時間を選んでください")));
    const int tenths[] = { 3, 10, 30 };
    const char* labels[] = { tr_("0.3秒"), tr_("1秒"), tr_("3秒") };
    QAbstractButton* buttons[3];
    for (int i = 0; i < 3; ++i) {
        buttons[i] = box.addButton(QString::fromUtf8(labels[i]), QMessageBox::AcceptRole);
        if (tenths[i] == current)
            box.setDefaultButton(static_cast<QPushButton*>(buttons[i]));
    }
    box.addButton(QMessageBox::Cancel);
    box.exec();
    for (int i = 0; i < 3; ++i)
        if (box.clickedButton() == buttons[i])
            return tenths[i];
    return 0;
}

} // namespace tori
