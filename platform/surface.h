// The window's drawing surface as the drawing procedures see it.
#pragma once

#include <string>

namespace tori {

// The game draws in twips, 15 to a logical pixel at 100 %.
inline constexpr int twipsPerPixel = 15;

// How the pieces are drawn: with their kanji, as the game always drew them, or
// as pictures of their birds for players who do not read the kanji.
enum class PieceSet { kanji, pictures };

// One persistent image that holds everything drawn so far. Positions are in
// twips (15 twips to a pixel at 1x), from the top left of the client area, and
// may be fractional or negative. Colours are indices 0..15 of the 16-colour
// palette (platform/palette.h).
class Surface {
public:
    virtual ~Surface() = default;
    // The stored picture of a picture code (0 empty square, a piece code, 1 the
    // title, 2..6 the backgrounds) with its top-left corner at (x, y), at its
    // natural size. Codes without a picture draw nothing.
    virtual void 絵(int code, double x, double y) = 0;
    // A one-pixel rectangle outline with corners (x1, y1) and (x2, y2).
    virtual void 枠(int colour, double x1, double y1, double x2, double y2) = 0;
    // UTF-8 text with its top-left point at (x, y), in the window's Mincho face.
    virtual void 文字(
        double x, double y, const std::string& text, double points, bool bold, int colour)
        = 0;
    // Makes everything drawn so far visible at once, also in the middle of a handler.
    virtual void 更新() = 0;
    // Draws the pieces from now on in `set`, and the pieces already on the
    // screen (board, hands) again in it at once.
    virtual void setPieceSet(PieceSet set) = 0;
};

} // namespace tori
