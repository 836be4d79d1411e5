// imreset: no window, no command line; makes the platform load the input panels again.
#include "input/refresher/refresher.h"

int main() { return refresher::refreshInputMethods(); }
