// The subcommands of morvi-bench; each takes the arguments after its name
// and returns the process exit code.
#pragma once

namespace morvi::bench {

int Perft(int argc, char** argv);
int Divide(int argc, char** argv);
int Eval(int argc, char** argv);
int Search(int argc, char** argv);
int Bench(int argc, char** argv);
int Timing(int argc, char** argv);
int Epd(int argc, char** argv);

}  // namespace morvi::bench
