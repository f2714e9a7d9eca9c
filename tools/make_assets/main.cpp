// make-assets: draws the board pictures of the game into a folder.
//
//   make-assets <folder>                    every picture as <name>.png and <name>@2x.png
//   make-assets --sheets <images> <folder>  contact sheets of the pictures in <images>
//
// Run it with QT_QPA_PLATFORM=offscreen where there is no display.

#include "art.h"
#include "sheet.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

int write_assets(const QString& folder)
{
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "make-assets: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    for (int scale : { 1, 2 }) {
        for (const tori::art::Asset& asset : tori::art::all_assets(scale)) {
            const QString file
                = QDir(folder).filePath(asset.name + (scale == 2 ? "@2x" : "") + ".png");
            if (!asset.image.save(file, "PNG")) {
                std::fprintf(stderr, "make-assets: cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
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
    if (args.size() != 1 || args[0].startsWith("-")) {
        std::fprintf(stderr,
            "usage: make-assets <folder>\n"
            "       make-assets --sheets <images folder> <sheet folder>\n");
        return 2;
    }
    if (!tori::art::load_fonts()) {
        std::fprintf(
            stderr, "make-assets: the IPA Mincho fonts (fonts-ipafont-mincho) are missing\n");
        return 1;
    }
    return write_assets(args[0]);
}
