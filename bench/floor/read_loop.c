/* The floor a full pass over a file cannot beat: 64 KiB reads and a search
   for the zero byte, nothing else; with --read-only, the reads alone (the
   floor for UTF-16, where every other byte is zero). */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

int main(int argc, char** argv) {
  enum { kChunk = 64 * 1024 };
  static char buffer[kChunk];
  if (argc < 2) return 2;
  const int search = !(argc > 2 && strcmp(argv[2], "--read-only") == 0);
  const int fd = open(argv[1], O_RDONLY);
  if (fd < 0) return 1;
  long long bytes = 0;
  ssize_t got;
  while ((got = read(fd, buffer, kChunk)) > 0) {
    bytes += got;
    if (search && memchr(buffer, 0, (size_t)got)) break;
  }
  close(fd);
  printf("%lld\n", bytes);
  return 0;
}
