#pragma once

// The program's windows were drawn for "MS Sans Serif". Where that family is not
// installed, the nearest sans-serif face of the system takes its place at the
// same pixel height, so the layouts keep their proportions.

#include <QFont>

namespace corvane {

QFont ClassicFont(int pixel_height, bool bold = false);

}  // namespace corvane
