// The texts shown to the player are written in Japanese where they are used
// and marked with tr_(), which gives them in the language the player chose.
// The marks are what xgettext collects into the catalog (the Japanese text is
// the message id), so a translator edits the .po file and never the code.
// Texts the game writes to files (records, "ZR鳥将棋.ini") are not marked:
// they stay Japanese whatever the language.
#pragma once

#include <atomic>
#include <string_view>

namespace tori {

// A language's texts by their Japanese originals.
class Catalog {
public:
    virtual ~Catalog() = default;
    // The translation of `japanese`, or null when the catalog has none.
    virtual const char* find(std::string_view japanese) const = 0;
};

namespace detail {
    inline std::atomic<const Catalog*> currentCatalog { nullptr };
}

// Chooses the catalog whose texts tr_() gives from now on; null for Japanese.
// The catalog must outlive its use.
inline void useCatalog(const Catalog* catalog) { detail::currentCatalog.store(catalog); }

inline const Catalog* currentCatalog() { return detail::currentCatalog.load(); }

// `japanese` in the chosen language: the catalog's translation, or the text
// itself in Japanese or when the catalog lacks it.
inline const char* tr_(const char* japanese)
{
    const Catalog* catalog = detail::currentCatalog.load();
    if (!catalog)
        return japanese;
    const char* translated = catalog->find(japanese);
    return translated ? translated : japanese;
}

} // namespace tori
