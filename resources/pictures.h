// The pictures inside the executable at the display's scale: what the rest
// of the program may use. (resources.h holds their identifiers.)
#pragma once

#include <windows.h>

#include "app/scale.h"
#include "resources/resources.h"

// The sprite sheet (SpriteSheetId), the title card (TitleCardId) or the
// preview picture (PreviewPictureId) for a display scale; the sheet keeps its
// layout, with cells of scale(150) x scale(128). At the design size it is the
// bitmap resource itself; at any other size it is made from the next larger
// embedded drawing, never by enlarging a smaller one. 0 if it cannot be made.
// The pictures are this program's unless another module is named.
HBITMAP LoadPicture(int id, const Scale& scale, HMODULE module = nullptr);

// The same at a size of its own (for the sheet, a cell's), such as the inside
// of a control whose edges do not grow with the scale.
HBITMAP LoadPictureSized(int id, int width, int height, HMODULE module = nullptr);
