/* Resource identifiers, shared by the resource script and the code. */
#pragma once

#define SpriteSheetId 101
#define PreviewPictureId 102
#define TitleCardId 103
#define ApplicationIconId 104
