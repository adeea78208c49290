// Must not build: home is below the street; the street calls home, never the other way round.
#include "street/sales_floor.h"
