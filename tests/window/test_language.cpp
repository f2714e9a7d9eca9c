// The window in English: every caption of the menus, the record panel and the
// move list, and every message box of a scripted run of handlers, holds no
// Japanese character; back in Japanese each caption is what it was.
#include "game/qt/form1.h"
#include "record/qt/move_list_panel.h"
#include "record/qt/record_panel.h"
#include "support/fakes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <map>
#include <memory>
#include <string>

using namespace tori;
using namespace tori::testing;

namespace {

struct Window {
    explicit Window(const std::string& language = {})
    {
        Form1Setup setup;
        setup.settingsPath = dir.filePath(QStringLiteral("ZR鳥将棋.ini")).toStdString();
        setup.boxes = &boxes;
        setup.quit = [] {};
        setup.language = language;
        setup.catalogFolder = ZR_RUNTIME_DIR;
        form = std::make_unique<Form1>(sounds, setup);
        form->show();
        form->game().Form_Load();
    }
    QAction* action(const char* name) const
    {
        return form->findChild<QAction*>(QString::fromUtf8(name));
    }
    QString preferences() const
    {
        QFile file(dir.filePath(QStringLiteral("zr-torishogi.conf")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir dir;
    RecordingSounds sounds;
    ScriptedMessageBoxes boxes;
    std::unique_ptr<Form1> form;
};

// Kana, kanji, and the full- and half-width forms.
bool japanese(const QString& text)
{
    static const QRegularExpression kana(
        QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(kana);
}

// Every caption the window shows, by the object that shows it. The language
// menu is named in both languages on purpose and is left out.
std::map<QString, QString> captions(Form1& form)
{
    std::map<QString, QString> out;
    out[QStringLiteral("(title)")] = form.windowTitle();
    for (QMenu* m : form.findChildren<QMenu*>())
        if (!m->objectName().isEmpty() && m->objectName() != menu::GENGO)
            out[m->objectName()] = m->title();
    for (QAction* a : form.findChildren<QAction*>())
        if (!a->objectName().isEmpty() && a->objectName() != menu::LANG_JA
            && a->objectName() != menu::LANG_EN)
            out[a->objectName()] = a->text();
    for (QLabel* label : form.panel().findChildren<QLabel*>())
        out[label->objectName()] = label->text();
    QTreeWidget* list = form.moveList().list();
    out[QStringLiteral("KifuList")] = form.moveList().windowTitle();
    for (int c = 0; c < list->columnCount(); ++c)
        out[QStringLiteral("List1 header %1").arg(c)] = list->headerItem()->text(c);
    return out;
}

QStringList japaneseOf(const std::map<QString, QString>& shown)
{
    QStringList found;
    for (const auto& [name, text] : shown)
        if (japanese(text))
            found << name + QStringLiteral(": ") + text;
    return found;
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void englishThroughoutAndKept()
    {
        Window w;
        QVERIFY(w.action(menu::LANG_JA)->isChecked());
        QVERIFY(!w.action(menu::LANG_EN)->isChecked());
        QVERIFY(!japaneseOf(captions(*w.form)).isEmpty());

        w.action(menu::LANG_EN)->trigger();
        QVERIFY(w.action(menu::LANG_EN)->isChecked());
        QVERIFY(!w.action(menu::LANG_JA)->isChecked());
        QVERIFY(w.preferences().contains(QStringLiteral("language=en")));
        const QStringList left = japaneseOf(captions(*w.form));
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
        QCOMPARE(w.form->findChild<QMenu*>(QString::fromUtf8(menu::OPTION))->title(),
            QStringLiteral("Options"));

        // A run of handlers that shows many of the game's boxes.
        Game& game = w.form->game();
        RecordCommands& records = game.records();
        game.Form_MouseDown(1, 0, gridX(3.5), gridY(3.5)); // no game yet
        w.action(menu::REPLAY)->trigger();
        w.action(menu::AFTER)->trigger();
        w.action(menu::VER)->trigger();
        QGuiApplication::clipboard()->setText(QStringLiteral("7/7 w"));
        w.action(menu::FEN_PASTE)->trigger();
        QGuiApplication::clipboard()->setText(QStringLiteral("7/7/7/7/7/7/7[] w"));
        w.action(menu::FEN_PASTE)->trigger();
        w.action(menu::KIFU_LIST)->trigger();
        w.action(menu::START)->trigger();
        game.Form_MouseDown(1, 0, gridX(1.5), gridY(5.5));
        game.Form_MouseDown(1, 0, gridX(1.5), gridY(4.5));
        game.Form_MouseDown(1, 0, gridX(2.5), gridY(3.5));
        game.Form_MouseDown(1, 0, gridX(2.5), gridY(4.5));
        w.form->panel().setDirectory(w.dir.path().toStdString());
        records.Command1_Click(); // no file name
        w.form->panel().setText(1, "english");
        records.Command1_Click();
        w.action(menu::REVERSE)->trigger();
        w.action(menu::LBEL_UP)->trigger(); // handicap after reversal
        records.File1_Click("english.棋譜");
        records.File1_Click("missing.txt");
        game.Form_MouseDown(1, 0, gridX(3.5), gridY(3.5)); // in record mode
        QVERIFY(w.boxes.shown.size() >= 12);
        for (const auto& box : w.boxes.shown) {
            QVERIFY2(!japanese(QString::fromStdString(box.text)), box.text.c_str());
            QVERIFY2(!japanese(QString::fromStdString(box.title)), box.title.c_str());
        }
        QCOMPARE(QString::fromStdString(w.boxes.texts()[1]), QStringLiteral("Not possible"));

        // The move list of the loaded record, in the international notation.
        w.action(menu::AFTER)->trigger();
        w.action(menu::AFTER)->trigger();
        QTreeWidget* list = w.form->moveList().list();
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("Start position"));
        QCOMPARE(list->topLevelItem(1)->text(1), QStringLiteral("▲S-74"));
        QCOMPARE(list->topLevelItem(2)->text(1), QStringLiteral("△S-64"));
    }

    void backInJapaneseAsBefore()
    {
        Window w;
        const auto before = captions(*w.form);
        w.action(menu::LANG_EN)->trigger();
        QVERIFY(captions(*w.form) != before);
        w.action(menu::REPLAY)->trigger();
        w.action(menu::LANG_JA)->trigger();
        QVERIFY(w.action(menu::LANG_JA)->isChecked());
        QVERIFY(w.preferences().contains(QStringLiteral("language=ja")));
        QVERIFY(captions(*w.form) == before);
        w.action(menu::REPLAY)->trigger();
        QCOMPARE(w.boxes.texts(), (std::vector<std::string> { "Not possible", "できません" }));
        QCOMPARE(w.boxes.titles(), (std::vector<std::string> { "Back", "戻る" }));
    }

    // zr-torishogi --language en: English for the run, nothing kept.
    void languageForOneRun()
    {
        Window w("en");
        QVERIFY(w.action(menu::LANG_EN)->isChecked());
        QCOMPARE(w.form->windowTitle(), QStringLiteral("ZR Tori Shogi"));
        QVERIFY(japaneseOf(captions(*w.form)).isEmpty());
        QVERIFY(!w.preferences().contains(QStringLiteral("language")));
    }
};

QTEST_MAIN(LanguageTest)
#include "test_language.moc"
