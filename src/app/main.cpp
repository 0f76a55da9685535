#include "app/Cli.h"

int main(int argc, char** argv) { return corvellan::runCommandLine(argc, argv); }
