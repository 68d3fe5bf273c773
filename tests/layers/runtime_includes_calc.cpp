// Must not compile: the runtime sits below the calculation.
#include <calc/bands.h>
