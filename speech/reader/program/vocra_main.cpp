// The speech reader program: started with the speech data folder as its command line.
#include "platform/core/process.h"
#include "speech/reader/reader.h"

int main(int argc, char** argv) { return vocra::readerWinMain(plat::processCommandLine(argc, argv)); }
