// The computer opponent's tables over one game state: the influence survey,
// the pins, and what the search keeps of the position before its move.
#pragma once

#include "rules/state.h"

namespace tori {

struct EngineState {
    // Influence survey, recomputed from the board by every 勢力調査.
    盤配列<int> MAN勢力 {}, COM勢力 {};
    盤配列<int> MAN守駒 {}, COM守駒 {};
    盤配列<int> COM守駒_列 {}, COM守駒_段 {}; // never cleared by a survey
    盤配列<int> MAN攻駒 {}, MAN攻駒_列 {}, MAN攻駒_段 {};
    盤配列<int> COM攻駒 {}, COM攻駒_列 {}, COM攻駒_段 {}; // squares never cleared by a survey
    盤配列<int> MAN王手 {}, COM王手 {};

    // Pins against a phoenix by a quail, found once per computer turn.
    盤配列<int> 移動不可駒_MAN {};
    int 移動不可駒フラグ_COM = 0;

    // The search.
    int 試行駒 = 0;
    int 鵬距離 = 0;
    int 最高評価 = 0; // tenths
    盤配列<int> 盤_前 {}, MAN勢力_前 {}, COM勢力_前 {}, COM攻駒_列_前 {}, COM攻駒_段_前 {};
};

} // namespace tori
