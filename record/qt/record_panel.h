// The record panel as Qt controls over the left of the main window: the drive
// chooser, the directory and file lists, the four captions and text boxes and
// the "RETURN" button, at their design positions (twips / 15 = pixels at 1x).
// What the controls do is the window's business: it sets the callbacks to the
// record commands.
#pragma once

#include "platform/record_panel.h"
#include "record/qt/drives.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tori {

class QtRecordPanel : public QWidget, public RecordPanel {
public:
    // Opens on the player's documents folder (or the home folder), with every
    // control hidden.
    explicit QtRecordPanel(QWidget* parent = nullptr);

    // Lays the panel out at a scale of its design positions and font, its
    // top-left corner at `origin` of the parent (where the drawing begins).
    void setScale(double scale, QPointF origin);

    void setListsVisible(bool drive, bool dir, bool file) override;
    void setWriteControlsVisible(bool on) override;
    std::string text(int box) const override;
    void setText(int box, const std::string& text) override;
    std::string directory() const override;
    void refreshFiles() override;
    void setDirectory(const std::string& path) override;

    // A file of File1 was clicked: its name, UTF-8, without a directory.
    void setFileClicked(std::function<void(const std::string&)> f) { fileClicked = std::move(f); }
    // Dir1 moved to another directory (UTF-8 path).
    void setDirectoryChanged(std::function<void(const std::string&)> f)
    {
        directoryChanged = std::move(f);
    }
    // A drive was chosen in Drive1 (its root path); false keeps the old one.
    void setDriveChanged(std::function<bool(const std::string&)> f) { driveChanged = std::move(f); }
    // "RETURN" was pressed.
    void setReturnClicked(std::function<void()> f) { returnClicked = std::move(f); }

    // The Dir1 list's directory.
    QString directoryListPath() const { return dirPath; }
    // Points Dir1 at a directory and lists its subdirectories.
    void setDirectoryListPath(const QString& path);
    // Fills Drive1 with the home folder and the mounted volumes that can hold
    // records; it is filled again each time the chooser is shown.
    void refreshDrives();
    // The captions in the language now chosen.
    void retranslate();

private:
    // Marks the entry that holds Dir1's directory as the current one.
    void showCurrentDrive();
    void fillDirectoryList();
    void updateMask();
    void driveActivated(int index);

    QComboBox* drive1;
    QListWidget* dir1;
    QListWidget* file1;
    std::array<QLabel*, 4> label1 {};
    std::array<QLineEdit*, 5> textBoxes {}; // Text1..Text4 at 1..4
    QPushButton* command1;

    // Every control's place at 100 %, and the panel's own.
    std::vector<std::pair<QWidget*, QRect>> designGeometry;
    std::vector<DriveEntry> drives; // Drive1's entries
    QString dirPath; // shown by Dir1
    QString filesPath; // shown by File1
    int driveIndex = -1;

    std::function<void(const std::string&)> fileClicked;
    std::function<void(const std::string&)> directoryChanged;
    std::function<bool(const std::string&)> driveChanged;
    std::function<void()> returnClicked;
};

} // namespace tori
