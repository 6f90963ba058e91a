## loop: i * 7 % 13 summed for i from 0 to 4,999,999 inside a procedure.
proc loop sum i {
  sum = 0
  for (i = 0; i < 5000000; i++) sum = sum + i * 7 % 13
  $$ = sum
}
write (loop)
