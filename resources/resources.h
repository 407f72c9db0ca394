/* Resource identifiers, shared by the resource script and the code. */
#pragma once

#define SpriteSheetId 101
#define PreviewPictureId 102
#define TitleCardId 103
#define ApplicationIconId 104

/* The three pictures drawn again at two and three times the size, for
   displays of more dots per inch: the identifier plus 100 per step. The
   sprite sheets hold the right-facing colour column alone. */
#define ScaledPictureStep 100
#define SpriteSheet2xId 201
#define PreviewPicture2xId 202
#define TitleCard2xId 203
#define SpriteSheet3xId 301
#define PreviewPicture3xId 302
#define TitleCard3xId 303
