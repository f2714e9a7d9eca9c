// A display that only records what it is asked to draw, for builds without the
// display folder. With the display folder the tests link the real one instead.
#include "display/display.h"
#include "fakes.h"

#include <sstream>

namespace tori {

namespace {

template <typename... A> void log(const char* name, A... args)
{
    std::ostringstream s;
    s << name << '(';
    [[maybe_unused]] const char* sep = "";
    ((s << sep << args, sep = ","), ...);
    s << ')';
    testing::displayCalls().push_back(s.str());
}

} // namespace

Display::Display(const GameState& g, Surface& surface, const Menu& menu)
    : g(g)
    , surface(surface)
    , menu(menu)
{
}

void Display::描画_絵(int code, double gx, double gy) { log("描画_絵", code, gx, gy); }
void Display::描画_桝輪郭(int colour, double gx, double gy) { log("描画_桝輪郭", colour, gx, gy); }
void Display::描画_盤() { log("描画_盤"); }
void Display::描画_将棋盤桝() { log("描画_将棋盤桝"); }
void Display::描画_背景(int code) { log("描画_背景", code); }
void Display::描画_自持盤() { log("描画_自持盤"); }
void Display::描画_敵持盤() { log("描画_敵持盤"); }
void Display::描画_駒点滅(int code, int col, int row, int count) { log("描画_駒点滅", code, col, row, count); }
void Display::描画_移動可能桝色(int col, int row, int colour, int piece) { log("描画_移動可能桝色", col, row, colour, piece); }
void Display::画面_再描画()
{
    bold = true;
    log("画面_再描画");
}
void Display::描画_数値(double gx, double gy, const std::string& value, int colour, int mode, double size)
{
    log("描画_数値", gx, gy, value, colour, mode, size);
}
void Display::描画_数値(double gx, double gy, int value, int colour, int mode, double size)
{
    log("描画_数値", gx, gy, value, colour, mode, size);
}
void Display::描画_文字列(double gx, double gy, int code, int colour, double size) { log("描画_文字列", gx, gy, code, colour, size); }
void Display::描画_移動駒種類(double gx, double gy, const std::string& text, int colour) { log("描画_移動駒種類", gx, gy, text, colour); }
void Display::描画_桝_数値() { log("描画_桝_数値"); }
void Display::描画_手数(int n) { log("描画_手数", n); }
void Display::描画_レベル(int level) { log("描画_レベル", level); }
void Display::描画_移動結果(int side, int col, int row, int piece, int colour) { log("描画_移動結果", side, col, row, piece, colour); }
void Display::消去_移動結果(int side) { log("消去_移動結果", side); }
void Display::描画_棋譜読込み部分消去() { log("描画_棋譜読込み部分消去"); }
void Display::描画_ハンデレベル(int level) { log("描画_ハンデレベル", level); }
void Display::描画_所有時間(int side, double seconds) { log("描画_所有時間", side, seconds); }
void Display::消去_所有時間(int side) { log("消去_所有時間", side); }

std::vector<std::string>& testing::displayCalls()
{
    static std::vector<std::string> calls;
    return calls;
}

bool testing::recordingDisplay() { return true; }

} // namespace tori
