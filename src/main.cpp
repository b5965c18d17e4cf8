#include "window/command_line.h"

int main(int argc, char* argv[]) { return tarquel::runCommandLine(argc, argv); }
