#pragma once

#include "canvas/PictureBackground.h"

#include <QImage>

class QPainter;

namespace canvas {

class Canvas;
class Form;

// The picture of the client area for any device. The painter's user
// coordinates are the client area's logical pixels; the caller scales them to
// the device (a device pixel ratio, a page).

// The drawing alone: the background and the lab's recorded operations as
// smooth vectors, or, when `smooth` is off or the record is incomplete (or
// the canvas shows none), the retained image as it is (each pixel a square). The background is the window's
// colour, white, or none (Transparent paints nothing under the drawing).
// `contrast`: through the high-contrast theme (always from the record then,
// smooth or not, while the record is complete).
void PaintDrawing(QPainter& painter, const Canvas& canvas, bool smooth,
                  PictureBackground background = PictureBackground::Window, bool contrast = false);

// The drawing, the two markers and the six labels as text over a halo, as the
// window shows them; the buttons and scroll bars are left out.
void PaintPicture(QPainter& painter, const Form& form, bool smooth = true,
                  PictureBackground background = PictureBackground::Window);

// The drawing rendered into an image of the client area's size times
// `ratio` device pixels, carrying that device pixel ratio.
[[nodiscard]] QImage RenderDrawing(const Canvas& canvas, double ratio, bool smooth);

// The same into `image`, whose buffer is reused when it has the size already
// (the form's cache: a fresh full-screen buffer costs more than the drawing).
void RenderDrawingInto(QImage& image, const Canvas& canvas, double ratio, bool smooth, bool contrast = false);

// The whole picture (PaintPicture) rendered the same way; with a transparent
// background the image has an alpha channel.
[[nodiscard]] QImage RenderPicture(const Form& form, double ratio, bool smooth = true,
                                   PictureBackground background = PictureBackground::Window);

}  // namespace canvas
