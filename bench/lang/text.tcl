# text: 1,000,000 times build "alpha=beta;gamma=<counter>", cut it at ";"
# and at "=", compare the pieces, count the matches.
proc text {} {
  set n 0
  for {set i 0} {$i < 1000000} {incr i} {
    set s "alpha=beta;gamma=$i"
    set p [string first ";" $s]
    set a [string range $s 0 [expr {$p - 1}]]
    set b [string range $s [expr {$p + 1}] end]
    set c [string range $b [expr {[string first "=" $b] + 1}] end]
    set k [string range $a 0 [expr {[string first "=" $a] - 1}]]
    if {$k eq "alpha" && $c eq "$i"} { incr n }
  }
  return $n
}
puts [text]
