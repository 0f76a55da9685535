#pragma once
// A picture on a printed page: the caption (the picture's title, the gear's
// name and the date and time of printing) along the top, then the picture
// scaled to fill the rest of the printable area without changing its shape,
// centred there, drawn by its own drawing code so lines and texts stay sharp
// at the printer's resolution. The print command turns the page to the
// picture's shape first (landscape for a picture wider than tall).

#include "platform/PictureFile.h"

class QPaintDevice;

namespace corvellan {

// Prints `picture` with `caption` on one page of `device` (a printer, or an
// image for a preview); false when the device could not be painted on.
bool printPicture(QPaintDevice& device, const Picture& picture, const QString& caption);

} // namespace corvellan
