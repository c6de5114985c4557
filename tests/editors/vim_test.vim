" Checks the Vim support of editors/vim headless. Run by run_vim_test.sh as
"   vim -Es -u NONE -i NONE -N --cmd 'let g:src = SOURCE | let g:out = FILE' -S vim_test.vim
"
" 1. The annotated samples (samples/*.pas, in the form the TextMate grammar test
"    reads: a '//  ^^^ scope' line names the scope of the columns above it) get
"    the matching Vim group at every marked column; any invalid.* scope stands
"    for the error colour.
" 2. The examples get the vp file type, no error colour anywhere, and keep their
"    indentation when re-indented, except the ones listed in not_clean.txt.
" 3. File type detection, the buffer settings and the quickfix format of
"    `vp --check`.
" Failures go to g:out, one a line; the exit status is non-zero when any.
set nomore
execute 'set runtimepath^=' . fnameescape(g:src . '/editors/vim')
filetype plugin indent on
syntax on

let s:failures = []
function! s:fail(message) abort
  call add(s:failures, a:message)
endfunction

" The Vim groups that stand for the grammar's scopes.
let s:groups = {
      \ 'comment.line.vp': ['vpComment', 'vpCommentText'],
      \ 'string.quoted.single.vp': ['vpString'],
      \ 'constant.numeric.vp': ['vpNumber'],
      \ 'keyword.other.statement.vp': ['vpStatement'],
      \ 'keyword.other.extension.vp': ['vpExtension'],
      \ 'keyword.control.vp': ['vpControl'],
      \ 'keyword.other.frame.vp': ['vpFrame'],
      \ 'keyword.other.declaration.vp': ['vpDeclare'],
      \ 'storage.type.vp': ['vpType'],
      \ }

function! s:has_scope(scope, lnum, col) abort
  let id = synID(a:lnum, a:col, 1)
  if a:scope =~# '^invalid\.'
    return synIDattr(synIDtrans(id), 'name') ==# 'Error'
  endif
  if !has_key(s:groups, a:scope)
    throw 'no Vim group stands for the scope ' . a:scope
  endif
  return index(s:groups[a:scope], synIDattr(id, 'name')) >= 0
endfunction

function! s:where(lnum, col) abort
  return synIDattr(synID(a:lnum, a:col, 1), 'name') . ' at '
        \ . expand('%:t') . ':' . a:lnum . ':' . a:col . ' in ' . string(getline(a:lnum))
endfunction

" [first column, last column + 1, scopes] of an assertion line, columns 0-based.
function! s:assertion(text, token) abort
  let rest = a:text[len(a:token):]
  let arrow = matchlist(rest, '^\s*<\(\~*\)\(-\+\)\s*\(.*\)$')
  if !empty(arrow)
    return [[len(arrow[1]), len(arrow[1]) + len(arrow[2]), arrow[3]]]
  endif
  let scopes = matchstr(rest, '^[ ^]*\zs.*')
  let ranges = []
  let start = match(rest, '\^')
  while start >= 0
    let stop = matchend(rest, '\^\+', start)
    call add(ranges, [len(a:token) + start, len(a:token) + stop, scopes])
    let start = match(rest, '\^', stop)
  endwhile
  return ranges
endfunction

function! s:check_sample(path) abort
  execute 'edit ' . fnameescape(a:path)
  setlocal filetype=vp
  let token = matchstr(getline(1), '^\S\+\ze\s\+SYNTAX\s\+TEST\s')
  if token ==# ''
    return s:fail(a:path . ': no SYNTAX TEST header')
  endif
  let source = 0
  let checked = 0
  for lnum in range(2, line('$'))
    let text = getline(lnum)
    if stridx(text, token) != 0 || text[len(token):] !~# '^\s*\%(\^\|<\~*-\)'
      let source = lnum
      continue
    endif
    for [from, to, scopes] in s:assertion(text, token)
      let parts = split(' ' . scopes, '\s\+-\%(\s\+\|$\)', 1)
      let required = split(parts[0])
      let excluded = len(parts) > 1 ? split(parts[1]) : []
      for col in range(from + 1, to)
        if col > len(getline(source))
          call s:fail(a:path . ':' . lnum . ': the assertion reaches past its line')
          break
        endif
        " Vim gives a column one group: the innermost scope is the one to match.
        if !empty(required) && !s:has_scope(required[-1], source, col)
          call s:fail('expected ' . required[-1] . ', found ' . s:where(source, col))
        endif
        for scope in excluded
          if s:has_scope(scope, source, col)
            call s:fail('unexpected ' . scope . ': ' . s:where(source, col))
          endif
        endfor
        let checked += 1
      endfor
    endfor
  endfor
  if checked == 0
    call s:fail(a:path . ': no assertion checked')
  endif
endfunction

function! s:check_example(path) abort
  execute 'edit ' . fnameescape(a:path)
  if &filetype !=# 'vp'
    return s:fail(a:path . ': file type ' . string(&filetype) . ', not vp')
  endif
  for lnum in range(1, line('$'))
    for col in range(1, len(getline(lnum)))
      if synIDattr(synIDtrans(synID(lnum, col, 1)), 'name') ==# 'Error'
        call s:fail('error colour in a clean example: ' . s:where(lnum, col))
        break
      endif
    endfor
  endfor
  let before = getline(1, '$')
  silent normal! gg=G
  let after = getline(1, '$')
  for lnum in range(len(before))
    if before[lnum] !=# after[lnum]
      call s:fail(a:path . ':' . (lnum + 1) . ': re-indented as ' . string(after[lnum]))
      break
    endif
  endfor
  setlocal nomodified
endfunction

function! s:check_detection_and_settings() abort
  let dir = tempname()
  call mkdir(dir)
  call writefile(['{ a Pascal unit }', 'unit shapes;'], dir . '/shapes.pas')
  call writefile(['  writeln(''x'');'], dir . '/bare.vp')
  execute 'edit ' . fnameescape(dir . '/shapes.pas')
  if &filetype ==# 'vp'
    call s:fail('a .pas file without a program line was taken for vp')
  endif
  execute 'edit ' . fnameescape(dir . '/bare.vp')
  if &filetype !=# 'vp'
    call s:fail('a .vp file has the file type ' . string(&filetype))
  endif
  for [setting, want] in [['&expandtab', 1], ['&shiftwidth', 2], ['&softtabstop', 2],
        \ ['&commentstring', '// %s'], ['&makeprg', 'vp --check %:S']]
    if eval(setting) !=# want
      call s:fail(setting . ' is ' . string(eval(setting)) . ', not ' . string(want))
    endif
  endfor
  " The lines of `vp --check`, parsed with the buffer's format as :make parses them.
  let lines = ['hello.pas:3:5: error: no variable is named tota [undeclared]',
        \ 'hello.pas:7:1: warning: a tab before the statement [indent]',
        \ 'hello.pas:9:3: note: declared here [undeclared]',
        \ 'hello.pas: 2 findings']
  let parsed = getqflist({'lines': lines, 'efm': &l:errorformat}).items
  let got = map(filter(parsed, 'v:val.valid'),
        \ '[bufname(v:val.bufnr), v:val.lnum, v:val.col, v:val.type, v:val.text]')
  let want = [['hello.pas', 3, 5, 'e', 'no variable is named tota [undeclared]'],
        \ ['hello.pas', 7, 1, 'w', 'a tab before the statement [indent]'],
        \ ['hello.pas', 9, 3, 'n', 'declared here [undeclared]']]
  if got != want
    call s:fail('quickfix list from vp --check lines: ' . string(got))
  endif
endfunction

try
  for sample in glob(g:src . '/tests/editors/samples/*.pas', 0, 1)
    call s:check_sample(sample)
  endfor
  let s:not_clean = readfile(g:src . '/tests/editors/not_clean.txt')
  for example in glob(g:src . '/examples/*.pas', 0, 1) + glob(g:src . '/examples/cgi/*.pas', 0, 1)
    if index(s:not_clean, example[len(g:src) + 1:]) < 0
      call s:check_example(example)
    endif
  endfor
  call s:check_detection_and_settings()
catch
  call s:fail('stopped by ' . v:exception . ' at ' . v:throwpoint)
endtry

call writefile(s:failures, g:out)
if empty(s:failures)
  qall!
endif
cquit!
