#include "tests/settings/fake_display.h"

#include "display/display.h"

namespace tori {

namespace {

std::string number(double v)
{
    std::string s = std::to_string(v);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.')
        s.pop_back();
    return s;
}

} // namespace

Display::Display(const GameState& g, Surface& surface, const Menu& menu) : g(g), surface(surface), menu(menu) { }

void Display::描画_背景(int code) { testing::displayCalls().push_back("描画_背景 " + std::to_string(code)); }

void Display::画面_再描画() { testing::displayCalls().push_back("画面_再描画"); }

void Display::描画_桝輪郭(int colour, double gx, double gy)
{
    testing::displayCalls().push_back("描画_桝輪郭 " + std::to_string(colour) + " " + number(gx) + " " + number(gy));
}

} // namespace tori

namespace tori::testing {

std::vector<std::string>& displayCalls()
{
    static std::vector<std::string> calls;
    return calls;
}

} // namespace tori::testing
