#include "record/qt/drives.h"
#include "record/qt/record_panel.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tori;
using tori::testing::TempDir;
namespace fs = std::filesystem;

namespace {

QStringList texts(QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QListWidgetItem* item(QListWidget* list, const QString& text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

struct Panel : ::testing::Test {
    TempDir dir;
    QWidget window;
    QtRecordPanel* panel = nullptr;

    Panel()
    {
        window.resize(600, 487);
        fs::create_directory(dir.path / "棋譜集");
        fs::create_directory(dir.path / "古い 対局");
        std::ofstream(dir.path / "春の対局.棋譜") << "x";
        std::ofstream(dir.path / "ｶﾀｶﾅ.棋譜") << "x";
        std::ofstream(dir.path / "メモ.txt") << "x";
        std::ofstream(dir.path / "棋譜集" / "名局.棋譜") << "x";
        panel = new QtRecordPanel(&window);
        panel->setDirectoryListPath(QString::fromStdString(dir.path.string()));
        panel->setDirectory(dir.path.string());
        window.show();
    }

    template <typename T> T* control(const char* name) { return panel->findChild<T*>(name); }
};

} // namespace

TEST_F(Panel, ControlsHaveTheirNamesCaptionsAndDesignPositions)
{
    ASSERT_NE(control<QComboBox>("Drive1"), nullptr);
    EXPECT_EQ(control<QComboBox>("Drive1")->geometry(), QRect(16, 24, 169, 20));
    EXPECT_EQ(control<QListWidget>("Dir1")->geometry(), QRect(16, 40, 169, 114));
    EXPECT_EQ(control<QListWidget>("File1")->geometry(), QRect(16, 152, 169, 62));
    EXPECT_EQ(control<QLineEdit>("Text2")->geometry(), QRect(64, 160, 153, 18));
    EXPECT_EQ(control<QLineEdit>("Text3")->geometry().topLeft(), QPoint(64, 176));
    EXPECT_EQ(control<QLineEdit>("Text4")->geometry().topLeft(), QPoint(64, 192));
    EXPECT_EQ(control<QLineEdit>("Text1")->geometry().topLeft(), QPoint(64, 208));
    EXPECT_EQ(control<QPushButton>("Command1")->geometry(), QRect(224, 200, 57, 25));
    EXPECT_EQ(control<QPushButton>("Command1")->text(), "RETURN");
    EXPECT_EQ(control<QLabel>("Label1_0")->text(), QString::fromUtf8("ﾌｧｲﾙ名 ："));
    EXPECT_EQ(control<QLabel>("Label1_1")->text(), QString::fromUtf8("後    手 ："));
    EXPECT_EQ(control<QLabel>("Label1_2")->text(), QString::fromUtf8("先    手 ："));
    EXPECT_EQ(control<QLabel>("Label1_3")->text(), QString::fromUtf8("対 局 名："));
    EXPECT_EQ(control<QLabel>("Label1_3")->geometry().topLeft(), QPoint(8, 160));
}

TEST_F(Panel, ShowsOnlyTheControlsAskedForAndLetsOtherPressesThrough)
{
    EXPECT_TRUE(panel->isHidden()); // nothing shown: the board gets every press
    panel->setListsVisible(true, true, false);
    panel->setWriteControlsVisible(true);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(control<QListWidget>("File1")->isHidden());
    EXPECT_FALSE(control<QLineEdit>("Text1")->isHidden());
    EXPECT_TRUE(panel->mask().contains(QPoint(20, 30))); // Drive1
    EXPECT_FALSE(panel->mask().contains(QPoint(4, 100))); // left of the lists
    EXPECT_FALSE(panel->mask().contains(QPoint(250, 50))); // right of them
    panel->setWriteControlsVisible(false);
    panel->setListsVisible(true, true, true);
    EXPECT_TRUE(control<QLineEdit>("Text1")->isHidden());
    EXPECT_FALSE(control<QListWidget>("File1")->isHidden());
    panel->setListsVisible(false, false, false);
    EXPECT_TRUE(panel->isHidden());
}

TEST_F(Panel, ListsRecordFilesAndDirectoriesWithJapaneseNames)
{
    auto* file1 = control<QListWidget>("File1");
    QStringList files = texts(file1);
    files.sort();
    EXPECT_EQ(
        files, QStringList({ QString::fromUtf8("春の対局.棋譜"), QString::fromUtf8("ｶﾀｶﾅ.棋譜") }));
    auto* dir1 = control<QListWidget>("Dir1");
    const QStringList dirs = texts(dir1);
    EXPECT_TRUE(dirs.contains(".."));
    EXPECT_TRUE(dirs.contains(QString::fromUtf8("棋譜集")));
    EXPECT_TRUE(dirs.contains(QString::fromUtf8("古い 対局")));
    EXPECT_FALSE(dirs.contains(QString::fromUtf8("メモ.txt")));

    std::string changedTo;
    panel->setDirectoryChanged([&](const std::string& path) {
        changedTo = path;
        panel->setDirectory(path); // what Dir1_Change does
    });
    emit dir1->itemActivated(item(dir1, QString::fromUtf8("棋譜集")));
    EXPECT_EQ(changedTo, (dir.path / "棋譜集").string());
    EXPECT_EQ(panel->directory(), changedTo);
    EXPECT_EQ(texts(file1), QStringList({ QString::fromUtf8("名局.棋譜") }));
    emit dir1->itemActivated(item(dir1, ".."));
    EXPECT_EQ(changedTo, dir.path.string());

    std::string clicked;
    panel->setFileClicked([&](const std::string& name) { clicked = name; });
    panel->setListsVisible(true, true, true);
    QListWidgetItem* spring = item(file1, QString::fromUtf8("春の対局.棋譜"));
    ASSERT_NE(spring, nullptr);
    QTest::mouseClick(
        file1->viewport(), Qt::LeftButton, {}, file1->visualItemRect(spring).center());
    EXPECT_EQ(clicked, "春の対局.棋譜");

    // A new file shows after a refresh.
    std::ofstream(dir.path / "新.棋譜") << "x";
    panel->refreshFiles();
    EXPECT_NE(item(file1, QString::fromUtf8("新.棋譜")), nullptr);
}

TEST_F(Panel, TextBoxesAndTheReturnButtonReachTheCommands)
{
    panel->setText(2, "春の対局");
    EXPECT_EQ(control<QLineEdit>("Text2")->text(), QString::fromUtf8("春の対局"));
    control<QLineEdit>("Text4")->setText(QString::fromUtf8("鳥名人"));
    EXPECT_EQ(panel->text(4), "鳥名人");
    EXPECT_EQ(panel->text(0), "");
    int returns = 0;
    panel->setReturnClicked([&] { ++returns; });
    panel->setWriteControlsVisible(true);
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(returns, 1);
}

TEST_F(Panel, ARefusedDriveKeepsTheDirectory)
{
    auto* drive1 = control<QComboBox>("Drive1");
    ASSERT_GT(drive1->count(), 0); // at least the root file system
    const QString before = panel->directoryListPath();
    std::string asked;
    panel->setDriveChanged([&](const std::string& d) {
        asked = d;
        return false;
    });
    emit drive1->activated(0);
    EXPECT_EQ(asked, drive1->itemData(0).toString().toStdString());
    EXPECT_EQ(panel->directoryListPath(), before);

    std::string changedTo;
    panel->setDriveChanged([](const std::string&) { return true; });
    panel->setDirectoryChanged([&](const std::string& path) { changedTo = path; });
    emit drive1->activated(0);
    EXPECT_EQ(panel->directoryListPath(), drive1->itemData(0).toString());
    EXPECT_EQ(changedTo, drive1->itemData(0).toString().toStdString());
}

TEST_F(Panel, TheDriveChooserIsFilledWhenShownAndItsCurrentEntryKeepsTheFolder)
{
    auto* drive1 = control<QComboBox>("Drive1");
    ASSERT_GT(drive1->count(), 1); // home and the root file system at least
    EXPECT_EQ(drive1->itemData(0).toString(), QDir::homePath());
    // The temporary folder lies on the root file system (or one below it).
    const int current = drive1->currentIndex();
    ASSERT_GE(current, 1);
    EXPECT_TRUE(
        dir.path.string().rfind(drive1->itemData(current).toString().toStdString(), 0) == 0);

    int asked = 0;
    panel->setDriveChanged([&](const std::string&) {
        ++asked;
        return true;
    });
    const QString before = panel->directoryListPath();
    emit drive1->activated(current);
    EXPECT_EQ(panel->directoryListPath(), before);
    EXPECT_EQ(asked, 0);

    // Moving to home marks home as the current entry.
    emit drive1->activated(0);
    EXPECT_EQ(panel->directoryListPath(), QDir::homePath());
    EXPECT_EQ(drive1->currentIndex(), 0);

    // Emptied while hidden, the chooser is filled again when it is shown.
    panel->setListsVisible(false, false, false);
    drive1->clear();
    panel->setListsVisible(true, true, true);
    EXPECT_GT(drive1->count(), 1);
    EXPECT_EQ(drive1->currentIndex(), 0);
}

TEST(Drives, HomeFirstThenTheVolumesThatCanHoldRecordsAndNoPseudoOrMemoryFileSystems)
{
    // As a desktop's mount table lists them.
    const std::vector<MountedVolume> mounted {
        { "/", "ext4", "", true }, { "/proc", "proc", "", true }, { "/sys", "sysfs", "", true },
        { "/sys/fs/cgroup", "cgroup2", "", true }, { "/dev", "devtmpfs", "", true },
        { "/dev/shm", "tmpfs", "", true }, { "/run", "tmpfs", "", true },
        { "/run/user/1000", "tmpfs", "", true },
        { "/run/user/1000/gvfs", "fuse.gvfsd-fuse", "", true }, { "/run/lock", "ext4", "", true },
        { "/boot/efi", "vfat", "", true }, { "/snap/core22/1033", "squashfs", "", true },
        { "/tmp", "tmpfs", "", true }, { "/home", "ext4", "home", true },
        { "/media/taro/STICK", "vfat", "STICK", true },
        { "/run/media/taro/CARD", "exfat", "CARD", true }, { "/mnt/nas", "nfs4", "", true },
        { "/mnt/gone", "cifs", "", false }, { "/home", "ext4", "home", true }, // mounted twice
        { "/home/taro", "ext4", "", true }, // home itself on a volume of its own
    };
    std::vector<std::string> paths;
    for (const DriveEntry& e : driveEntries("/home/taro", mounted))
        paths.push_back(e.path);
    EXPECT_EQ(paths,
        (std::vector<std::string> {
            "/home/taro", "/", "/home", "/media/taro/STICK", "/mnt/nas", "/run/media/taro/CARD" }));

    const auto entries = driveEntries("/home/taro", mounted);
    EXPECT_EQ(entries[3].label, "/media/taro/STICK  [STICK]");
    EXPECT_EQ(driveEntryFor(entries, "/home/taro/棋譜"), 0);
    EXPECT_EQ(driveEntryFor(entries, "/home/hanako"), 2);
    EXPECT_EQ(driveEntryFor(entries, "/media/taro/STICK"), 3);
    EXPECT_EQ(driveEntryFor(entries, "/media/taro/STICK2"), 1); // another folder of the root
    EXPECT_EQ(driveEntryFor(entries, "/tmp"), 1);
    EXPECT_EQ(driveEntryFor({}, "/tmp"), -1);
}

int main(int argc, char** argv)
{
    // The build lists the tests by running this without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
