proc p { w = when (3) { write fired } }
p
write (w)
event 3
event 4
a = when () { write any }
b = when (2) { write two }
event 2
event 5
when (1) { write once; remove }
event 1
event 1
remove (b)
event 2
