// Must not build: the bot plays through the run loop's input sources; it never reaches into the
// runner above it.
#include "app/run_loop.h"
