// Must not build: SDL is the platform's alone.
#include <SDL.h>
