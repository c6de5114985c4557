#!/usr/bin/env bash
# Checks the TextMate grammar in editors/textmate: run_grammar_test.sh SOURCE_DIR
#
# vscode-tmgrammar-test reads the grammar through the VS Code manifest and checks
# the annotated samples (samples/*.pas); no_errors.js then colours the examples and
# fails on any error scope, except in those listed in not_clean.txt. The npm
# packages come from package-lock.json: `npm ci` in this folder (tools/install-deps.sh does it).
set -u
src=$1
here=$src/tests/editors
command -v node >/dev/null || { echo "node is not installed (tools/install-deps.sh installs it)"; exit 1; }
if [ ! -x "$here/node_modules/.bin/vscode-tmgrammar-test" ]; then
  echo "the grammar test runner is not installed: run tools/install-deps.sh"
  exit 1
fi
cd "$here" || exit 1
fail=0
node_modules/.bin/vscode-tmgrammar-test --config "$src/editors/textmate/package.json" \
  'samples/*.pas' || fail=1

examples=()
for f in "$src"/examples/*.pas "$src"/examples/cgi/*.pas; do
  grep -qxF "${f#"$src"/}" not_clean.txt || examples+=("$f")
done
node no_errors.js "$src/editors/textmate/syntaxes/vp.tmLanguage.json" "${examples[@]}" || fail=1
[ $fail = 0 ] && echo "TextMate grammar checked on the samples and ${#examples[@]} examples"
exit $fail
