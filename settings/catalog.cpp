#include "settings/catalog.h"

#include <fstream>

namespace tori {

namespace {

    // No catalog of this game comes near this; a larger file is not one.
    constexpr std::size_t largestCatalog = 16 * 1024 * 1024;

    // The words of a .mo file, in the byte order its magic number shows.
    class Words {
    public:
        Words(std::string_view bytes, bool swapped)
            : bytes(bytes)
            , swapped(swapped)
        {
        }
        // The 32-bit word at `offset`; false when it lies outside the file.
        bool at(std::uint64_t offset, std::uint32_t& word) const
        {
            if (offset > bytes.size() || bytes.size() - offset < 4)
                return false;
            const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + offset);
            word = swapped ? (std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16
                       | std::uint32_t(p[2]) << 8 | p[3])
                           : (std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16
                               | std::uint32_t(p[1]) << 8 | p[0]);
            return true;
        }
        // String `index` of the table at `table`: its length and offset, then
        // the bytes, which must lie inside the file and end with a NUL.
        bool text(std::uint32_t table, std::uint32_t index, std::string_view& out) const
        {
            std::uint32_t length = 0, offset = 0;
            const std::uint64_t entry = std::uint64_t(table) + 8ull * index;
            if (!at(entry, length) || !at(entry + 4, offset))
                return false;
            if (offset > bytes.size() || bytes.size() - offset <= length
                || bytes[offset + length] != '\0')
                return false;
            out = bytes.substr(offset, length);
            return true;
        }

    private:
        std::string_view bytes;
        bool swapped;
    };

} // namespace

bool MoCatalog::parse(std::string_view bytes, std::string& error)
{
    texts.clear();
    std::uint32_t magic = 0;
    if (!Words(bytes, false).at(0, magic) || (magic != 0x950412de && magic != 0xde120495)) {
        error = "no gettext catalog";
        return false;
    }
    const Words words(bytes, magic != 0x950412de);
    std::uint32_t revision = 0, count = 0, originals = 0, translations = 0;
    if (!words.at(4, revision) || !words.at(8, count) || !words.at(12, originals)
        || !words.at(16, translations)) {
        error = "catalog header cut short";
        return false;
    }
    if (revision >> 16 != 0) {
        error = "catalog of an unknown revision";
        return false;
    }
    if (count > bytes.size() / 8) {
        error = "catalog holds more texts than it has room for";
        return false;
    }
    std::map<std::string, std::string, std::less<>> read;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string_view id, text;
        if (!words.text(originals, i, id) || !words.text(translations, i, text)) {
            error = "catalog entry " + std::to_string(i) + " lies outside the file";
            return false;
        }
        // The header (empty id), plural forms and texts with a context are no
        // texts of this game; an empty translation means none.
        if (id.empty() || text.empty() || id.find('\0') != std::string_view::npos
            || id.find('\x04') != std::string_view::npos)
            continue;
        read.emplace(std::string(id), std::string(text.substr(0, text.find('\0'))));
    }
    texts = std::move(read);
    return true;
}

bool MoCatalog::read(const std::string& path, std::string& error)
{
    texts.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::string bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > largestCatalog) {
            error = path + " is too large for a catalog";
            return false;
        }
    }
    if (!parse(bytes, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

const char* MoCatalog::find(std::string_view japanese) const
{
    const auto found = texts.find(japanese);
    return found == texts.end() ? nullptr : found->second.c_str();
}

std::string catalogFile(const std::string& language) { return language + ".mo"; }

} // namespace tori
