" Vim syntax file for vp scripts.
"
" vp reads a script one line at a time and finds a statement by searching the
" line for its keyword with the blanks before it ("  writeln(", "  if "). This
" file colours a keyword only where that search finds it, and marks in the
" error colour what looks like code but never runs:
"   - a statement word with fewer than two blanks before it (one blank, a tab,
"     or none), written in the wrong case, or with a blank before its '(';
"   - a line indented with a tab that assigns (an assignment's indentation must
"     be blanks), and ':=' without a blank on each side;
"   - '//', '(*' or 'end.' inside a quoted text: a line holding '//' or '(*'
"     anywhere is skipped whole, and one holding 'end.' ends the run;
"   - ' and' on an if line: such a line is no if at all;
"   - a text with no closing quote, '{ }' (not a comment here), a type word
"     that declares no type, and a name glued to its ':' in a declaration.
" Everything is decided within one line, as the interpreter decides it.

if exists('b:current_syntax')
  finish
endif
let s:cpo_save = &cpo
set cpo&vim

syn case match

" Statements of standard Pascal and the extensions, found in any letter case.
let s:std = 'writeln\|write\|readln\|read\|append\|rewrite\|insert\|delete'
let s:ext = 'wround\|wsqrt\|findrp\|findow\|writewc\|writewh\|closefile\|delay'
      \ . '\|query_remote_web_client\|read_version\|read_date\|read_http_user_agent'
      \ . '\|read_query_string\|read_remote_addr\|read_content_length'
      \ . '\|read_form\|read_cookie'
let s:all = s:std . '\|halt\|' . s:ext . '\|system\|exec'
" Indentation that does not end in two blanks: none, one blank, or a tab with at
" most one blank after it.
let s:short = '^\%([ \t]*\t \=\| \=\)\zs'

" Matches are defined from the weakest to the strongest: where two start at the
" same column, the later one wins.
syn match vpNumber '\<\d\+\%(\.\d\+\)\=\>'
syn match vpBrace '{[^}]*}\='
syn match vpAssignError '\S\@<=:=\|:=\S\@='

" Declarations: the section words, the type words (only the first letter counts,
" and it must be one of s t c i r h in lower case), and 'x:' where 'x :' is meant.
syn match vpDeclare '^ \{0,5}\zsvar\ze '
syn match vpDeclare '^ \{0,3}\zsconst\ze '
syn match vpDeclare '^label\ze '
syn match vpType '\C\%( : \)\@<=\%(string\|integer\|real\|char\|text\|hex\)\>'
syn match vpDeclError '\C\%( : \)\@<=[stcirh]\@![A-Za-z_]\w*'
syn match vpDeclError #\%(^ \{0,5}var \+[^ \t:']\+\)\@<=: \@=#
syn match vpDeclError #\%(^ \{3,5}[^ \t:']\+\)\@<=: \@=#

" The frame of a script, and the words of if and while lines.
syn match vpFrame '\C\<\%(program\|begin\)\>'
syn match vpFrame '\C\<end\.'
syn match vpControl '\C\<\%(then\|do\)\>'

" Statements where the interpreter finds them: two blanks before the word, and
" the word's own '(' (or ';' for halt, "('" for system and exec) right after it.
execute 'syn match vpNotRecognised "\c\%(  \)\@<=\%(' . s:all . '\)\ze[ \t]\+[(;]"'
execute 'syn match vpNotRecognised "\c\%(  \)\@<=\%(' . s:std . '\|' . s:ext . '\)\ze;"'
execute 'syn match vpNotRecognised "\c\%(  \)\@<=\%(system\|exec\)\ze(''\@!"'
execute 'syn match vpStatement "\c\%(  \)\@<=\%(' . s:std . '\)(\@="'
execute 'syn match vpStatement "\c\%(  \)\@<=halt[;(]\@="'
execute 'syn match vpExtension "\c\%(  \)\@<=\%(' . s:ext . '\)(\@="'
execute 'syn match vpExtension "\c\%(  \)\@<=\%(system\|exec\)(''\@="'

" The control words match in lower case only. A while line is a loop only with
" ' <' or ' >' and 'do' on it (or 'count' and 'do'); an if line only without
" ' and' anywhere on it.
syn match vpNotRecognised '\C\%(  \)\@<=\%(if\>\|while\>\|repeat\|until\>\|goto\>\|end;\)\@!\%([Ii][Ff]\|[Ww][Hh][Ii][Ll][Ee]\|[Rr][Ee][Pp][Ee][Aa][Tt]\|[Uu][Nn][Tt][Ii][Ll]\|[Gg][Oo][Tt][Oo]\|[Ee][Nn][Dd];\@=\)\>'
syn match vpNotRecognised '\C\%(  \)\@<=while\>'
syn match vpControl '\C\%(  \)\@<=while\%( count .*do\| .* [<>].*do\| .*do.* [<>]\)\@='
syn match vpControl '\C\%( and.*\)\@<!\%(  \)\@<=if \@=\%(.* and\)\@!'
syn match vpControl '\C\%(  \)\@<=\%(repeat\|until \@=\|goto \@=\|end;\@=\)'
syn match vpIfAnd '\C\%(  if .*\)\@<= \@<=and\| \@<=and\%(.*  if \)\@='

" Statements at the start of a line without their two blanks.
execute 'syn match vpNotRecognised "' . s:short . '\c\%(' . s:all . '\)\ze[(;]"'
execute 'syn match vpNotRecognised "' . s:short . '\c\%(if\|while\|repeat\|until\|goto\)\>"'
execute 'syn match vpNotRecognised "' . s:short . '\cend\ze;"'

" An assignment matches its name after as many blanks as the line is indented,
" so a tab in the indentation means it never assigns.
syn match vpTabIndent "^[ \t]*\t[ \t]*[^ \t:=']\+\ze[ \t]*:="

" Quoted texts, and what inside them the interpreter still finds: the comment
" marks, 'end.', and statement keywords with their blanks.
syn match vpUnclosed "'[^']*$"
syn region vpString start=+'+ end=+'+ oneline contains=vpInText,vpIfAnd
syn match vpInText '//\|(\*\|\C\<end\.' contained
execute 'syn match vpInText "\c\%(  \)\@<=\%(' . s:all . '\)[(;]\@=" contained'
syn match vpInText '\C\%(  \)\@<=\%(if \|while \|repeat\|until \|goto \)\| \@<=end;' contained

" A line holding '//' or '(*' anywhere is skipped whole: all of it is comment.
syn match vpComment '^.*\%(//\|(\*\).*$' contains=vpCommentText
syn region vpCommentText start=+'+ end=+'\|$+ contained contains=vpCommentMark
syn match vpCommentMark '//\|(\*\|\C\<end\.' contained

syn sync minlines=1

hi def link vpComment Comment
hi def link vpCommentText Comment
hi def link vpString String
hi def link vpNumber Number
hi def link vpStatement Statement
hi def link vpExtension PreProc
hi def link vpControl Statement
hi def link vpFrame Statement
hi def link vpDeclare StorageClass
hi def link vpType Type
hi def link vpNotRecognised Error
hi def link vpTabIndent Error
hi def link vpIfAnd Error
hi def link vpInText Error
hi def link vpCommentMark Error
hi def link vpUnclosed Error
hi def link vpBrace Error
hi def link vpAssignError Error
hi def link vpDeclError Error

let b:current_syntax = 'vp'
let &cpo = s:cpo_save
unlet s:cpo_save
