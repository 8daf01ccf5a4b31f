// A stand-in for Tarnwick.exe in the test of the café's batch file: it
// writes "stand-in <command>" and ends with the code that the environment
// variable STAND_IN_<COMMAND> (STAND_IN_APPLY, STAND_IN_RESTORE) gives, 0
// without one, so that the batch can be driven down every path.
#include <cstdio>
#include <cctype>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    std::printf("stand-in %s\n", command.c_str());
    for (char& c : command) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const char* code = std::getenv(("STAND_IN_" + command).c_str());
    return code ? std::atoi(code) : 0;
}
