// The floor for the editor's start-up: a program that opens an 800 x 600 window with the
// editor's renderer choice (accelerated, else software), uploads one frame to a streaming
// texture and presents it, then writes one byte to KORVEL_READY_FD and waits to be stopped.
#include <SDL.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

int main(int, char**) {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          800, 600, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!window) return 1;
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) return 1;
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_STREAMING, 800, 600);
    if (!texture) return 1;
    std::vector<uint32_t> pixels(800 * 600, 0xFF203040u);
    SDL_ShowWindow(window);
    SDL_UpdateTexture(texture, nullptr, pixels.data(), 800 * 4);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
    const char* fd = ::getenv("KORVEL_READY_FD");
    if (fd && ::write(::atoi(fd), "1", 1) != 1) return 1;
    ::pause();
    return 0;
}
