// A library that the tests load by name.
extern "C" __attribute__((visibility("default"))) int plattest_add(int a, int b) { return a + b; }
