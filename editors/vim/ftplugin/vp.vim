" vp scripts are indented with blanks, two at a time: a statement is found only
" with two blanks before its keyword, and an assignment never takes effect on a
" line indented with a tab.
if exists('b:did_ftplugin')
  finish
endif
let b:did_ftplugin = 1

setlocal expandtab shiftwidth=2 softtabstop=2
" A line holding // anywhere is skipped whole, so // can only begin a comment line.
setlocal comments=:// commentstring=//\ %s
setlocal formatoptions-=t formatoptions+=croql
" :make checks the script (see compiler/vp.vim).
compiler vp

let b:undo_ftplugin = 'setlocal expandtab< shiftwidth< softtabstop< comments<'
      \ . ' commentstring< formatoptions< makeprg< errorformat<'
      \ . ' | unlet! b:current_compiler'
