sys echo hi
sys "echo err 1>&2"
sys printf 'a\r\nb\n'
r = sys exit 3
write (r)
