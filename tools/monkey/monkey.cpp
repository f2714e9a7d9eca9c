// zr-monkey: plays the real game window at random, as a careless player
// would, to find the input that ends the program or corrupts a game.
//
//   zr-monkey [--events N] [--seconds S] [--seed K]
//
// Each event is one of: a press of the left, right or middle button on any
// cell of the window's grid (board, hands, the panel's controls where they are
// shown), a menu command (never 終わり), a key typed on the board (never
// Escape), typing, pasting or Return in a text box of the record panel,
// "RETURN", a file chosen in the file list, or an answer to the message box
// or the time limit dialog that is open. It stops after N events or S seconds.
//
// Everything the game writes (settings, records) goes into a fresh folder that
// is removed at the end; the drive chooser and the directory list are left
// alone so that no record is written anywhere else. Every record the game
// writes is read back at once and must load whole. Run in the sanitizer build,
// a crash or a sanitizer report ends the program; a broken check exits with 1.
#include "display/display.h"
#include "game/qt/drawing_area.h"
#include "game/qt/form1.h"
#include "platform/menu_names.h"
#include "record/qt/record_panel.h"
#include "record/record_file.h"
#include "rules/rules.h"
#include "settings/sound_library.h"
#include "support/files.h"
#include "support/games.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace tori;
using tori::testing::bytesOf;
using tori::testing::writeBytes;
namespace fs = std::filesystem;

namespace {

// The last events, shown when the monkey fails.
std::deque<std::string> trail;

void note(std::string event)
{
    trail.push_back(std::move(event));
    if (trail.size() > 30)
        trail.pop_front();
}

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "zr-monkey: the last events:\n");
    for (const std::string& event : trail)
        std::fprintf(stderr, "  %s\n", event.c_str());
    std::fprintf(stderr, "zr-monkey: %s\n", what.c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

struct Run {
    long events = 1000;
    double seconds = 3600;
    unsigned seed = 1;
};

Run parse(int argc, char** argv)
{
    Run o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--events")
            o.events = std::atol(argv[i + 1]);
        else if (key == "--seconds")
            o.seconds = std::atof(argv[i + 1]);
        else if (key == "--seed")
            o.seed = static_cast<unsigned>(std::atol(argv[i + 1]));
        else
            fail("usage: zr-monkey [--events N] [--seconds S] [--seed K]");
    }
    return o;
}

// Record files for the file list: a game, a file cut off inside a move, a
// file with a DOS ending, a file too large to be a record, a folder and a
// pipe with a record's name, and plain junk.
void seedRecords(const fs::path& folder)
{
    GameState played;
    tori::testing::対局(played, 60, 7);
    std::string error;
    if (!書込_棋譜((folder / "対局.棋譜").string(), { "対局", "上手", "下手" }, played, &error))
        fail("cannot write a record: " + error);
    const std::string game = bytesOf(folder / "対局.棋譜");
    writeBytes(folder / "途中.棋譜", game.substr(0, game.size() / 2));
    writeBytes(folder / "DOS.棋譜", game + "\r\n  \r\n\x1a");
    writeBytes(folder / "巨大.棋譜", game + std::string(最大棋譜ファイルサイズ + 1, ' '));
    static const char junk[] = "\xff\xfe\x00\x01\r\n\r\n\x1a\x1a\n\n\n 5453 -10 -10  10";
    writeBytes(folder / "ごみ.棋譜", std::string(junk, sizeof junk - 1)); // the NUL byte too
    fs::create_directory(folder / "フォルダ.棋譜");
    mkfifo((folder / "パイプ.棋譜").c_str(), 0600);
}

class Monkey {
public:
    Monkey(Form1& form, const fs::path& folder, const Run& o)
        : form(form)
        , folder(folder)
        , options(o)
        , rng(o.seed)
    {
        for (QAction* action : form.findChildren<QAction*>()) {
            const QString name = action->objectName();
            if (!name.isEmpty() && name != QLatin1String(menu::OWARI) && !action->menu())
                commands.push_back(action);
        }
        for (QMenu* menu : form.findChildren<QMenu*>())
            menus.push_back(menu);
        for (int box = 1; box <= 4; ++box)
            boxes.push_back(form.panel().findChild<QLineEdit*>(QStringLiteral("Text%1").arg(box)));
        file1 = form.panel().findChild<QListWidget*>(QStringLiteral("File1"));
        write = form.findChild<QAction*>(QLatin1String(menu::KIFU_WRITE));
        read = form.findChild<QAction*>(QLatin1String(menu::KIFU_READ));
        command1 = form.panel().findChild<QPushButton*>(QStringLiteral("Command1"));
        if (commands.empty() || !file1 || !command1 || boxes.size() != 4 || !write || !read)
            fail("the window lacks its menu or its record panel");
        stamps = recordStamps();

        QObject::connect(&actions, &QTimer::timeout, [this] { step(); });
        QObject::connect(&answers, &QTimer::timeout, [this] { answer(); });
        clock.start();
        actions.start(0);
        answers.start(0);
    }

    long events = 0;
    int returns = 0; // "RETURN" pressed
    int recordsWritten = 0;
    int longestRecord = 0;
    // Saves refused because the record would not load back whole: the game's
    // commands should never leave such a record behind.
    int unloadableRefused = 0;

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool chance(int percent) { return pick(100) < percent; }

    // One event at the top level of the event loop; a handler that opens a
    // message box waits in it for answer().
    void step()
    {
        if (events >= options.events || clock.elapsed() > options.seconds * 1000) {
            actions.stop();
            answers.stop();
            QCoreApplication::exit(0); // quit() would close the window, which ends the game
            return;
        }
        ++events;
        // A closed message box leaves no window active on the offscreen
        // platform; on a desktop the window is active again.
        if (QApplication::activeWindow() != &form) {
            form.activateWindow();
            if (!QTest::qWaitForWindowActive(&form))
                fail("the window does not become active again");
        }
        // The write panel's boxes and the file list take a share of the
        // events while they are shown.
        const bool writing = command1->isVisible();
        const bool reading = file1->isVisible() && file1->count() > 0;
        const int what = pick(100);
        if (writing && what < 45)
            type();
        else if (writing && what < 70)
            returnButton();
        else if (reading && what < 15)
            chooseFile();
        else if (what < 60)
            press();
        else if (what < 93)
            command();
        else
            key();
        check();
        checkRecords();
    }

    // A press of any button on any cell of the window's grid, with a modifier
    // now and then; it goes to whatever the player would hit there.
    void press()
    {
        DrawingArea& area = form.area();
        // Mostly the board and the hands, where the game is played; with a
        // piece picked up, mostly a square near it, so that moves are made.
        const int where = pick(10);
        double gx = (where < 7          ? 1 + pick(7)
                            : where < 8 ? (chance(50) ? -1 : 9)
                                        : -2 + pick(18))
            + pick(100) / 100.0;
        double gy = (where < 8 ? 1 + pick(7) : pick(11)) + pick(100) / 100.0;
        const GameState& g = form.game().state();
        if (g.選択状態 == 1 && 盤内(g.選択列, g.選択段) && chance(70)) {
            gx = std::clamp(g.選択列 - 2 + pick(5), 1, 7) + 0.5;
            gy = std::clamp(g.選択段 - 2 + pick(5), 1, 7) + 0.5;
        }
        // Where the area shows that point of the drawing (the reverse of twipsAt).
        const QPointF shown = area.origin()
            + QPointF(盤左 + 桝幅 * gx, 盤上 + 桝高 * gy) / twipsPerPixel * area.scale();
        const QPoint at(static_cast<int>(shown.x()), static_cast<int>(shown.y()));
        if (!area.rect().contains(at))
            return;
        static const Qt::MouseButton buttons[3]
            = { Qt::LeftButton, Qt::RightButton, Qt::MiddleButton };
        const Qt::MouseButton button = buttons[pick(3)];
        const Qt::KeyboardModifiers mods = chance(10) ? Qt::ShiftModifier : Qt::NoModifier;
        QWidget* target = area.childAt(at);
        if (!target)
            target = &area;
        // Drive1 and Dir1 would lead the saves out of the monkey's folder.
        for (QWidget* w = target; w && w != &area; w = w->parentWidget())
            if (w->objectName() == QStringLiteral("Drive1")
                || w->objectName() == QStringLiteral("Dir1"))
                return;
        const QPoint local = target->mapFrom(&area, at);
        note("press " + std::to_string(button) + (mods ? " with Shift" : "") + " at cell ("
            + std::to_string(gx) + ", " + std::to_string(gy) + ") on "
            + target->objectName().toStdString());
        QTest::mouseClick(target, button, mods, local);
    }

    void command()
    {
        if (chance(15)) {
            // Opening a menu runs its handler (局面, ｵﾌﾟｼｮﾝ, 対局 and 対局(人間) have one).
            QMenu* opened = menus[pick(static_cast<int>(menus.size()))];
            note("open the menu " + opened->objectName().toStdString());
            emit opened->aboutToShow();
            return;
        }
        // 書込 and 読込 more often than the rest: the record panel is where a
        // game can be lost.
        QAction* action = commands[pick(static_cast<int>(commands.size()))];
        if (chance(20))
            action = chance(60) ? write : read;
        note("menu command " + action->objectName().toStdString());
        action->trigger();
    }

    std::string randomText()
    {
        static const char* const pieces[] = { "a", "Z", "7", " ", "  ", ".", "/", "..", "-", "棋譜",
            "春", "ﾃﾞ", "鳥名人", "\n", "\r\n", "\t", "\x1a", "\x7f", "\xc2\x85", "😀", "¥", "〜",
            ".棋譜", "\\", ":", "*", "?", "\"" };
        std::string s;
        const int n = pick(chance(5) ? 300 : 12);
        for (int i = 0; i < n; ++i)
            s += pieces[pick(static_cast<int>(std::size(pieces)))];
        return s;
    }

    // Typing, a paste (which keeps line breaks) or Return in one of the text
    // boxes, when they are shown.
    void type()
    {
        QLineEdit* box = boxes[pick(4)];
        box->setFocus();
        note("type into " + box->objectName().toStdString());
        switch (pick(7)) {
        case 0:
            QTest::keyClicks(box, QString::fromUtf8("kifu"));
            break;
        case 1:
            box->insert(QString::fromStdString(randomText()));
            break;
        case 2:
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Backspace);
            break;
        case 3:
            QTest::keyClick(box, chance(50) ? Qt::Key_Return : Qt::Key_Escape);
            break;
        default:
            // A name that makes a file (in Text1; a game name elsewhere): the saves overwrite a few
            // files.
            box->setText(QStringLiteral("記録%1").arg(pick(5)));
            break;
        }
    }

    void returnButton()
    {
        note("RETURN with the name \"" + boxes[0]->text().toStdString() + "\"");
        ++returns;
        QTest::mouseClick(command1, Qt::LeftButton);
    }

    void chooseFile()
    {
        QListWidgetItem* item = file1->item(pick(file1->count()));
        note("choose the file " + item->text().toStdString());
        QTest::mouseClick(
            file1->viewport(), Qt::LeftButton, {}, file1->visualItemRect(item).center());
    }

    // A key typed on the board: letters, digits, Return, space; never Escape,
    // which ends the game.
    void key()
    {
        static const Qt::Key keys[] = { Qt::Key_A, Qt::Key_Q, Qt::Key_1, Qt::Key_Space,
            Qt::Key_Return, Qt::Key_Left, Qt::Key_F1 };
        const Qt::Key k = keys[pick(static_cast<int>(std::size(keys)))];
        note("key " + std::to_string(k) + " on the board");
        form.area().setFocus();
        QTest::keyClick(&form.area(), k);
    }

    // Answers the message box that is open with one of its buttons, or closes a
    // menu or list that has popped up.
    void answer()
    {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            note("close a popup");
            popup->close();
            ++events;
            return;
        }
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->objectName() == QLatin1String("TimeLimitDialog")) {
            // A short limit mostly, so that games are lost on time too.
            ++events;
            note("answer the time limit dialog");
            const auto choices = dialog->findChildren<QRadioButton*>();
            if (!choices.isEmpty())
                choices[pick(static_cast<int>(choices.size()))]->setChecked(true);
            for (QSpinBox* spin : dialog->findChildren<QSpinBox*>())
                spin->setValue(pick(std::min(spin->maximum(), 3) + 1));
            if (chance(70))
                dialog->accept();
            else
                dialog->reject();
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (!box)
            return;
        ++events;
        note("answer \"" + box->windowTitle().toStdString() + "\": " + box->text().toStdString());
        if (box->text().contains(QString::fromUtf8("読み込めない棋譜")))
            ++unloadableRefused;
        const QList<QAbstractButton*> buttons = box->buttons();
        if (chance(20) || buttons.isEmpty())
            QTest::keyClick(box, chance(50) ? Qt::Key_Return : Qt::Key_Escape);
        else
            buttons[pick(static_cast<int>(buttons.size()))]->click();
    }

    // The game state holds only what the rules can make of it.
    void check()
    {
        const GameState& g = form.game().state();
        for (int c = 1; c <= 7; ++c)
            for (int r = 1; r <= 7; ++r)
                if (g.盤[c][r] != 0 && !駒コード(g.盤[c][r]))
                    fail("a square holds code " + std::to_string(g.盤[c][r]));
        for (int slot = 1; slot <= 6; ++slot)
            if (g.持駒_MAN[slot] < 0 || g.持駒_COM[slot] < 0)
                fail("a hand holds fewer than no pieces");
        if (g.記録手数 < 0 || g.記録手数 > 最大手数 || g.最終記録手数 < 0
            || g.最終記録手数 > 最大手数)
            fail("the record count is outside the record");
        const std::string where = form.panel().directory();
        if (!where.empty() && fs::path(where) != folder)
            fail("the record panel left the monkey's folder: " + where);
    }

    // Modification time and size of every record file in the folder.
    std::map<std::string, std::pair<long, long>> recordStamps() const
    {
        std::map<std::string, std::pair<long, long>> out;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder, ec)) {
            struct stat st { };
            if (entry.path().extension() == ".棋譜" && stat(entry.path().c_str(), &st) == 0
                && S_ISREG(st.st_mode))
                out[entry.path().filename().string()]
                    = { static_cast<long>(st.st_mtim.tv_sec * 1000000000L + st.st_mtim.tv_nsec),
                          static_cast<long>(st.st_size) };
        }
        return out;
    }

    // Every record written since the last look loads back whole.
    void checkRecords()
    {
        auto now = recordStamps();
        for (const auto& [name, stamp] : now) {
            auto before = stamps.find(name);
            if (before != stamps.end() && before->second == stamp)
                continue;
            GameState g;
            const 棋譜読込結果 r = 読込_棋譜((folder / name).string(), g);
            if (!r.開けた || r.途中まで || r.手数 < 1)
                fail("the game wrote " + name + ", which does not load back whole ("
                    + std::to_string(r.手数) + " moves, refused move " + std::to_string(r.拒否行)
                    + ")");
            ++recordsWritten;
            longestRecord = std::max(longestRecord, r.手数);
        }
        // Keep the folder small: the monkey's saves go again.
        if (now.size() > 60) {
            for (const auto& [name, stamp] : now)
                if (name.rfind("記録", 0) != 0 && name != "対局.棋譜" && name != "途中.棋譜"
                    && name != "DOS.棋譜" && name != "巨大.棋譜" && name != "ごみ.棋譜")
                    fs::remove(folder / name);
            now = recordStamps();
        }
        stamps = std::move(now);
    }

    Form1& form;
    fs::path folder;
    Run options;
    std::mt19937 rng;
    QTimer actions;
    QTimer answers;
    QElapsedTimer clock;
    std::vector<QAction*> commands;
    std::vector<QMenu*> menus;
    std::vector<QLineEdit*> boxes;
    QListWidget* file1 = nullptr;
    QPushButton* command1 = nullptr;
    QAction* write = nullptr;
    QAction* read = nullptr;
    std::map<std::string, std::pair<long, long>> stamps;
};

} // namespace

int main(int argc, char** argv)
{
    const Run options = parse(argc, argv);

    // The game keeps its settings below HOME and opens the record panel on the
    // documents folder: both are the monkey's own folder.
    char pattern[] = "/tmp/zr-monkey-XXXXXX";
    if (!mkdtemp(pattern))
        fail("no folder to play in");
    const fs::path folder = pattern;
    setenv("HOME", pattern, 1);
    setenv("XDG_CONFIG_HOME", pattern, 1);
    setenv("XDG_DATA_HOME", pattern, 1);
    setenv("XDG_DOCUMENTS_DIR", pattern, 1);
    if (chdir(pattern) != 0)
        fail("cannot enter " + folder.string());
    seedRecords(folder);

    long events = 0;
    int returns = 0, written = 0, longest = 0, unloadable = 0;
    double seconds = 0;
    {
        QApplication app(argc, argv);
        SoundLibrary sounds; // no library in the folder: a silent game
        Form1Setup setup;
        setup.quit = [] { fail("the game ended, though nobody asked it to"); };
        Form1 form(sounds, setup);
        form.show();
        // Keys go to the focused widget of the active window, as on a desktop.
        form.activateWindow();
        if (!QTest::qWaitForWindowActive(&form))
            fail("the window does not become active");
        form.game().Form_Load();
        form.panel().setDirectoryListPath(QString::fromStdString(folder.string()));
        form.panel().setDirectory(folder.string());

        QElapsedTimer elapsed;
        elapsed.start();
        Monkey monkey(form, folder, options);
        app.exec();
        events = monkey.events;
        returns = monkey.returns;
        written = monkey.recordsWritten;
        longest = monkey.longestRecord;
        unloadable = monkey.unloadableRefused;
        seconds = elapsed.elapsed() / 1000.0;
    }
    fs::remove_all(folder);
    std::printf("zr-monkey: %ld events in %.1f s, seed %u; \"RETURN\" %d times, %d records "
                "written (the longest %d moves), each loaded back whole; %d refused as not "
                "loading back whole\n",
        events, seconds, options.seed, returns, written, longest, unloadable);
    return 0;
}
