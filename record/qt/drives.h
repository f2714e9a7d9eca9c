// What the drive chooser Drive1 offers on Linux: the player's home folder
// first, then the mounted volumes that can hold records (the root file system,
// disks, sticks and cards, network shares), never the kernel's pseudo file
// systems and memory file systems. Plain C++: the panel fills it from Qt's
// list of mounted volumes.
#pragma once

#include <string>
#include <vector>

namespace tori {

struct MountedVolume {
    std::string root; // where it is mounted
    std::string type; // the file system type, as the kernel names it ("ext4", "vfat", "tmpfs")
    std::string name; // its label, "" when none
    bool ready = true;
};

struct DriveEntry {
    std::string path; // the folder Dir1 moves to
    std::string label; // the text shown
};

// The entries of Drive1: home (when it is given), then the volumes that can
// hold records, each root once, in the order of their paths.
std::vector<DriveEntry> driveEntries(
    const std::string& home, const std::vector<MountedVolume>& mounted);

// The entry that holds `path`: the one with the longest path that is `path`
// or one of its parents; -1 when none does.
int driveEntryFor(const std::vector<DriveEntry>& entries, const std::string& path);

} // namespace tori
