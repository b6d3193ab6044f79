// What only the in-memory model of the headless layer shows.
#include "window_suite.h"
