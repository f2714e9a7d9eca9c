// The texts shown to the player are written in Japanese where they are used
// and marked with tr_(), which gives them in the language the player chose.
// The marks are what xgettext collects into the catalog (the Japanese text is
// the message id), so a translator edits the .po file and never the code.
// Texts the game writes to files (records, "ZR鳥将棋.ini") are not marked:
// they stay Japanese whatever the language.
#pragma once

#include <atomic>
#include <initializer_list>
#include <string>
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

// A translated text with numbers or names in it: %1, %2 .. in `text` replaced
// by the values in order, so that each language puts them where its own word
// order wants them ("%1段目" / "row %1").
inline std::string withValues(std::string_view text, std::initializer_list<std::string_view> values)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const std::size_t k = static_cast<std::size_t>(text[i + 1] - '1');
            if (k < values.size()) {
                out += *(values.begin() + k);
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace tori
