// Must not compile: desktop/ knows no window of the program.
#include "ui/frmmain.h"
