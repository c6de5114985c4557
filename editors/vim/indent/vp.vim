" Indentation of vp scripts: two blanks a level, never a tab. The statements of
" the main block stand two blanks in; the body of a repeat, of a begin block, and
" the one line that an if or while head governs stand one level further in.
if exists('b:did_indent')
  finish
endif
let b:did_indent = 1

setlocal expandtab shiftwidth=2 softtabstop=2 autoindent
setlocal indentexpr=VpIndent() indentkeys=o,O,=end,=until
let b:undo_indent = 'setlocal expandtab< shiftwidth< softtabstop< autoindent<'
      \ . ' indentexpr< indentkeys<'

if exists('*VpIndent')
  finish
endif

" A label line, which goto finds only at the very start of a line.
let s:label = '^\h\w*:\%($\|\s\)'

function VpIndent() abort
  let line = getline(v:lnum)
  if line =~# '^\s*end\.'
    return 0
  endif
  " Declarations keep what was typed: their continuation lines take 3 to 5 blanks.
  if search('\<begin\>', 'bnW') == 0
    return indent(v:lnum)
  endif
  if line =~# s:label && line !~# ':='
    return 0
  endif
  let prev = s:previous(v:lnum)
  if prev == 0
    return indent(v:lnum)
  endif
  let before = getline(s:previous(prev))
  let pline = getline(prev)
  let ind = indent(prev)
  if pline =~# '^\s*\%(begin\|repeat\)\s*$'
    let ind += shiftwidth()
  elseif pline =~# '\<\%(then\|do\)\s*$'
    " The head's begin line stands level with the head.
    if line !~# '^\s*begin\s*$'
      let ind += shiftwidth()
    endif
  elseif before =~# '\<\%(then\|do\)\s*$' && pline !~# '^\s*begin\s*$'
    " The one line that the head governs is done.
    let ind -= shiftwidth()
  endif
  if line =~# '^\s*\%(end;\|until\>\)'
    let ind -= shiftwidth()
  endif
  return max([ind, 0])
endfunction

" The line above lnum that sets the indentation: not blank, not a label.
function s:previous(lnum) abort
  let lnum = prevnonblank(a:lnum - 1)
  while lnum > 0 && getline(lnum) =~# s:label && getline(lnum) !~# ':='
    let lnum = prevnonblank(lnum - 1)
  endwhile
  return lnum
endfunction
