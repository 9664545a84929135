// A stand-in engine library for the binding's test: one entry point.
extern "C" __attribute__((visibility("default"))) int TWICE(const int* n) { return 2 * *n; }
