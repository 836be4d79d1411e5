// Starting the suite's programs from the program folder.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

struct ProcessInfo {
  int pid = 0;  // 0: none
};

// Starts a program of the program folder. The name may carry a folder (only its last component
// counts) and ".exe"; it matches a file of the program folder without regard to case, with or
// without that extension. A non-empty command line is the program's one argument (UTF-8).
// False when there is no such program or it cannot be started; lastError() then tells why.
bool startProgram(std::string_view program, std::u16string_view commandLine, ProcessInfo* info = nullptr);

// Waits at most timeoutMs (negative: without end) for the process to end. True when it ended;
// then exitCode holds its exit status (128 + signal when a signal ended it) and info.pid is 0.
bool waitForProcess(ProcessInfo& info, std::int64_t timeoutMs, int* exitCode = nullptr);
// Ends the process at once.
bool terminateProcess(const ProcessInfo& info);
// Lets the process run on alone; it is reaped when it ends. info.pid becomes 0.
void closeProcessHandle(ProcessInfo& info);

// Keeps the memory the process frees for its next allocations, up to a few megabytes: a program
// that builds and frees the records of one sentence after another then neither gives its heap
// back nor has it zeroed and mapped again for every sentence.
void keepFreedMemory();

// The command line a program was started with (its first argument), as UTF-16.
std::u16string processCommandLine(int argc, char** argv);

// errno of the calling thread's last failed startProgram or loadLibrary.
int lastError();
// The system's text for an error number.
std::u16string systemErrorText(int code);

namespace detail {
void setLastError(int code);
// Host path of the program folder's file that matches one of the names without regard to case.
std::string findInProgramFolder(std::initializer_list<std::string> names);
}  // namespace detail

}  // namespace plat
