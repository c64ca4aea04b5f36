// hold_file: opens a file for reading and writing without sharing it, says "held" on standard
// output, keeps it open for the given number of seconds and closes it. The Windows tests use
// it to stand for another program that has the file open.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    const HANDLE file = ::CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), "held\r\n", 6, &written, nullptr);
    ::Sleep(static_cast<DWORD>(std::atoi(argv[2])) * 1000U);
    ::CloseHandle(file);
    return 0;
}
