// The window layer's conformance suite on the layer linked in: every case of
// the shared files, then the implementation's own extra cases. Arguments
// choose cases by a part of "section: name".
#include "conformance/harness.h"

int main(int argc, char** argv) { return conformance::RunAll(argc, argv); }
