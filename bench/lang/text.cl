## text: 1,000,000 times build "alpha=beta;gamma=<counter>", cut it at ";"
## and at "=", compare the pieces, count the matches.
proc text n i s a b c {
  n = 0
  for (i = 0; i < 1000000; i++) {
    s = "alpha=beta;gamma=" + (mkstr(i))
    a = s / ";"
    b = s % ";"
    c = b % "="
    if (a / "=" == "alpha" && c == (mkstr(i))) n++
  }
  $$ = n
}
write (text)
