proc a { x = 1 / 0 }
proc b { a }
proc c { b }
write before
c
write after
