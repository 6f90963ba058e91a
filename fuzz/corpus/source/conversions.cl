a = mkstr -x 255
b = mkstr -o 8
c = mkstr -b 5
d = mkstr -c 65
write (a, b, c, d)
e = mknum 0x10
write (e + 1)
f = token a-b-c 2
g = token "one two" 2
write -n (f) "|" (g)
write
