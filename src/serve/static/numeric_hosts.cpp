// Linked into the fully static vp only. The FastCGI library resolves the host part
// of `--fastcgi HOST:PORT` by name, and a static program cannot load the C library's
// name-service modules; this stands in for the resolver and answers numeric IPv4
// addresses and localhost only, which is what a worker behind a local web server
// listens on.
#include <arpa/inet.h>
#include <netdb.h>

#include <cstring>

extern "C" struct hostent* gethostbyname(const char* name) {
  static in_addr address;
  static char* addresses[] = {reinterpret_cast<char*>(&address), nullptr};
  static char* no_aliases[] = {nullptr};
  static hostent entry;
  if (name != nullptr && strcmp(name, "localhost") == 0) name = "127.0.0.1";
  if (name == nullptr || inet_pton(AF_INET, name, &address) != 1) {
    h_errno = HOST_NOT_FOUND;
    return nullptr;
  }
  entry.h_name = const_cast<char*>(name);
  entry.h_aliases = no_aliases;
  entry.h_addrtype = AF_INET;
  entry.h_length = sizeof(address);
  entry.h_addr_list = addresses;
  return &entry;
}
