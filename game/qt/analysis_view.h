// 検討 in the window: the evaluation line and the hint written beside the
// board with the hint's two cells outlined over the drawing, the analysis
// dock with the graph of a game (Qt Charts) and the analysis of the move on
// the board, the progress of an analysis, and the choice of its time.
#pragma once

#include "platform/analysis_view.h"

#include <QDockWidget>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>

#include <functional>

class QChart;
class QChartView;
class QLabel;
class QLineSeries;

class QScatterSeries;
class QValueAxis;

namespace tori {

class DrawingArea;

// Over the drawing area, transparent to the mouse: the hint's outlines and
// the two texts, placed in twips of the design like the drawing itself.
class AnalysisOverlay : public QWidget {
public:
    explicit AnalysisOverlay(DrawingArea* area);
    void setEvaluation(const QString& text);
    void setHint(const QString& text, int fromX, int fromY, int toX, int toY);
    QString evaluation() const { return evaluationText; }
    QString hint() const { return hintText; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRectF cellRect(int gx, int gy) const;
    DrawingArea* area;
    QString evaluationText, hintText;
    int cells[4] = {};
};

// The analysis dock: the detail of the move on the board over the graph.
class AnalysisDock : public QDockWidget {
public:
    explicit AnalysisDock(QWidget* parent = nullptr);
    void setGraph(const std::vector<EvaluationPoint>& points, int current);
    void setDetail(const QString& text);
    // A click on the graph: the position's number of moves.
    std::function<void(int)> positionClicked;

    QChartView* chartView() const { return view; }
    const std::vector<EvaluationPoint>& shownPoints() const { return points; }
    // The number of moves of the position nearest to a point of the chart view.
    int positionAt(QPointF viewPoint) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* detail;
    QChartView* view;
    QChart* chart;
    QLineSeries* line;
    QScatterSeries* doubtful;
    QScatterSeries* bad;
    QScatterSeries* blunder;
    QScatterSeries* here;
    QValueAxis* axisX;
    QValueAxis* axisY;
    std::vector<EvaluationPoint> points;
};

class QtAnalysisView : public AnalysisView {
public:
    QtAnalysisView(QWidget* window, DrawingArea* area, AnalysisDock* dock);

    void showEvaluation(const std::string& text) override;
    void showHint(const std::string& text, int fromX, int fromY, int toX, int toY) override;
    void showProgress(int done, int total) override;
    void showGraph(const std::vector<EvaluationPoint>& points, int current) override;
    void showDetail(const std::string& text) override;
    int chooseTenths(int current) override;

    // The progress' cancel button.
    std::function<void()> cancelled;
    AnalysisOverlay* overlay() const { return over; }
    QProgressDialog* progress() const { return progressDialog; }

private:
    QWidget* window;
    AnalysisOverlay* over;
    AnalysisDock* dock;
    QPointer<QProgressDialog> progressDialog;
};

} // namespace tori
