// The control names of the menu and its entries, as the window names its
// actions and the game reads and sets their check marks. A name mistyped in
// the code does not compile.
#pragma once

namespace tori::menu {

// 対局 and its submenus
inline constexpr const char* TAIKYOKU = "TAIKYOKU";
inline constexpr const char* MATCH_MAN = "MATCH_MAN";
inline constexpr const char* START = "START";
inline constexpr const char* START2 = "START2";
inline constexpr const char* SENTE = "SENTE";
inline constexpr const char* GOTE = "GOTE";
inline constexpr const char* LEVEL = "LEVEL";
inline constexpr const char* LEVEL1 = "LEVEL1";
inline constexpr const char* LEVEL2 = "LEVEL2";
inline constexpr const char* LEVEL3 = "LEVEL3";
inline constexpr const char* LEVEL4 = "LEVEL4";
inline constexpr const char* LEVEL5 = "LEVEL5";
inline constexpr const char* OWARI = "OWARI";

// 局面
inline constexpr const char* STOP = "STOP";
inline constexpr const char* CANCEL = "CANCEL";
inline constexpr const char* REVERSE = "REVERSE";
inline constexpr const char* FEN_COPY = "FEN_COPY";
inline constexpr const char* FEN_PASTE = "FEN_PASTE";

// the bare entries on the menu bar: 戻, 進, △, ▽
inline constexpr const char* REPLAY = "REPLAY";
inline constexpr const char* AFTER = "AFTER";
inline constexpr const char* LBEL_UP = "LBEL_UP";
inline constexpr const char* LEBEL_DOWN = "LEBEL_DOWN";

// 棋譜
inline constexpr const char* KIFU = "KIFU";
inline constexpr const char* KIFU_READ = "KIFU_READ";
inline constexpr const char* KIFU_WRITE = "KIFU_WRITE";
inline constexpr const char* KIFU_LIST = "KIFU_LIST";

// 検討: the hint, the evaluation while playing, the analysis of a record and its copy
inline constexpr const char* KENTOU = "KENTOU";
inline constexpr const char* HINT = "HINT";
inline constexpr const char* EVAL_SHOW = "EVAL_SHOW";
inline constexpr const char* KIFU_ANALYSE = "KIFU_ANALYSE";
inline constexpr const char* ANALYSIS_COPY = "ANALYSIS_COPY";

// ｵﾌﾟｼｮﾝ: the background pictures, move guidance, elapsed time, music and the
// time limit
inline constexpr const char* OPTION = "OPTION";
inline constexpr const char* HAIKEI_GA = "HAIKEI_GA";
inline constexpr const char* MIDORI = "MIDORI";
inline constexpr const char* TATAMI = "TATAMI";
inline constexpr const char* TAKE = "TAKE";
inline constexpr const char* UCHU = "UCHU";
inline constexpr const char* RENGA = "RENGA";
inline constexpr const char* SIDOU = "SIDOU";
inline constexpr const char* KEIKA = "KEIKA";
inline constexpr const char* BGM = "BGM";
inline constexpr const char* TIME_SETTING = "TIME_SETTING";
// ｵﾌﾟｼｮﾝ → 言語 / Language
inline constexpr const char* GENGO = "GENGO";
inline constexpr const char* LANG_JA = "LANG_JA";
inline constexpr const char* LANG_EN = "LANG_EN";
// ｵﾌﾟｼｮﾝ → 駒: the pieces with their kanji or as pictures of the birds
inline constexpr const char* PIECES = "PIECES";
inline constexpr const char* PIECES_KANJI = "PIECES_KANJI";
inline constexpr const char* PIECES_PICTURES = "PIECES_PICTURES";

// その他
inline constexpr const char* VER = "VER";

} // namespace tori::menu
