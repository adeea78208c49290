// Must not build: the core sees only itself and the platform, not the runner above it.
#include "app/startup.h"
