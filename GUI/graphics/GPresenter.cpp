#include "GUI/graphics/GPresenter.h"

#include <algorithm>
#include <vector>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface.h"

GPresenter::Drawn GPresenter::Place(GDevice& device, const Cursor& cursor,
                                    const CFerroRect& bounds) {
  Drawn drawn;
  if (!device.IsVisibleCursor() || !cursor.image || !cursor.image->GetSurface()) return drawn;
  int px = 0, py = 0, w = 0, h = 0;
  cursor.image->GetPivot(px, py);
  cursor.image->GetSize(w, h);
  drawn.image = cursor.image;
  drawn.surface = cursor.image->GetSurface();
  drawn.at = CFerroPoint(cursor.x - px, cursor.y - py);
  drawn.rect =
      CFerroRect(drawn.at.x, drawn.at.y, drawn.at.x + w, drawn.at.y + h).Intersection(bounds);
  return drawn;
}

bool GPresenter::Upload(GDevice& device, GSurface& back, const CFerroRect& rect,
                        const Drawn& cursor) {
  SURFACE_LOCKED lock;
  if (!device.LockBackbufferRect(rect, &lock) || !lock.bits) return false;
  const int bpp = device.GetBackbufferBPP();
  if (!cursor.rect.Intersects(rect)) {
    back.CopyRectToTexture(lock.bits, lock.pitch, bpp, rect);
  } else if (bpp == 16) {
    // The back surface draws into the locked memory for a moment, clipped to
    // the rectangle, with its top-left pixel at the rectangle's.
    back.CopyRectToTexture(lock.bits, lock.pitch, bpp, rect);
    back.SetOrigin(0, 0);
    back.SetClip(0, 0, rect.Width(), rect.Height());
    back.SetPtrAndPitch(lock.bits, lock.pitch);
    back.Blt(cursor.image->GetSurface(), cursor.at.x - rect.left, cursor.at.y - rect.top, 0, 0, 0,
             0, true);
    back.Unlock();
    back.ResetClip();
  } else {
    // In another pixel format the rectangle and the cursor are put together
    // in a scratch surface of the back surface's format, then converted.
    if (scratchDevice != &device) {
      scratch = device.AddSurface();
      scratchDevice = &device;
    }
    if (scratch && (scratch->GetWidth() != rect.Width() || scratch->GetHeight() != rect.Height()))
      scratch->Create(rect.Width(), rect.Height());
    if (scratch) {
      scratch->Blt(&back, 0, 0, rect.left, rect.top, rect.Width(), rect.Height(), false);
      scratch->Blt(cursor.image->GetSurface(), cursor.at.x - rect.left, cursor.at.y - rect.top, 0,
                   0, 0, 0, true);
      scratch->CopyRectToTexture(lock.bits, lock.pitch, bpp,
                                 CFerroRect(0, 0, rect.Width(), rect.Height()));
    }
  }
  device.UnlockBackbuffer();
  return true;
}

bool GPresenter::Present(GDevice& device, GSurface& back, const Cursor& cursorAsked) {
  int sceneWidth = 0, sceneHeight = 0;
  device.GetSize(sceneWidth, sceneHeight);
  const CFerroRect bounds(0, 0, std::min(sceneWidth, back.GetWidth()),
                          std::min(sceneHeight, back.GetHeight()));
  const Drawn cursor = Place(device, cursorAsked, bounds);
  const bool full = device.TakeFullPresentRequest();
  // A still picture costs nothing: the texture is touched and presented only
  // when the back surface or the cursor changed, or the device asked for it.
  if (!full && !back.IsModified() && cursor == presented) return false;

  // The changed parts and, when the cursor changed, the old cursor's place
  // (restored from the back surface) and the new one's. Every uploaded
  // rectangle gets the cursor drawn over it, so an unchanged cursor needs no
  // rectangle of its own.
  std::vector<CFerroRect> rects;
  if (full) {
    AddJoined(rects, bounds);
  } else {
    // Of what was drawn, only the pixels that differ from the screen's go on.
    for (const CFerroRect& changed : back.GetModifiedRects())
      AddJoined(rects, shown.Changed(back, changed.Intersection(bounds)));
    if (cursor != presented) {
      AddJoined(rects, presented.rect);
      AddJoined(rects, cursor.rect);
    }
  }
  back.SetModified(false);
  if (rects.empty()) return false;
  for (const CFerroRect& rect : rects) {
    // A renderer or texture that could not be made leaves nothing to lock:
    // the frame is skipped, and the next one uploads everything.
    if (!Upload(device, back, rect, cursor)) {
      device.RequestFullPresent();
      return false;
    }
    shown.Shown(back, rect);
  }
  presented = cursor;
  device.Render();
  return true;
}
