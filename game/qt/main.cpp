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

int main(int argc, char** argv)
{
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
    tori::Form1 form(sounds); // its settings under the player's configuration folder
    form.show();
    form.game().Form_Load();
    return app.exec();
}
