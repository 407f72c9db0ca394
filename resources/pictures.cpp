// Pictures for any display scale, made from the embedded drawings.
#include "resources/pictures.h"

#include "resources/picture_scaling.h"

namespace {

PictureKind KindOf(int id) {
    return id == SpriteSheetId ? PictureKind::SpriteSheet
         : id == TitleCardId   ? PictureKind::TitleCard
                               : PictureKind::PreviewPicture;
}

HBITMAP LoadBitmapResource(HMODULE module, int id) {
    return static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

// The resource's own bytes, read by the program rather than by the system,
// because they are to be reduced before anything is drawn.
Picture ReadBitmapResource(HMODULE module, int id) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    return DecodeBitmap(static_cast<const std::uint8_t*>(bytes), bytes ? SizeofResource(module, found) : 0);
}

// A bitmap for the screen, as LoadImage makes one of a resource.
HBITMAP ScreenBitmap(const Picture& picture) {
    if (picture.empty()) return nullptr;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = picture.width;
    format.bmiHeader.biHeight = -picture.height;  // rows from the top
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &format.bmiHeader, CBM_INIT, picture.pixels.data(), &format,
                                    DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace

HBITMAP LoadPicture(int id, const Scale& scale, HMODULE module) {
    const PictureSize size = SizeAt(KindOf(id), scale);
    return LoadPictureSized(id, size.width, size.height, module);
}

HBITMAP LoadPictureSized(int id, int width, int height, HMODULE module) {
    if (!module) module = GetModuleHandleW(nullptr);
    const PictureKind kind = KindOf(id);
    const PictureSize size = {width, height};
    if (size == DesignSize(kind)) return LoadBitmapResource(module, id);

    const int from = SourceScale(kind, size);
    const Picture source = ReadBitmapResource(module, id + (from - 1) * ScaledPictureStep);
    if (kind == PictureKind::SpriteSheet) return ScreenBitmap(BuildSpriteSheet(source, size));
    return ScreenBitmap(PictureSize{source.width, source.height} == size ? source : Reduce(source, size));
}
