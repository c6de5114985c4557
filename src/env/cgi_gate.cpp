// Which script runs under a web server. Some servers pass a query without '=' as
// command-line words, so where vp itself is the CGI program the first word can come
// from a visitor: it runs only when it names the file the server asked for
// (SCRIPT_FILENAME or PATH_TRANSLATED, compared by device and inode, whatever the
// spelling). Otherwise the script is PATH_TRANSLATED when the server set it (a
// handler setup), and with neither variable set (a script run by hand with request
// variables) the first word stands. Only plain files run, never a device or a pipe.
#include <algorithm>

#include "vp/handlers.hpp"

namespace vp {

namespace {

bool same_file(const FileIdentity& a, const FileIdentity& b) {
  return a.device == b.device && a.inode == b.inode;
}

// The variable's value, or nullptr when it is unset or empty.
const char* server_path(Interpreter& it, const char* name) {
  const char* value = it.host.get_env(name);
  return value != nullptr && value[0] != '\0' ? value : nullptr;
}

// Whether path leads to the file that one of the server's variables names.
bool names_server_script(Interpreter& it, const char* path, const char* script_filename,
                         const char* path_translated, FileIdentity* id) {
  bool missing;
  if (path[0] == '\0' || !it.host.identify(path, id, &missing)) return false;
  for (const char* server : {script_filename, path_translated}) {
    FileIdentity other;
    if (server != nullptr && it.host.identify(server, &other, &missing) && same_file(*id, other))
      return true;
  }
  return false;
}

// The response to a request whose script does not run; the reason with the path goes
// to the server's error log, the visitor learns no path.
bool refuse(Interpreter& it, bool missing, const char* path, const char* why) {
  out_text(it, missing ? "Status: 404 Not Found\n" : "Status: 403 Forbidden\n");
  out_text(it, "Content-Type: text/plain\n\n");
  out_text(it, missing ? "No such script.\n" : "This script may not be run.\n");
  char line[kLineSize + 128];
  const int n = snprintf(line, sizeof(line), "vp: not run: '%s': %s\n", path, why);
  if (n > 0) it.host.write_err(line, std::min(static_cast<size_t>(n), sizeof(line) - 1));
  return false;
}

}  // namespace

bool open_cgi_script(Interpreter& it, char* path) {
  const char* script_filename = server_path(it, "SCRIPT_FILENAME");
  const char* path_translated = server_path(it, "PATH_TRANSLATED");
  FileIdentity chosen = {};
  bool known = false;  // whether chosen holds the identity the open stream must have
  if (script_filename != nullptr || path_translated != nullptr) {
    if (names_server_script(it, path, script_filename, path_translated, &chosen)) {
      known = true;
    } else if (path_translated != nullptr) {
      // A cut path could name another file.
      if (strlen(path_translated) >= static_cast<size_t>(kLineSize))
        return refuse(it, false, "PATH_TRANSLATED", "longer than a script path may be");
      copy_cut(path, kLineSize, path_translated);
    } else {
      bool first_missing = true;
      bool server_missing = true;
      FileIdentity unused;
      if (path[0] != '\0') it.host.identify(path, &unused, &first_missing);
      it.host.identify(script_filename, &unused, &server_missing);
      // Only when the server's own script is gone too does the visitor hear "missing".
      return refuse(it, first_missing && server_missing, path,
                    "not the script the server asked for");
    }
  }

  bool missing = true;
  FileIdentity found;
  // Looked at before it is opened: opening a pipe could wait for ever.
  if (path[0] == '\0' || !it.host.identify(path, &found, &missing))
    return refuse(it, missing, path, missing ? "no such file" : "cannot be read");
  if (!found.regular) return refuse(it, false, path, "not a plain file");
  if (!open_script(it, path)) return refuse(it, false, path, "cannot be read");
  // The file opened must be the one looked at, not one put in its place since.
  FileIdentity opened;
  if (!it.host.identify_script(it.script.handle, &opened) || !opened.regular ||
      !same_file(opened, found) || (known && !same_file(opened, chosen))) {
    close_script(it);
    return refuse(it, false, path, "changed while it was opened");
  }
  return true;
}

}  // namespace vp
