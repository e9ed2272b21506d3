// Process entry point: hands over to the front end's start-up and input loop.
#include "frontend/startup.h"

int main(int argc, char** argv) { return morvi::RunProgram(argc, argv); }
