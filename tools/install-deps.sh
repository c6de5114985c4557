#!/usr/bin/env bash
# Installs what building vp and running its tests need on Debian, when missing:
#
#   tools/install-deps.sh          the build and every test (the README's test command)
#   tools/install-deps.sh build    only what the build needs
#   tools/install-deps.sh ci       also the sanitizer, fuzz, libc++ and package checks
#
# Debian packages come through apt-get (as root; otherwise the command to run is
# printed), the npm packages of the editor and browser tests through `npm ci` from
# their lock files. Nothing is installed that is already there, so a second run
# costs a few checks.
set -euo pipefail
cd "$(dirname "$0")/.."
group=${1:-test}
case $group in build | test | ci) ;; *)
  echo "usage: tools/install-deps.sh [build|test|ci]" >&2
  exit 2
  ;;
esac

need=()
want() { need+=("$@"); }
have() { command -v "$1" >/dev/null || [ -x "/usr/sbin/$1" ]; }

# The build: compiler, CMake, GoogleTest, and libfcgi for the FastCGI mode.
have cmake || want cmake
have g++ || want g++
have make || want make
[ -f /usr/include/gtest/gtest.h ] || want libgtest-dev
[ -f /usr/include/fcgiapp.h ] || want libfcgi-dev

if [ "$group" != build ]; then
  # Golden and shell tests; the CGI, FastCGI and browser tests serve pages through
  # lighttpd and fetch them with curl or drive chromium; the editor tests run Vim
  # headless and an npm grammar test runner.
  have diff || want diffutils
  have gzip || want gzip
  have dpkg-deb || want dpkg
  have lighttpd || want lighttpd
  have curl || want curl
  [ -x /usr/bin/chromium ] || want chromium
  have vim || want vim
  have node || want nodejs
  have npm || want npm
fi

if [ "$group" = ci ]; then
  # clang++ with libFuzzer and the sanitizer runtimes (the fuzz build), libc++ (the
  # second standard library the code must build with) and Debian's package checks.
  have clang++ || want clang
  compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null ||
    want libclang-rt-14-dev
  [ -e /usr/include/c++/v1/string ] || want libc++-dev libc++abi-dev
  have lintian || want lintian
fi

if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "missing packages; as root run: apt-get install -y --no-install-recommends ${need[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update
  apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${need[@]}"
fi

# The npm packages, exactly as each lock file pins them; a folder whose installed
# packages match its lock file is left as it is.
if [ "$group" != build ]; then
  for dir in tests/editors tests/browser; do
    [ -f "$dir/package-lock.json" ] || continue
    if ! cmp -s "$dir/package-lock.json" "$dir/node_modules/.package-lock.json.installed" 2>/dev/null; then
      (cd "$dir" && npm ci --no-audit --no-fund)
      cp "$dir/package-lock.json" "$dir/node_modules/.package-lock.json.installed"
    fi
  done
fi
