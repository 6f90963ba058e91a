## array: a procedure fills a local array with 300,000 integer keys, then
## sums the elements modulo 1,000,003.
proc array a[] i sum {
  for (i = 0; i < 300000; i++) a[i] = i
  sum = 0
  for (i = 0; i < 300000; i++) sum = (sum + a[i]) % 1000003
  $$ = sum
}
write (array)
