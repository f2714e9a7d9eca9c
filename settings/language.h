// The language of the texts shown to the player: Japanese (the game as it
// always was) or English, from the catalog "en.mo" in the program's data
// folder. The choice is kept in zr-torishogi.conf as ui/language = ja or en,
// and shown by the check marks of 日本語 and English under ｵﾌﾟｼｮﾝ.
#pragma once

#include "platform/menu.h"
#include "platform/message_boxes.h"
#include "platform/preferences.h"
#include "settings/catalog.h"

#include <string>

namespace tori {

class Language {
public:
    Language(Menu& menu, Preferences& preferences, MessageBoxes& boxes);
    // Japanese again: tr_() must not look into a catalog that is gone.
    ~Language();
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;

    // The folder the catalogs are read from.
    void setFolder(std::string folder) { this->folder = std::move(folder); }

    // Start-up: `forThisRun` ("ja" or "en", from the command line) when given,
    // else the kept choice; an unknown kept value is Japanese. Nothing is kept.
    void 開始(const std::string& forThisRun = {});
    // The player's choice: switches at once and keeps it. False, with a box
    // saying why, when the catalog cannot be read; the language stays.
    bool 設定(const std::string& code);

    // "ja" or "en".
    const std::string& current() const { return code; }

    static bool known(const std::string& code) { return code == "ja" || code == "en"; }

private:
    bool use(const std::string& wanted, bool tell);
    void marks();

    Menu& menu;
    Preferences& preferences;
    MessageBoxes& boxes;
    std::string folder = ".";
    std::string code = "ja";
    MoCatalog english;
};

} // namespace tori
