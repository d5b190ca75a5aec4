// The least that reading a document into memory can cost: one fresh buffer of the file's size
// (asked for huge pages, as the reader's are), filled by one read. Timed against cat by
// scripts/bench-io; what it costs beyond cat is the kernel clearing fresh pages.
// Usage: read_floor FILE
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: read_floor FILE\n");
    return 2;
  }
  const int fd = ::open(argv[1], O_RDONLY | O_CLOEXEC);
  struct stat st;
  if (fd < 0 || ::fstat(fd, &st) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  const size_t size = static_cast<size_t>(st.st_size);
  const size_t huge = size_t{2} << 20;
  const size_t mapped = (size + huge - 1) / huge * huge;
  void* p = ::mmap(nullptr, mapped == 0 ? huge : mapped, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return 1;
  ::madvise(p, mapped, MADV_HUGEPAGE);
  auto* bytes = static_cast<char*>(p);
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, bytes + done, size - done);
    if (n <= 0) return 1;
    done += static_cast<size_t>(n);
  }
  std::printf("%zu bytes\n", done);
  return 0;
}
