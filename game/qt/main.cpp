// ZR 鳥将棋: one window. The sound library and the wave files are found from
// the executable's own folder, the settings under the player's configuration
// folder, whatever folder the game is started from.
#include "display/art/art.h"
#include "game/qt/form1.h"
#include "settings/locations.h"
#include "settings/sound_library.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    // --language en|ja chooses the language for this run, without keeping it.
    std::string language;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string value;
        if (arg == "--language" && i + 1 < argc)
            value = argv[++i];
        else if (arg.rfind("--language=", 0) == 0)
            value = arg.substr(11);
        else if (arg == "--language")
            value = "";
        else
            continue;
        if (!tori::Language::known(value)) {
            std::fprintf(stderr, "zr-torishogi: --language takes en or ja\n");
            return 2;
        }
        language = value;
    }

    QApplication app(argc, argv);
    // The desktop entry's name, by which a Wayland desktop matches the window
    // to its menu entry and icon; the same icon for the window itself.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZR_APP_ID));
    QIcon icon;
    for (int size : tori::art::icon_sizes)
        icon.addPixmap(QPixmap::fromImage(tori::art::icon(size)));
    QApplication::setWindowIcon(icon);

    const tori::RunTimeFolders folders = tori::runTimeFolders(tori::executableFolder());
    tori::SoundLibrary sounds(folders.library, folders.waves);
    tori::Form1Setup setup; // its settings under the player's configuration folder
    setup.language = language;
    tori::Form1 form(sounds, setup);
    form.show();
    form.game().Form_Load();
    return app.exec();
}
