// ZR 鳥将棋: one window, started from the folder that holds the sound library,
// the wave files and the settings file.
#include "game/qt/form1.h"
#include "settings/sound_library.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The library and the wave files lie in the folder the game runs from.
    tori::SoundLibrary sounds;
    tori::Form1 form(sounds);
    form.show();
    form.game().Form_Load();
    return app.exec();
}
