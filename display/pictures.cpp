#include "display/pictures.h"

namespace tori {

namespace {

    constexpr int 駒幅 = 33, 駒高 = 41; // one board square
    constexpr int 背景幅 = 34; // a tile one pixel wider than a square, so tiles overlap

    constexpr std::array<PictureInfo, 25> pictures { {
        { 0, "KARA_MASU", 駒幅, 駒高 },
        { -燕, "SITA_HU_0", 駒幅, 駒高 },
        { -鴈, "SITA_HU_1", 駒幅, 駒高 },
        { -雉, "SITA_KEI", 駒幅, 駒高 },
        { -鷹, "SITA_GIN_0", 駒幅, 駒高 },
        { -鷹成, "SITA_GIN_1", 駒幅, 駒高 },
        { -鶴, "SITA_KIN", 駒幅, 駒高 },
        { -左鶉, "SITA_KAKU", 駒幅, 駒高 },
        { -右鶉, "SITA_SYA", 駒幅, 駒高 },
        { -鵬, "SITA_OU", 駒幅, 駒高 },
        { 燕, "UE_HU_0", 駒幅, 駒高 },
        { 鴈, "UE_HU_1", 駒幅, 駒高 },
        { 雉, "UE_KEI", 駒幅, 駒高 },
        { 鷹, "UE_GIN_0", 駒幅, 駒高 },
        { 鷹成, "UE_GIN_1", 駒幅, 駒高 },
        { 鶴, "UE_KIN", 駒幅, 駒高 },
        { 左鶉, "UE_KAKU", 駒幅, 駒高 },
        { 右鶉, "UE_SYA", 駒幅, 駒高 },
        { 鵬, "UE_OU", 駒幅, 駒高 },
        { 題字, "ZRSHOGI", 143, 39 },
        { 背景_緑, "HAIKEI_MIDORI", 背景幅, 駒高 },
        { 背景_畳, "HAIKEI_TATAMI", 背景幅, 駒高 },
        { 背景_竹, "HAIKEI_TAKE", 背景幅, 駒高 },
        { 背景_宇宙, "HAIKEI_UCHU", 背景幅, 駒高 },
        { 背景_煉瓦, "HAIKEI_RENGA", 背景幅, 駒高 },
    } };

} // namespace

const std::array<PictureInfo, 25>& allPictures() { return pictures; }

const PictureInfo* findPicture(int code)
{
    for (const PictureInfo& p : pictures)
        if (p.code == code)
            return &p;
    return nullptr;
}

} // namespace tori
