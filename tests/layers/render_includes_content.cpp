// Must not build: render and content stand side by side and do not see each other.
#include "content/stages.h"
