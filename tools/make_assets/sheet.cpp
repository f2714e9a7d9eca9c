#include "sheet.h"

#include "display/art/art.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QMap>
#include <QPainter>

#include <cmath>
#include <cstdio>

namespace tori::art {

namespace {

    class Store {
    public:
        Store(const QString& folder, int scale)
            : scale_(scale)
        {
            const QString suffix = scale == 2 ? "@2x.png" : ".png";
            for (const QString& file : QDir(folder).entryList({ "*" + suffix }, QDir::Files)) {
                if (scale == 1 && file.endsWith("@2x.png"))
                    continue;
                // Qt reads a name@2x.png as a picture of half the size; the sheets
                // are laid out in device pixels.
                QImage image(QDir(folder).filePath(file));
                image.setDevicePixelRatio(1);
                pictures_.insert(file.chopped(suffix.size()), image);
            }
        }
        QImage operator[](const QString& name) const { return pictures_.value(name); }
        bool empty() const { return pictures_.isEmpty(); }

        // The picture of a piece code as the board shows it (0 the empty square).
        QImage code(int c) const
        {
            static const QMap<int, QString> names = {
                { 10, "HU_0" },
                { 11, "HU_1" },
                { 30, "KEI" },
                { 100, "GIN_0" },
                { 101, "GIN_1" },
                { 110, "KIN" },
                { 800, "KAKU" },
                { 900, "SYA" },
                { 950, "OU" },
            };
            if (c == 0)
                return (*this)["KARA_MASU"];
            return (*this)[(c > 0 ? "UE_" : "SITA_") + names.value(std::abs(c))];
        }
        int scale() const { return scale_; }

    private:
        QMap<QString, QImage> pictures_;
        int scale_;
    };

    // The window in pixels at the given scale: grid (gx, gy) sits at
    // 1050 + 495 gx, 100 + 615 gy twips, 15 twips a pixel.
    QPointF grid(double gx, double gy, int scale)
    {
        return { std::round((1050 + 495 * gx) / 15.0 * scale),
            std::round((100 + 615 * gy) / 15.0 * scale) };
    }

    void outline(QPainter& p, double gx, double gy, int scale, QColor colour = QColor(0, 128, 0))
    {
        const QPointF a = grid(gx, gy, scale);
        const QPointF b = grid(gx + 1, gy + 1, scale);
        p.fillRect(QRectF(a.x(), a.y(), b.x() - a.x() + scale, scale), colour);
        p.fillRect(QRectF(a.x(), b.y(), b.x() - a.x() + scale, scale), colour);
        p.fillRect(QRectF(a.x(), a.y(), scale, b.y() - a.y() + scale), colour);
        p.fillRect(QRectF(b.x(), a.y(), scale, b.y() - a.y() + scale), colour);
    }

    void count(QPainter& p, int n, double gx, double gy, int scale)
    {
        QFont font("IPAPMincho");
        font.setPixelSize(19 * scale);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(grid(gx + 0.1, gy + 0.3, scale) + QPointF(0, 17 * scale), QString::number(n));
        p.setPen(QColor(255, 0, 0));
        p.drawText(grid(gx, gy + 0.2, scale) + QPointF(0, 17 * scale), QString::number(n));
    }

    // The window after start-up, with a few pieces in hand to show the hand areas.
    QImage board_sheet(const Store& store, const QString& background)
    {
        const int s = store.scale();
        QImage image(600 * s, 487 * s, QImage::Format_RGB32);
        image.fill(QColor(0, 128, 0));
        QPainter p(&image);
        const QImage tile = store[background];
        for (int gx = -3; gx <= 29; ++gx)
            for (int gy = -2; gy <= 19; ++gy)
                if (!(gx >= 1 && gx <= 7 && gy >= 1 && gy <= 7))
                    p.drawImage(grid(gx, gy, s), tile);

        const int start[7][7] = {
            { 900, 30, 110, 950, 110, 30, 800 },
            { 0, 0, 0, 100, 0, 0, 0 },
            { 10, 10, 10, 10, 10, 10, 10 },
            { 0, 0, 10, 0, -10, 0, 0 },
            { -10, -10, -10, -10, -10, -10, -10 },
            { 0, 0, 0, -100, 0, 0, 0 },
            { -800, -30, -110, -950, -110, -30, -900 },
        };
        const int man_hand[6] = { 2, 0, 0, 1, 0, 1 };
        const int man_code[6] = { -10, -30, -110, -100, -800, -900 };
        const int com_hand[6] = { 0, 1, 0, 0, 1, 0 };
        const int com_code[6] = { 10, 30, 110, 100, 800, 900 };
        for (int i = 1; i <= 6; ++i) {
            p.drawImage(grid(9, i + 1, s), store.code(man_hand[i - 1] ? man_code[i - 1] : 0));
            outline(p, 9, i + 1, s);
            if (man_hand[i - 1])
                count(p, man_hand[i - 1], 10, i + 1, s);
            const int k = 7 - i;
            p.drawImage(grid(-1, i, s), store.code(com_hand[k - 1] ? com_code[k - 1] : 0));
            outline(p, -1, i, s);
            if (com_hand[k - 1])
                count(p, com_hand[k - 1], 0, i, s);
        }
        for (int c = 1; c <= 7; ++c)
            for (int r = 1; r <= 7; ++r) {
                p.drawImage(grid(c, r, s), store.code(start[r - 1][c - 1]));
                outline(p, c, r, s);
            }
        p.drawImage(grid(10.8, 0, s), store["ZRSHOGI"]);
        return image;
    }

    QImage magnified(const QImage& image, int factor)
    {
        return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }

    // Every piece and the empty square in a row, with outlines, at 1x magnified
    // four times, and the same from the 2x pictures magnified twice.
    QImage gallery(const Store& one, const Store& two)
    {
        const QStringList names
            = { "HU_0", "HU_1", "KEI", "GIN_0", "GIN_1", "KIN", "KAKU", "SYA", "OU" };
        auto row = [&](const Store& store) {
            const int s = store.scale();
            QImage image((33 * 10 + 1) * s, (41 * 2 + 1) * s, QImage::Format_RGB32);
            image.fill(QColor(0, 128, 0));
            QPainter p(&image);
            for (int side = 0; side < 2; ++side) {
                for (int i = 0; i <= names.size(); ++i) {
                    const QImage pic = i == names.size()
                        ? store["KARA_MASU"]
                        : store[(side ? "UE_" : "SITA_") + names[i]];
                    p.drawImage(QPoint(33 * i * s, 41 * side * s), pic);
                    p.setPen(QPen(QColor(0, 128, 0), s));
                }
            }
            for (int i = 0; i <= 10; ++i)
                p.fillRect(33 * i * s, 0, s, image.height(), QColor(0, 128, 0));
            for (int j = 0; j <= 2; ++j)
                p.fillRect(0, 41 * j * s, image.width(), s, QColor(0, 128, 0));
            return image;
        };
        const QImage a = magnified(row(one), 4);
        const QImage b = magnified(row(two), 2);
        QImage image(a.width(), a.height() + b.height() + 8, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.drawImage(0, 0, a);
        p.drawImage(0, a.height() + 8, b);
        return image;
    }

    // Each background laid 4 x 3 times as the window lays it (every 33 pixels
    // across, so neighbours overlap by one column), magnified three times.
    QImage tiles(const Store& store)
    {
        const int s = store.scale();
        const int w = 33 * 4 + 1, h = 41 * 3;
        QImage image((w + 6) * 5 * s, h * s, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        int n = 0;
        for (const BackgroundInfo& b : backgrounds()) {
            const QImage tile = store[b.name];
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 3; ++j)
                    p.drawImage(QPoint(((w + 6) * n + 33 * i) * s, 41 * j * s), tile);
            ++n;
        }
        return magnified(image, s == 1 ? 3 : 2);
    }

    bool save(const QImage& image, const QString& folder, const QString& name)
    {
        const QString file = QDir(folder).filePath(name);
        if (!image.save(file, "PNG")) {
            std::fprintf(stderr, "make-assets: cannot write %s\n", qPrintable(file));
            return false;
        }
        std::printf("%s\n", qPrintable(file));
        return true;
    }

} // namespace

bool write_sheets(const QString& images, const QString& folder)
{
    load_fonts();
    const Store one(images, 1);
    const Store two(images, 2);
    if (one.empty() || two.empty() || !QDir().mkpath(folder)) {
        std::fprintf(stderr, "make-assets: no pictures in %s\n", qPrintable(images));
        return false;
    }
    bool ok = true;
    for (const BackgroundInfo& b : backgrounds()) {
        const QString base = b.name.mid(7).toLower();
        const QImage small = board_sheet(one, b.name);
        ok = save(small, folder, "board_" + base + ".png") && ok;
        ok = save(board_sheet(two, b.name), folder, "board_" + base + "@2x.png") && ok;
        // The board and both hands, magnified four times.
        const QRect area(
            grid(-1, 1, 1).toPoint() - QPoint(2, 2), grid(11, 8, 1).toPoint() + QPoint(2, 2));
        ok = save(magnified(small.copy(area), 4), folder, "board_" + base + "_x4.png") && ok;
    }
    ok = save(gallery(one, two), folder, "gallery.png") && ok;
    ok = save(tiles(one), folder, "tiles.png") && ok;
    ok = save(tiles(two), folder, "tiles@2x.png") && ok;
    return ok;
}

} // namespace tori::art
