// The yardstick of benchmarks/startup.sh: the least an SDL program does
// before its first picture. It starts SDL's video, opens a window the way
// the game does (full screen at the desktop's size), fills the window's own
// pixels with grey, shows them, and waits until it is closed or terminated.
// SDL is told not to put a renderer behind the window's pixels, which would
// start a GL library first.

#include <SDL.h>

int main() {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Window* window =
      SDL_CreateWindow("empty", 0, 0, 1024, 768, SDL_WINDOW_SHOWN | SDL_WINDOW_FULLSCREEN_DESKTOP);
  if (!window) return 1;
  if (SDL_Surface* surface = SDL_GetWindowSurface(window)) {
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 128, 128, 128));
    SDL_UpdateWindowSurface(window);
  }
  SDL_Event event;
  while (SDL_WaitEvent(&event) && event.type != SDL_QUIT) {
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
