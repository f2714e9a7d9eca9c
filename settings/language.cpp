#include "settings/language.h"

#include "platform/menu_names.h"
#include "platform/translation.h"

namespace tori {

namespace {
    const char* const preferenceKey = "ui/language";
}

Language::Language(Menu& menu, Preferences& preferences, MessageBoxes& boxes)
    : menu(menu)
    , preferences(preferences)
    , boxes(boxes)
{
}

Language::~Language()
{
    if (currentCatalog() == &english)
        useCatalog(nullptr);
}

void Language::開始(const std::string& forThisRun)
{
    const std::string wanted
        = known(forThisRun) ? forThisRun : preferences.value(preferenceKey, "ja");
    if (!use(known(wanted) ? wanted : "ja", true))
        use("ja", false);
}

bool Language::設定(const std::string& code)
{
    if (!known(code) || !use(code, true))
        return false;
    preferences.setValue(preferenceKey, code);
    return true;
}

bool Language::use(const std::string& wanted, bool tell)
{
    if (wanted == "en") {
        std::string error;
        if (english.size() == 0 && !english.read(folder + "/" + catalogFile("en"), error)) {
            if (tell)
                boxes.ok(withValues(tr_("英語の翻訳を読み込めません。\n%1"), { error }),
                    tr_("言語 / Language"), MessageBoxes::Icon::Exclamation);
            marks();
            return false;
        }
        useCatalog(&english);
    } else {
        useCatalog(nullptr);
    }
    code = wanted;
    marks();
    return true;
}

void Language::marks()
{
    menu.setChecked(menu::LANG_JA, code == "ja");
    menu.setChecked(menu::LANG_EN, code == "en");
}

} // namespace tori
