#include "display/background.h"

#include "platform/screen.h"

SDL_Surface* backgroundImage = nullptr;

namespace {

// The camera is never negative, but a remainder that stays in [0, period) keeps a bad
// offset from asking the blit for pixels left of the picture.
int wrapOffset(int value, int period)
{
    const int remainder = value % period;
    return remainder < 0 ? remainder + period : remainder;
}

}  // namespace

void backgroundDraw(int offsetX, int offsetY)
{
    const int pictureW = backgroundImage->w;
    const int pictureH = backgroundImage->h;
    const int viewW = screenSurface->w;
    const int viewH = screenSurface->h;

    // The first piece of each column and row starts at the camera's offset inside the
    // picture, the following ones at its edge; the last is cut at the screen's edge.
    for (int column = 0; column < viewW;) {
        const int srcX = wrapOffset(column + offsetX, pictureW);
        int pieceW = pictureW - srcX;
        if (column + pieceW > viewW)
            pieceW = viewW - column;
        for (int row = 0; row < viewH;) {
            const int srcY = wrapOffset(row + offsetY, pictureH);
            int pieceH = pictureH - srcY;
            if (row + pieceH > viewH)
                pieceH = viewH - row;
            SDL_Rect source{static_cast<Sint16>(srcX), static_cast<Sint16>(srcY), static_cast<Uint16>(pieceW),
                            static_cast<Uint16>(pieceH)};
            SDL_Rect destination{static_cast<Sint16>(column), static_cast<Sint16>(row), 0, 0};
            SDL_BlitSurface(backgroundImage, &source, screenSurface, &destination);
            row += pieceH;
        }
        column += pieceW;
    }
}
