#include "settings/text_file.h"

#include "platform/translation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tori {

namespace {

    // Converts with iconv, replacing what cannot be converted: one input byte at a
    // time is skipped and `replacement` is written in its place.
    std::string convert(const char* to, const char* from, const std::string& in,
        const std::string& replacement, bool* ok)
    {
        if (ok)
            *ok = true;
        iconv_t cd = iconv_open(to, from);
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            if (ok)
                *ok = false;
            return {};
        }
        std::string out;
        std::string buffer(4 * in.size() + 16, '\0');
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        while (srcLeft > 0) {
            char* dst = buffer.data();
            size_t dstLeft = buffer.size();
            const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer.data(), dst - buffer.data());
            if (r == static_cast<size_t>(-1)) {
                if (errno == E2BIG)
                    continue;
                // EILSEQ or EINVAL: an invalid or truncated sequence.
                if (ok)
                    *ok = false;
                out += replacement;
                if (from == std::string("UTF-8")) {
                    // Skip the whole UTF-8 character so that it is replaced once.
                    do {
                        ++src;
                        --srcLeft;
                    } while (srcLeft > 0 && (static_cast<unsigned char>(*src) & 0xC0) == 0x80);
                } else {
                    ++src;
                    --srcLeft;
                }
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        iconv_close(cd);
        return out;
    }

} // namespace

std::string utf8ToShiftJis(const std::string& utf8, bool* ok)
{
    return convert("CP932", "UTF-8", utf8, "?", ok);
}

std::string shiftJisToUtf8(const std::string& sjis)
{
    return convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD", nullptr);
}

std::optional<std::vector<std::string>> readShiftJisLines(
    const std::string& path, std::uintmax_t maxBytes, bool* tooLarge)
{
    if (tooLarge)
        *tooLarge = false;
    // Non-blocking, so that a named pipe cannot hold the game at the open.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st { };
    std::string data;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok && static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        ok = false;
        if (tooLarge)
            *tooLarge = true;
    }
    // The file may grow while it is read: reading stops as soon as it holds
    // more than maxBytes.
    while (ok) {
        char buffer[65536];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        data.append(buffer, static_cast<size_t>(n));
        if (data.size() > maxBytes) {
            ok = false;
            if (tooLarge)
                *tooLarge = true;
        }
    }
    close(fd);
    if (!ok)
        return std::nullopt;

    std::vector<std::string> lines;
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find('\n', start);
        const bool last = end == std::string::npos;
        if (last)
            end = data.size();
        std::string line = data.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(shiftJisToUtf8(line));
        start = end + 1;
    }
    return lines;
}

bool writeShiftJisLines(
    const std::string& path, const std::vector<std::string>& lines, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    // Without a name the temporary file would land in the working folder.
    if (path.empty())
        return fail(tr_("ファイル名がありません"));
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += utf8ToShiftJis(line);
        bytes += "\r\n";
    }
    const std::string temp = path + ".tmp" + std::to_string(getpid());
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f)
        return fail(tr_("ファイルを作成できません: ") + path + " (" + std::strerror(errno) + ")");
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const int writeErrno = errno;
    const bool flushed = std::fflush(f) == 0 && fsync(fileno(f)) == 0;
    const int flushErrno = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !flushed || !closed) {
        std::remove(temp.c_str());
        return fail(tr_("ファイルに書き込めません: ") + path + " ("
            + std::strerror(!written ? writeErrno : (!flushed ? flushErrno : errno)) + ")");
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const int renameErrno = errno;
        std::remove(temp.c_str());
        return fail(
            tr_("ファイルを置き換えられません: ") + path + " (" + std::strerror(renameErrno) + ")");
    }
    return true;
}

} // namespace tori
