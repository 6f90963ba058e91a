## regex: 500,000 matches of "[0-9]+ j" against a fixed text, counting the
## non-empty results.
proc regex n i s m {
  n = 0
  s = "the quick brown fox 12345 jumps over"
  for (i = 0; i < 500000; i++) {
    m = s * "[0-9]+ j"
    if (m != "") n++
  }
  $$ = n
}
write (regex)
