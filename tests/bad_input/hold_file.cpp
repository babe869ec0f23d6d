// Holds a file open without sharing, so that no other process can open it,
// until its standard input closes or a minute has passed.
//   vantor-hold-file PATH      prints "held" once the file is held
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    (void)std::fputs("usage: vantor-hold-file PATH\n", stderr);
    return 2;
  }
  HANDLE file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    (void)std::fprintf(stderr, "vantor-hold-file: cannot open %s (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  (void)std::puts("held");
  (void)std::fflush(stdout);
  // Reading returns at end of input; a timeout ends a holder that nobody closes.
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  const DWORD deadline = GetTickCount() + 60000;
  char byte = 0;
  DWORD got = 0;
  while (GetTickCount() < deadline && ReadFile(input, &byte, 1, &got, nullptr) && got == 1) {
  }
  CloseHandle(file);
  return 0;
}
