## fib: the recursive Fibonacci procedure of 27.
proc fib {
  if ($1 < 2) $$ = $1 else $$ = (fib($1 - 1)) + (fib($1 - 2))
}
write (fib(27))
