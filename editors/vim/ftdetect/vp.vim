" vp scripts: *.vp files, and *.pas files that begin as a vp script does, with
" the program line or a #! line that starts vp. Such a .pas file is taken from
" the Pascal file type, which Vim gives every .pas file first.
autocmd BufNewFile,BufRead *.vp setfiletype vp
autocmd BufNewFile,BufRead *.pas
      \ if getline(1) =~# '\<program\>' || getline(1) =~# '^#!.*\<vp\%(debug\)\=\>'
      \ | set filetype=vp
      \ | endif
