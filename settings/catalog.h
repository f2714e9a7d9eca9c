// A language's texts read from a compiled gettext catalog (a .mo file, as
// msgfmt writes it from the translators' .po file). The Japanese texts are the
// message ids; tr_() looks them up here once the catalog is chosen.
#pragma once

#include "platform/translation.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace tori {

class MoCatalog : public Catalog {
public:
    // Reads the catalog at `path`. False, with the reason in `error`, when the
    // file is missing, too large, or no well-formed .mo file; the catalog is
    // then empty.
    bool read(const std::string& path, std::string& error);
    // Reads the catalog from the bytes of a .mo file.
    bool parse(std::string_view bytes, std::string& error);

    const char* find(std::string_view japanese) const override;
    std::size_t size() const { return texts.size(); }

private:
    std::map<std::string, std::string, std::less<>> texts;
};

// The file name of a language's catalog in the program's data folder: "en.mo".
std::string catalogFile(const std::string& language);

} // namespace tori
