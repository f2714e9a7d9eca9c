// The few drawing procedures the options call, recorded instead of drawn, for
// the settings tests alone (they link no drawing code). Each call is one line:
// "描画_背景 3", "画面_再描画", "描画_桝輪郭 2 -1 4".
#pragma once

#include <string>
#include <vector>

namespace tori::testing {

std::vector<std::string>& displayCalls();

} // namespace tori::testing
