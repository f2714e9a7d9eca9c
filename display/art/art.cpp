#include "display/art/art.h"

#include "display/art/texture.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <deque>
#include <numbers>

namespace tori::art {

namespace {

    constexpr double pi = std::numbers::pi;

    QString mincho_family = QStringLiteral("IPAMincho");
    QString proportional_family = QStringLiteral("IPAPMincho");

    // Every texture has its own seed, so that changing one picture leaves the
    // others as they were.
    enum Seed : std::uint32_t {
        seed_wood = 7101,
        seed_midori = 7201,
        seed_tatami = 7301,
        seed_take = 7401,
        seed_uchu = 7501,
        seed_renga = 7601,
    };

    // ---------------------------------------------------------------- the wood

    // Straight-grained wood, the grain running down the board from player to
    // player. It repeats every cell in both directions, so empty squares and the
    // ground under the pieces read as one board.
    QImage wood_texture(Scale scale);

    // Every piece stands on the same wood: it is drawn once for each scale and
    // kept for the last few scales asked for.
    QImage wood(Scale scale)
    {
        struct Kept {
            double x, y;
            QImage image;
        };
        static std::deque<Kept> kept;
        for (const Kept& k : kept)
            if (k.x == scale.x && k.y == scale.y)
                return k.image;
        kept.push_front({ scale.x, scale.y, wood_texture(scale) });
        if (kept.size() > 8)
            kept.pop_back();
        return kept.front().image;
    }

    QImage wood_texture(Scale scale)
    {
        Random random(seed_wood);
        const PeriodicNoise1D sway(random, 3, cell_height);
        const PeriodicNoise1D spacing(random, 5, cell_width);
        const PeriodicNoise1D strength(random, 11, cell_width);
        const PeriodicNoise1D hair(random, cell_width * 2, cell_width);
        const PeriodicNoise2D tone(random, 3, 3, cell_width, cell_height);
        const PeriodicNoise2D fibre(
            random, cell_width * 2, cell_height / 4, cell_width, cell_height);
        const Rgb light = rgb(226, 176, 102);
        const Rgb dark = rgb(170, 108, 46);
        constexpr int lines = 7;

        return rasterise(
            cell_width, cell_height, scale,
            [&](double x, double y) {
                // Straight grain: the lines lean and wander only a little.
                const double u = x + 0.45 * sway(y);
                const double phase = u / cell_width * lines + 0.5 * spacing(u);
                const double ridge = std::pow(0.5 + 0.5 * std::cos(2 * pi * phase), 6.0);
                const double grain = ridge * (0.6 + 0.4 * strength(u));
                const double t
                    = 0.62 * grain + 0.10 * std::max(0.0, hair(u)) + 0.05 * fibre(x, y) + 0.08;
                return scaled(mix(light, dark, t), 1.0 + 0.03 * tone(x, y));
            },
            cell_width);
    }

    // ---------------------------------------------------------------- the pieces

    const QColor ink(24, 16, 10);
    const QColor vermilion(196, 22, 18);

    enum class Strokes { normal, dense };

    // Draws one character in the Mincho face, its strokes centred on `centre`
    // (cell coordinates), in device pixels so that the font's vertical hinting can
    // line the horizontal strokes up with the pixel rows. The hairlines of a Mincho
    // face would fade out at the size of a board square; a second impression a
    // little to the right thickens the verticals instead. A character of many
    // strokes would run into one dark patch that way at the size of the normal
    // pictures: there it is drawn once, a little larger and fully hinted, so that
    // every stroke keeps a pixel of its own.
    void draw_character(QPainter& painter, const QString& character, double pixel_size,
        QPointF centre, const QColor& colour, Scale scale, const QString& family = mincho_family,
        Strokes strokes = Strokes::normal)
    {
        const bool crowded = strokes == Strokes::dense && scale.y < 1.5;
        QFont font(family);
        font.setPixelSize(
            static_cast<int>(std::lround((crowded ? pixel_size * 12 / 11 : pixel_size) * scale.y)));
        font.setHintingPreference(
            crowded ? QFont::PreferFullHinting : QFont::PreferVerticalHinting);
        QPainterPath glyph;
        glyph.addText(0, 0, font, character);
        const QPointF middle = glyph.boundingRect().center();
        const QPointF origin(std::round(centre.x() * scale.x - middle.x()),
            std::round(centre.y() * scale.y - middle.y()));
        painter.save();
        painter.resetTransform();
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(origin, character);
        if (!crowded)
            painter.drawText(origin + QPointF(0.4 * scale.x, 0), character);
        painter.restore();
    }

    void draw_plate(QPainter& painter)
    {
        const QPainterPath outline = plate_outline();

        // A soft shadow nearly all round, so that the plate stands on the wood
        // without a strong direction of light, which would look wrong on the
        // turned-round upper pieces.
        for (int i = 3; i >= 1; --i) {
            painter.setPen(
                QPen(QColor(70, 40, 10, 34), i * 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(outline.translated(0, 0.5));
        }

        QLinearGradient face(0, 1.6, 0, 39.2);
        face.setColorAt(0.0, QColor(253, 246, 224));
        face.setColorAt(0.6, QColor(248, 237, 204));
        face.setColorAt(1.0, QColor(240, 225, 186));
        painter.setBrush(face);
        painter.setPen(QPen(QColor(128, 86, 40), 0.8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawPath(outline);
    }

} // namespace

const std::vector<PieceFace>& piece_faces()
{
    static const std::vector<PieceFace> faces = {
        { "HU_0", QStringLiteral("燕"), false, Bird::swallow },
        { "HU_1", QStringLiteral("鴈"), true, Bird::goose },
        { "KEI", QStringLiteral("雉"), false, Bird::pheasant },
        { "GIN_0", QStringLiteral("鷹"), false, Bird::falcon, true },
        { "GIN_1", QStringLiteral("鷲"), true, Bird::eagle, true },
        { "KIN", QStringLiteral("鶴"), false, Bird::crane },
        { "KAKU", QStringLiteral("左鶉"), false, Bird::left_quail },
        { "SYA", QStringLiteral("右鶉"), false, Bird::right_quail },
        { "OU", QStringLiteral("鵬"), false, Bird::phoenix },
    };
    return faces;
}

const std::vector<BackgroundInfo>& backgrounds()
{
    static const std::vector<BackgroundInfo> list = {
        { Background::midori, "HAIKEI_MIDORI" },
        { Background::tatami, "HAIKEI_TATAMI" },
        { Background::take, "HAIKEI_TAKE" },
        { Background::uchu, "HAIKEI_UCHU" },
        { Background::renga, "HAIKEI_RENGA" },
    };
    return list;
}

bool load_fonts()
{
    const char* files[] = { "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf",
        "/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf" };
    bool ok = true;
    for (const char* file : files) {
        const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(file));
        if (id < 0) {
            ok = false;
            continue;
        }
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (families.isEmpty())
            continue;
        if (QString::fromUtf8(file).endsWith("ipamp.ttf"))
            proportional_family = families.first();
        else
            mincho_family = families.first();
    }
    return ok;
}

QPainterPath plate_outline()
{
    QPainterPath path;
    path.moveTo(16.5, 1.6);
    path.lineTo(27.6, 7.4);
    path.lineTo(30.0, 39.2);
    path.lineTo(3.0, 39.2);
    path.lineTo(5.4, 7.4);
    path.closeSubpath();
    return path;
}

QImage empty_square(Scale scale) { return wood(scale); }

QImage piece(const PieceFace& face, bool upper, Scale scale, PieceSet set)
{
    QImage image = wood(scale);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale.x, scale.y);
        draw_plate(painter);

        if (set == PieceSet::pictures) {
            draw_bird(painter, face.bird);
        } else if (face.kanji.size() == 1) {
            draw_character(painter, face.kanji, 22, { 16.5, 24.0 }, face.promoted ? vermilion : ink,
                scale, mincho_family, face.dense ? Strokes::dense : Strokes::normal);
        } else {
            // The quails carry two characters stacked: the small red side mark
            // above, the bird below keeping most of the room.
            draw_character(painter, face.kanji.left(1), 12, { 16.5, 14.0 }, vermilion, scale);
            draw_character(painter, face.kanji.mid(1, 1), 18, { 16.5, 29.0 }, ink, scale);
        }
    }
    return upper ? image.mirrored(true, true) : image;
}

// ---------------------------------------------------------------- backgrounds

namespace {

    QImage midori(Scale scale)
    {
        Random random(seed_midori);
        const PeriodicNoise2D felt(
            random, cell_width * 2, cell_height * 2, cell_width, cell_height);
        const PeriodicNoise2D cloud(random, 3, 4, cell_width, cell_height);
        return rasterise(
            tile_width, cell_height, scale,
            [&](double x, double y) {
                const double v = 0.020 * felt(x, y) + 0.012 * cloud(x, y);
                return Rgb { 0.0, 128 / 255.0 + v, 0.01 + 0.4 * v };
            },
            cell_width);
    }

    // Rows of rush running across the mat, held by warp threads that run down it:
    // fine ribs in bays between the threads, each bay of each row a little lighter
    // or darker as the rush was woven over or under.
    QImage tatami(Scale scale)
    {
        Random random(seed_tatami);
        constexpr int rows = 20;
        constexpr int bays = 6;
        double weave[rows][bays];
        for (auto& row : weave)
            for (double& s : row)
                s = random.uniform(-1, 1);
        const PeriodicNoise2D streak(random, 5, rows * 2, cell_width, cell_height);
        const PeriodicNoise2D age(random, 3, 3, cell_width, cell_height);
        const Rgb straw = rgb(206, 192, 122);
        const Rgb green = rgb(160, 168, 92);

        return rasterise(
            tile_width, cell_height, scale,
            [&](double x, double y) {
                const double row_height = double(cell_height) / rows;
                const double bay_width = double(cell_width) / bays;
                const int row = std::min(rows - 1, static_cast<int>(y / row_height));
                const int bay = std::min(bays - 1, static_cast<int>(x / bay_width));
                const double t = y / row_height - row;
                const double rib = std::pow(std::sin(pi * t), 0.7);
                // Over-and-under: the weave alternates from bay to bay and row to row.
                const double over = ((row + bay) % 2) ? 0.04 : -0.04;
                Rgb c = mix(straw, green, 0.45 + 0.08 * age(x, y) + 0.10 * weave[row][bay]);
                c = scaled(c, 0.78 + 0.24 * rib + over + 0.05 * streak(x, y));
                // The warp thread pinches the rush into a faint dent.
                const double into_bay = x - bay * bay_width;
                const double thread = std::min(into_bay, bay_width - into_bay);
                return scaled(c, 1.0 - 0.16 * std::exp(-thread * thread / 0.3));
            },
            cell_width);
    }

    // A fence of green bamboo canes standing side by side.
    QImage take(Scale scale)
    {
        Random random(seed_take);
        struct Cane {
            double left, width, node;
        };
        const Cane canes[] = { { 0.4, 15.6, 11.0 }, { 16.9, 15.6, 31.0 } };
        const PeriodicNoise1D fibre(random, cell_width * 3, cell_width);
        const PeriodicNoise2D mottle(random, 3, 5, cell_width, cell_height);
        const Rgb cane_colour = rgb(104, 146, 56);
        const Rgb gap_colour = rgb(22, 40, 14);

        return rasterise(
            tile_width, cell_height, scale,
            [&](double x, double y) {
                for (const Cane& cane : canes) {
                    const double t = (x - cane.left) / cane.width;
                    if (t < 0 || t > 1)
                        continue;
                    // Round cane: dark at the rims, a highlight left of the middle.
                    const double round = std::pow(std::sin(pi * t), 0.55);
                    const double shine = std::exp(-std::pow((t - 0.32) / 0.11, 2));
                    Rgb c = scaled(
                        cane_colour, 0.42 + 0.58 * round + 0.04 * mottle(x, y) + 0.04 * fibre(x));
                    c = mix(c, rgb(214, 228, 160), 0.38 * shine);
                    // The node: a dark groove with a light ridge above it.
                    const double d = y - cane.node;
                    const double groove = std::exp(-d * d / 0.35);
                    const double ridge = std::exp(-std::pow(d + 1.3, 2) / 0.8);
                    c = scaled(c, 1.0 - 0.55 * groove);
                    c = mix(c, rgb(214, 226, 150), 0.35 * ridge * round);
                    return c;
                }
                return gap_colour;
            },
            cell_width);
    }

    // The night sky: faint haze and a scatter of stars of several sizes and hues.
    QImage uchu(Scale scale)
    {
        Random random(seed_uchu);
        struct Star {
            double x, y, radius, brightness;
            Rgb hue;
            bool spikes;
        };
        std::vector<Star> stars;
        const Rgb hues[] = { rgb(255, 255, 255), rgb(200, 215, 255), rgb(255, 236, 200),
            rgb(255, 255, 255), rgb(255, 210, 190) };
        for (int i = 0; i < 14; ++i) {
            Star s;
            s.x = random.uniform(0, cell_width);
            s.y = random.uniform(0, cell_height);
            s.radius = random.uniform(0.22, 0.42);
            s.brightness = random.uniform(0.45, 1.0);
            s.hue = hues[random.below(5)];
            s.spikes = false;
            stars.push_back(s);
        }
        stars[0].radius = 0.55;
        stars[0].brightness = 1.0;
        stars[0].spikes = true;
        const PeriodicNoise2D haze(random, 3, 4, cell_width, cell_height);

        return rasterise(
            tile_width, cell_height, scale,
            [&](double x, double y) {
                const double h = std::max(0.0, haze(x, y));
                Rgb c = { 0.010 + 0.012 * h, 0.010 + 0.006 * h, 0.030 + 0.025 * h };
                for (const Star& s : stars) {
                    const double dx = wrapped_distance(x, s.x, cell_width);
                    const double dy = wrapped_distance(y, s.y, cell_height);
                    // A star is a point of light: its brightness is what a whole
                    // pixel of the 1x picture gathers, not the peak of its blur.
                    const double gain = std::min(4.0, 1.0 / (2 * pi * s.radius * s.radius));
                    double light = gain * s.brightness
                        * std::exp(-(dx * dx + dy * dy) / (2 * s.radius * s.radius));
                    if (s.spikes) {
                        light += 0.5 * std::exp(-dy * dy / 0.04) * std::exp(-dx / 1.2);
                        light += 0.5 * std::exp(-dx * dx / 0.04) * std::exp(-dy / 1.2);
                    }
                    c = mix(c, s.hue, std::min(1.0, light));
                }
                return c;
            },
            cell_width);
    }

    // Running bond: four courses to a tile, each brick as long as a tile, every
    // other course shifted by half a brick.
    QImage renga(Scale scale)
    {
        Random random(seed_renga);
        const double course_top[] = { 0, 10, 20, 31, 41 };
        const double joint[] = { 0, 16, 0, 17 };
        const Rgb brick_colours[]
            = { rgb(168, 74, 48), rgb(150, 62, 42), rgb(182, 90, 58), rgb(160, 80, 52) };
        const PeriodicNoise2D grit(
            random, cell_width * 2, cell_height * 2, cell_width, cell_height);
        const PeriodicNoise2D patch(random, 6, 8, cell_width, cell_height);
        const Rgb mortar = rgb(184, 176, 160);
        constexpr double joint_width = 1.4;

        return rasterise(
            tile_width, cell_height, scale,
            [&](double x, double y) {
                int course = 0;
                while (course < 3 && y >= course_top[course + 1])
                    ++course;
                const double from_top = y - course_top[course];
                const double from_bottom = course_top[course + 1] - y;
                const double from_joint = std::fmod(x - joint[course] + 2 * cell_width, cell_width);
                const double to_joint = cell_width - from_joint;
                if (from_top < joint_width || from_joint < joint_width)
                    return scaled(mortar, 0.93 + 0.07 * grit(x * 1.7, y * 1.3));
                Rgb c = scaled(brick_colours[course], 1.0 + 0.09 * grit(x, y) + 0.06 * patch(x, y));
                // Light catches the upper edge of each brick; the lower one is in shade.
                if (from_top < joint_width + 0.9)
                    c = scaled(c, 1.12);
                if (from_bottom < 0.9 || to_joint < 0.9)
                    c = scaled(c, 0.82);
                return c;
            },
            cell_width);
    }

} // namespace

QImage background(Background kind, Scale scale)
{
    switch (kind) {
    case Background::midori:
        return midori(scale);
    case Background::tatami:
        return tatami(scale);
    case Background::take:
        return take(scale);
    case Background::uchu:
        return uchu(scale);
    case Background::renga:
        return renga(scale);
    }
    return {};
}

// ---------------------------------------------------------------- the title

QImage title_plate(Scale scale)
{
    QImage image(device_size(title_width, title_height, scale), QImage::Format_RGB32);
    image.fill(QColor(120, 84, 44));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale.x, scale.y);

    QLinearGradient face(0, 0, 0, title_height);
    face.setColorAt(0.0, QColor(250, 241, 214));
    face.setColorAt(1.0, QColor(236, 219, 178));
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawRect(QRectF(1, 1, title_width - 2, title_height - 2));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(150, 108, 58), 0.8));
    painter.drawRect(QRectF(3.5, 3.5, title_width - 7, title_height - 7));

    draw_character(painter, QStringLiteral("ZR鳥将棋"), 27,
        { title_width / 2.0, title_height / 2.0 }, ink, scale, proportional_family);
    painter.end();
    return image;
}

std::vector<Asset> all_assets(int scale)
{
    std::vector<Asset> assets;
    for (bool upper : { false, true })
        for (const PieceFace& face : piece_faces())
            assets.push_back(
                { QString(upper ? "UE_" : "SITA_") + face.name, piece(face, upper, scale) });
    assets.push_back({ "KARA_MASU", empty_square(scale) });
    for (const BackgroundInfo& b : backgrounds())
        assets.push_back({ b.name, background(b.kind, scale) });
    assets.push_back({ "ZRSHOGI", title_plate(scale) });
    return assets;
}

std::vector<Asset> bird_assets(int scale)
{
    std::vector<Asset> assets;
    for (bool upper : { false, true })
        for (const PieceFace& face : piece_faces())
            assets.push_back({ QString(upper ? "E_UE_" : "E_SITA_") + face.name,
                piece(face, upper, scale, PieceSet::pictures) });
    return assets;
}

QImage picture(const QString& name, Scale scale, PieceSet pieces)
{
    if (name == "KARA_MASU")
        return empty_square(scale);
    if (name == "ZRSHOGI")
        return title_plate(scale);
    for (const BackgroundInfo& b : backgrounds())
        if (name == b.name)
            return background(b.kind, scale);
    for (bool upper : { false, true })
        for (const PieceFace& face : piece_faces())
            if (name == QString(upper ? "UE_" : "SITA_") + face.name)
                return piece(face, upper, scale, pieces);
    return {};
}

} // namespace tori::art
