write -x 255 abc
write -n a b
write c
write -- -x 5
write -b 5 -c 65 -o 8 -u -1
write -x text
