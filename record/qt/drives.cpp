#include "record/qt/drives.h"

#include "platform/translation.h"

#include <algorithm>
#include <set>

namespace tori {

namespace {

    // File systems that hold no files of a player's: the kernel's views of
    // itself, memory file systems, and the images that packages are mounted from.
    const std::set<std::string> pseudoTypes { "autofs", "binfmt_misc", "bpf", "cgroup", "cgroup2",
        "configfs", "debugfs", "devpts", "devtmpfs", "efivarfs", "fuse.gvfsd-fuse", "fuse.lxcfs",
        "fuse.portal", "fusectl", "hugetlbfs", "mqueue", "nfsd", "nsfs", "proc", "pstore", "ramfs",
        "rpc_pipefs", "securityfs", "selinuxfs", "squashfs", "sysfs", "tmpfs", "tracefs" };

    // True when path is `folder` or lies below it.
    bool within(const std::string& path, const std::string& folder)
    {
        if (folder == "/")
            return !path.empty() && path[0] == '/';
        return path.compare(0, folder.size(), folder) == 0
            && (path.size() == folder.size() || path[folder.size()] == '/');
    }

    // The system's own places, mounted whatever their type. Removable media
    // that the desktop mounts under /run/media are the player's.
    bool systemPlace(const std::string& root)
    {
        if (within(root, "/run/media"))
            return false;
        for (const char* place :
            { "/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/var/lib/docker", "/var/snap" })
            if (within(root, place))
                return true;
        return false;
    }

} // namespace

std::vector<DriveEntry> driveEntries(
    const std::string& home, const std::vector<MountedVolume>& mounted)
{
    std::vector<DriveEntry> volumes;
    std::set<std::string> seen { home };
    for (const MountedVolume& v : mounted) {
        if (!v.ready || v.root.empty() || pseudoTypes.count(v.type) || systemPlace(v.root))
            continue;
        if (!seen.insert(v.root).second)
            continue;
        const bool named = !v.name.empty() && v.name != v.root;
        volumes.push_back({ v.root, named ? v.root + "  [" + v.name + "]" : v.root });
    }
    std::sort(volumes.begin(), volumes.end(),
        [](const DriveEntry& a, const DriveEntry& b) { return a.path < b.path; });

    std::vector<DriveEntry> entries;
    if (!home.empty())
        entries.push_back({ home, home + tr_("  [ﾎｰﾑ]") });
    entries.insert(entries.end(), volumes.begin(), volumes.end());
    return entries;
}

int driveEntryFor(const std::vector<DriveEntry>& entries, const std::string& path)
{
    int best = -1;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i)
        if (within(path, entries[i].path)
            && (best < 0 || entries[i].path.size() > entries[best].path.size()))
            best = i;
    return best;
}

} // namespace tori
