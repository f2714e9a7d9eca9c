#include "record/qt/record_panel.h"

#include "platform/surface.h"
#include "platform/translation.h"
#include "settings/locations.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QRegion>
#include <QStorageInfo>

#include <cmath>

namespace tori {

namespace {

    constexpr int twips = twipsPerPixel;
    constexpr double designPoints = 9;

    QRect at(int x, int y, int w, int h)
    {
        return QRect(x / twips, y / twips, w / twips, h / twips);
    }

    QRect scaled(const QRect& r, double scale)
    {
        auto px = [scale](int v) { return static_cast<int>(std::lround(v * scale)); };
        return QRect(
            px(r.x()), px(r.y()), px(r.right() + 1) - px(r.x()), px(r.bottom() + 1) - px(r.y()));
    }

    QString fromUtf8(const std::string& s)
    {
        return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    }

    const QString 親 = QStringLiteral("..");

} // namespace

QtRecordPanel::QtRecordPanel(QWidget* parent)
    : QWidget(parent)
{
    // The panel's area: from the captions at 120 twips to the right edge of
    // "RETURN", from Drive1 at 360 down to the last text box.
    setGeometry(0, 0, (3360 + 855) / twips + 1, (3000 + 375) / twips + 1);
    // The controls are 18 to 20 pixels high: the small font of the window's era.
    QFont small = font();
    small.setPointSizeF(designPoints);
    setFont(small);

    drive1 = new QComboBox(this);
    drive1->setObjectName("Drive1");
    drive1->setGeometry(at(240, 360, 2535, 300));

    dir1 = new QListWidget(this);
    dir1->setObjectName("Dir1");
    dir1->setGeometry(at(240, 600, 2535, 1710));

    file1 = new QListWidget(this);
    file1->setObjectName("File1");
    file1->setGeometry(at(240, 2280, 2535, 930));

    static const int labelY[4] = { 3120, 2880, 2640, 2400 };
    for (int i = 0; i < 4; ++i) {
        label1[i] = new QLabel(this);
        label1[i]->setObjectName(QString("Label1_%1").arg(i));
        label1[i]->setGeometry(at(120, labelY[i], 855, 255));
        // The captions stand on the board's green ground: white keeps them readable.
        QPalette palette = label1[i]->palette();
        palette.setColor(QPalette::WindowText, Qt::white);
        label1[i]->setPalette(palette);
    }
    // Text2 (game name), Text3 (先手), Text4 (後手) from the top, Text1 (file name) last.
    static const int textY[5] = { 0, 3120, 2400, 2640, 2880 };
    for (int box = 1; box <= 4; ++box) {
        textBoxes[box] = new QLineEdit(this);
        textBoxes[box]->setObjectName(QString("Text%1").arg(box));
        textBoxes[box]->setGeometry(at(960, textY[box], 2295, 270));
    }

    retranslate();

    command1 = new QPushButton(QStringLiteral("RETURN"), this);
    command1->setObjectName("Command1");
    command1->setGeometry(at(3360, 3000, 855, 375));

    connect(drive1, &QComboBox::activated, this, &QtRecordPanel::driveActivated);
    connect(dir1, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString name = item->data(Qt::UserRole).toString();
        if (name.isEmpty())
            return; // the line that shows the current path
        const QString path = QDir::cleanPath(QDir(dirPath).absoluteFilePath(name));
        setDirectoryListPath(path);
        if (directoryChanged)
            directoryChanged(path.toStdString());
    });
    connect(file1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (fileClicked)
            fileClicked(item->text().toStdString());
    });
    connect(command1, &QPushButton::clicked, this, [this] {
        if (returnClicked)
            returnClicked();
    });

    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        designGeometry.emplace_back(child, child->geometry());
    designGeometry.emplace_back(this, geometry());

    refreshDrives();
    // The player's documents or home folder, never the folder the game was started from.
    setDirectoryListPath(QString::fromStdString(recordFolder()));
    filesPath = dirPath;
    refreshFiles();
    setListsVisible(false, false, false);
    setWriteControlsVisible(false);
}

void QtRecordPanel::setScale(double scale, QPointF origin)
{
    for (const auto& [widget, rect] : designGeometry) {
        QRect r = scaled(rect, scale);
        if (widget == this)
            r.moveTopLeft(origin.toPoint());
        widget->setGeometry(r);
    }
    QFont f = font();
    f.setPointSizeF(designPoints * scale);
    setFont(f);
    fillDirectoryList(); // its bold first line carries a font of its own
    updateMask();
}

void QtRecordPanel::refreshDrives()
{
    std::vector<MountedVolume> mounted;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid())
            mounted.push_back(
                { volume.rootPath().toStdString(), volume.fileSystemType().toStdString(),
                    volume.name().toStdString(), volume.isReady() });
    drives = driveEntries(homeFolder(), mounted);
    drive1->clear();
    for (const DriveEntry& entry : drives)
        drive1->addItem(fromUtf8(entry.label), fromUtf8(entry.path));
    showCurrentDrive();
}

void QtRecordPanel::retranslate()
{
    const char* const captions[4]
        = { tr_("ﾌｧｲﾙ名 ："), tr_("後    手 ："), tr_("先    手 ："), tr_("対 局 名：") };
    for (int i = 0; i < 4; ++i)
        label1[i]->setText(QString::fromUtf8(captions[i]));
    // The home folder's entry is named in the language too.
    if (drive1->count() > 0)
        refreshDrives();
}

void QtRecordPanel::showCurrentDrive()
{
    driveIndex = driveEntryFor(drives, dirPath.toStdString());
    drive1->setCurrentIndex(driveIndex);
}

void QtRecordPanel::driveActivated(int index)
{
    // The entry that holds the folder already: the folder stays.
    if (index == driveIndex)
        return;
    const QString root = drive1->itemData(index).toString();
    const bool ok = driveChanged ? driveChanged(root.toStdString()) : QDir(root).isReadable();
    if (!ok) {
        drive1->setCurrentIndex(driveIndex); // Dir1 keeps its path
        return;
    }
    setDirectoryListPath(root);
    if (directoryChanged)
        directoryChanged(root.toStdString());
}

void QtRecordPanel::setDirectoryListPath(const QString& path)
{
    dirPath = QDir::cleanPath(path);
    fillDirectoryList();
    showCurrentDrive();
}

void QtRecordPanel::fillDirectoryList()
{
    dir1->clear();
    auto* here = new QListWidgetItem(QDir::toNativeSeparators(dirPath), dir1);
    here->setFlags(Qt::ItemIsEnabled);
    QFont bold = here->font();
    bold.setBold(true);
    here->setFont(bold);
    QDir dir(dirPath);
    if (!dir.isRoot()) {
        auto* up = new QListWidgetItem(親, dir1);
        up->setData(Qt::UserRole, 親);
    }
    const QStringList names
        = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable, QDir::Name);
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, dir1);
        item->setData(Qt::UserRole, name);
    }
}

void QtRecordPanel::refreshFiles()
{
    file1->clear();
    const QStringList names
        = QDir(filesPath).entryList({ QStringLiteral("*.棋譜") }, QDir::Files, QDir::Name);
    file1->addItems(names);
}

void QtRecordPanel::setDirectory(const std::string& path)
{
    filesPath = QDir::cleanPath(fromUtf8(path));
    refreshFiles();
}

std::string QtRecordPanel::directory() const { return filesPath.toStdString(); }

void QtRecordPanel::setListsVisible(bool drive, bool dir, bool file)
{
    // A stick plugged in since the chooser was last shown is offered too.
    if (drive && drive1->isHidden())
        refreshDrives();
    drive1->setVisible(drive);
    dir1->setVisible(dir);
    file1->setVisible(file);
    updateMask();
}

void QtRecordPanel::setWriteControlsVisible(bool on)
{
    for (QLabel* label : label1)
        label->setVisible(on);
    for (int box = 1; box <= 4; ++box)
        textBoxes[box]->setVisible(on);
    command1->setVisible(on);
    updateMask();
}

std::string QtRecordPanel::text(int box) const
{
    if (box < 1 || box > 4)
        return {};
    return textBoxes[box]->text().toStdString();
}

void QtRecordPanel::setText(int box, const std::string& text)
{
    if (box >= 1 && box <= 4)
        textBoxes[box]->setText(fromUtf8(text));
}

// Presses between and beside the controls belong to the board below, so the
// panel takes the mouse only where a control is shown.
void QtRecordPanel::updateMask()
{
    QRegion region;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isHidden())
            region += child->geometry();
    if (region.isEmpty()) {
        hide();
        return;
    }
    setMask(region);
    show();
    raise();
}

} // namespace tori
