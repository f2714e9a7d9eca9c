// ZR 鳥将棋: one window. The sound library and the wave files are found from
// the executable's own folder, the settings under the player's configuration
// folder, whatever folder the game is started from.
#include "game/qt/form1.h"
#include "settings/locations.h"
#include "settings/sound_library.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const tori::RunTimeFolders folders = tori::runTimeFolders(tori::executableFolder());
    tori::SoundLibrary sounds(folders.library, folders.waves);
    tori::Form1Setup setup;
    setup.settingsPath = tori::settingsFile();
    tori::Form1 form(sounds, setup);
    form.show();
    form.game().Form_Load();
    return app.exec();
}
