#pragma once

// The pieces' birds as pictures: drawn on a piece's plate in the design pixels
// of a board square (33 × 41), for the piece set of pictures.

class QPainter;

namespace tori::art {

enum class Bird {
    phoenix,
    falcon,
    eagle,
    crane,
    pheasant,
    left_quail,
    right_quail,
    swallow,
    goose
};

// Draws the bird of a lower piece on its plate, the painter already scaled to
// the design pixels.
void draw_bird(QPainter& painter, Bird bird);

} // namespace tori::art
