// Colours clean scripts with the TextMate grammar and fails on any token in an
// error scope: node no_errors.js GRAMMAR SCRIPT...
'use strict';
const fs = require('fs');
const path = require('path');
const textmate = require('vscode-textmate');
const oniguruma = require('vscode-oniguruma');

const [grammarPath, ...scripts] = process.argv.slice(2);
const wasm = fs.readFileSync(require.resolve('vscode-oniguruma/release/onig.wasm')).buffer;
const onigLib = oniguruma.loadWASM(wasm).then(() => ({
  createOnigScanner: (patterns) => new oniguruma.OnigScanner(patterns),
  createOnigString: (text) => new oniguruma.OnigString(text),
}));
const registry = new textmate.Registry({
  onigLib,
  loadGrammar: async () =>
    textmate.parseRawGrammar(fs.readFileSync(grammarPath, 'utf8'), path.resolve(grammarPath)),
});

registry.loadGrammar('source.vp').then((grammar) => {
  let failed = scripts.length === 0;
  for (const script of scripts) {
    let stack = textmate.INITIAL;
    fs.readFileSync(script, 'utf8').split('\n').forEach((line, n) => {
      const result = grammar.tokenizeLine(line, stack);
      stack = result.ruleStack;
      for (const token of result.tokens) {
        const bad = token.scopes.find((scope) => scope.startsWith('invalid'));
        if (bad) {
          console.log(`${script}:${n + 1}:${token.startIndex + 1}: ${bad}: ` +
                      JSON.stringify(line.slice(token.startIndex, token.endIndex)));
          failed = true;
        }
      }
    });
  }
  process.exit(failed ? 1 : 0);
});
