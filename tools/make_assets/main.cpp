// make-assets: draws the board pictures and the program's icon into folders.
//
//   make-assets <images> [<icons>]          every picture as <name>.png and <name>@2x.png
//                                           (the pieces drawn as birds as E_<name>),
//                                           the icon as icon-<size>.png and icon.svg
//   make-assets --sheets <images> <folder>  contact sheets of the pictures in <images>
//
// Run it with QT_QPA_PLATFORM=offscreen where there is no display.

#include "display/art/art.h"
#include "sheet.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool make_folder(const QString& folder)
{
    if (QDir().mkpath(folder))
        return true;
    std::fprintf(stderr, "make-assets: cannot create %s\n", qPrintable(folder));
    return false;
}

bool save(const QImage& image, const QString& file)
{
    if (image.save(file, "PNG"))
        return true;
    std::fprintf(stderr, "make-assets: cannot write %s\n", qPrintable(file));
    return false;
}

int write_assets(const QString& folder)
{
    if (!make_folder(folder))
        return 1;
    for (int scale : { 1, 2 })
        for (const auto& assets : { tori::art::all_assets(scale), tori::art::bird_assets(scale) })
            for (const tori::art::Asset& asset : assets)
                if (!save(asset.image,
                        QDir(folder).filePath(asset.name + (scale == 2 ? "@2x" : "") + ".png")))
                    return 1;
    return 0;
}

int write_icons(const QString& folder)
{
    if (!make_folder(folder))
        return 1;
    for (int size : tori::art::icon_sizes)
        if (!save(tori::art::icon(size), QDir(folder).filePath(QString("icon-%1.png").arg(size))))
            return 1;
    QFile svg(QDir(folder).filePath("icon.svg"));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(tori::art::icon_svg()) < 0) {
        std::fprintf(stderr, "make-assets: cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == "--sheets")
        return tori::art::write_sheets(args[1], args[2]) ? 0 : 1;
    if (args.isEmpty() || args.size() > 2 || args[0].startsWith("-")) {
        std::fprintf(stderr,
            "usage: make-assets <images folder> [<icons folder>]\n"
            "       make-assets --sheets <images folder> <sheet folder>\n");
        return 2;
    }
    if (!tori::art::load_fonts()) {
        std::fprintf(
            stderr, "make-assets: the IPA Mincho fonts (fonts-ipafont-mincho) are missing\n");
        return 1;
    }
    if (const int failed = write_assets(args[0]))
        return failed;
    return args.size() == 2 ? write_icons(args[1]) : 0;
}
