// ZR 鳥将棋: one window, started from the folder that holds the sound library,
// the wave files and the settings file.
#include "game/qt/form1.h"
#include "library_sounds.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    tori::LibrarySounds sounds;
    tori::Form1 form(sounds);
    form.show();
    form.game().Form_Load();
    return app.exec();
}
