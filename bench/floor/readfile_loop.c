/* The same floor on Windows: 64 KiB ReadFile calls and a search for the
   zero byte with the C library's memchr; with --read-only, the reads alone. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv) {
  enum { kChunk = 64 * 1024 };
  static char buffer[kChunk];
  if (argc < 2) return 2;
  const int search = !(argc > 2 && strcmp(argv[2], "--read-only") == 0);
  HANDLE file = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return 1;
  long long bytes = 0;
  DWORD got = 0;
  while (ReadFile(file, buffer, kChunk, &got, NULL) && got > 0) {
    bytes += got;
    if (search && memchr(buffer, 0, got)) break;
  }
  CloseHandle(file);
  printf("%lld\n", bytes);
  return 0;
}
