#pragma once

#include <QString>

namespace tori::art {

// Lays the pictures found in `images` out as the game would show them at
// start-up, on every background, at 1x and 2x and magnified, plus a gallery
// of every picture; writes the sheets as PNG files into `folder`.
bool write_sheets(const QString& images, const QString& folder);

} // namespace tori::art
