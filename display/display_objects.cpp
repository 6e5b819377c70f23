#include "display/display_objects.h"

DisplayObjects display;
