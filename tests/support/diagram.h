// Board diagrams for tests: seven rows of seven characters, row 1 (the upper
// side's back row) first, column 1 on the left. Upper-case letters are the
// upper side (COM), lower-case the lower side (MAN), '.' an empty square;
// spaces are ignored.
//
//   S 燕 swallow   G 鴈 goose    P 雉 pheasant   F 鷹 falcon   E 鷹成 eagle
//   C 鶴 crane     L 左鶉 left quail   R 右鶉 right quail   K 鵬 phoenix
#pragma once

#include "rules/state.h"

#include <cctype>
#include <stdexcept>
#include <string>

namespace tori::testing {

inline int diagramCode(char ch)
{
    int code = 0;
    switch (std::toupper(static_cast<unsigned char>(ch))) {
    case '.':
        return 0;
    case 'S':
        code = 燕;
        break;
    case 'G':
        code = 鴈;
        break;
    case 'P':
        code = 雉;
        break;
    case 'F':
        code = 鷹;
        break;
    case 'E':
        code = 鷹成;
        break;
    case 'C':
        code = 鶴;
        break;
    case 'L':
        code = 左鶉;
        break;
    case 'R':
        code = 右鶉;
        break;
    case 'K':
        code = 鵬;
        break;
    default:
        throw std::invalid_argument(std::string("unknown diagram piece ") + ch);
    }
    return std::isupper(static_cast<unsigned char>(ch)) ? code : -code;
}

inline char diagramChar(int code)
{
    const char* letters = "SGPFECLRK";
    const int codes[] = { 燕, 鴈, 雉, 鷹, 鷹成, 鶴, 左鶉, 右鶉, 鵬 };
    for (int i = 0; i < 9; ++i) {
        if (code == codes[i])
            return letters[i];
        if (code == -codes[i])
            return static_cast<char>(std::tolower(letters[i]));
    }
    return code == 0 ? '.' : '?';
}

// Replaces the board with the diagram and sets the phoenix squares from it.
// Hands, flags and everything else are left as they are.
inline void setBoard(GameState& g, const std::string& diagram)
{
    std::string cells;
    for (char ch : diagram)
        if (!std::isspace(static_cast<unsigned char>(ch)))
            cells += ch;
    if (cells.size() != 49)
        throw std::invalid_argument(
            "a diagram needs 49 squares, got " + std::to_string(cells.size()));
    for (int r = 1; r <= 7; ++r)
        for (int c = 1; c <= 7; ++c) {
            const int code = diagramCode(cells[(r - 1) * 7 + (c - 1)]);
            g.盤[c][r] = code;
            if (code == 鵬) {
                g.COM鵬_列 = c;
                g.COM鵬_段 = r;
            }
            if (code == -鵬) {
                g.MAN鵬_列 = c;
                g.MAN鵬_段 = r;
            }
        }
}

// A state holding only the diagram: empty hands, no game, level 3.
inline GameState fromDiagram(const std::string& diagram)
{
    GameState g;
    setBoard(g, diagram);
    return g;
}

inline std::string boardDiagram(const GameState& g)
{
    std::string out;
    for (int r = 1; r <= 7; ++r) {
        for (int c = 1; c <= 7; ++c)
            out += diagramChar(g.盤[c][r]);
        out += '\n';
    }
    return out;
}

} // namespace tori::testing
