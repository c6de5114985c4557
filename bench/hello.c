/* The floor for the hello workload: a static C program that prints the same page. */
#include <unistd.h>

int main(void) {
  static const char page[] = "Content-type: text/html\n\nHello, world!\n";
  return write(1, page, sizeof page - 1) == (long)(sizeof page - 1) ? 0 : 1;
}
