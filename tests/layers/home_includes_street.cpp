// Must not build: home and the street stand side by side; neither includes the other.
#include "street/sales_floor.h"
