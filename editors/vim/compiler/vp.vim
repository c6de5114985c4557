" :make checks the current script with `vp --check`, which prints each finding
" on a line of its own as FILE:LINE:COL: error|warning|note: message [check],
" and fills the quickfix list with them.
if exists('current_compiler')
  finish
endif
let current_compiler = 'vp'

if exists(':CompilerSet') != 2
  command -nargs=* CompilerSet setlocal <args>
endif

let s:cpo_save = &cpo
set cpo&vim

CompilerSet makeprg=vp\ --check\ %:S
CompilerSet errorformat=%f:%l:%c:\ %trror:\ %m,
      \%f:%l:%c:\ %tarning:\ %m,
      \%f:%l:%c:\ %tote:\ %m,
      \%-G%.%#

let &cpo = s:cpo_save
unlet s:cpo_save
