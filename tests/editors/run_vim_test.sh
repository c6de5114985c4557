#!/usr/bin/env bash
# Checks the Vim support in editors/vim headless: run_vim_test.sh SOURCE_DIR WORK_DIR
# (what is checked: vim_test.vim).
set -u
src=$1 work=$2
command -v vim >/dev/null || { echo "vim is not installed (tools/install-deps.sh installs it)"; exit 1; }
rm -rf "$work" && mkdir -p "$work" || exit 1
# HOME points at the work folder so that no vimrc or plugin of the user takes part.
HOME=$work vim -Es -u NONE -i NONE -N \
  --cmd "let g:src = '$src' | let g:out = '$work/failures.txt'" \
  -S "$src/tests/editors/vim_test.vim" </dev/null
status=$?
if [ $status -ne 0 ] || [ -s "$work/failures.txt" ]; then
  echo "Vim support failed (status $status):"
  cat "$work/failures.txt" 2>/dev/null
  exit 1
fi
echo "Vim support checked"
